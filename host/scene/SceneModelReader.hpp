// The "model" part of a scene file: the 3D model behind the host's 3D window.
#ifndef SCENE_SCENEMODELREADER_HPP
#define SCENE_SCENEMODELREADER_HPP

#include <string>

#include "ModelData.hpp"
#include "SceneJson.hpp"

namespace ZeltoHost {

// Reads elements, materials, textures (picture paths relative to sceneFolder) and planned faults
// into an empty model. Throws SceneError at the first bad value.
void ReadSceneModel(const SceneNode& node, const std::string& sceneFolder, ModelData& model);

}  // namespace ZeltoHost

#endif
