// The "project" part of a scene file: the host's project database and windows, and the settings
// of its 3D window.
#ifndef SCENE_SCENEPROJECTREADER_HPP
#define SCENE_SCENEPROJECTREADER_HPP

#include <string>

#include "HostModel.hpp"
#include "HostProject.hpp"
#include "SceneJson.hpp"

namespace ZeltoHost {

// Reads into an empty project; the 3D window's projection and availability flags go into the
// host model. Paths are relative to sceneFolder. Throws SceneError at the first bad value.
void ReadSceneProject(const SceneNode& node, const std::string& sceneFolder, HostProject& project, HostModel& model);

}  // namespace ZeltoHost

#endif
