// The 3D window's projection in a scene file, and the perspective record that cameras share.
#ifndef SCENE_SCENEVIEWREADER_HPP
#define SCENE_SCENEVIEWREADER_HPP

#include "HostApi.hpp"
#include "SceneJson.hpp"

namespace ZeltoHost {

// {"azimuth", "sunAzimuth", "sunAltitude", "viewCone", "rollAngle", "distance", "cameraZ",
//  "targetZ", "pos": [x, y], "target": [x, y]}; members left out are 0.
API_PerspPars ReadScenePerspective(const SceneNode& node);

// {"perspective": bool, "camera": perspective record, "axonometry": {...}}.
API_3DProjectionInfo ReadSceneProjection(const SceneNode& node);

// [x, y]
API_Coord ReadSceneCoord(const SceneNode& node);

}  // namespace ZeltoHost

#endif
