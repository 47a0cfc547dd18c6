// Scene files: one JSON file describes the host's project and its 3D model (SCENE_FORMAT.md).
// The loader fills the same structures that tests build in code: HostProject (the project
// database and windows) and HostModel (the 3D model, the 3D window's projection and sight).
#ifndef SCENE_SCENELOADER_HPP
#define SCENE_SCENELOADER_HPP

#include <string>

#include "HostModel.hpp"
#include "HostProject.hpp"

namespace ZeltoHost {

// Reads the scene file into an empty project and model. Paths in it are relative to the file's
// folder. False with a message "<file>: <JSON pointer>: <problem>" on the first error; the
// project and the model are then incomplete and should be dropped.
bool LoadScene(const std::string& path, HostProject& project, HostModel& model, std::string* error);

// The same from a text; sceneFolder resolves relative paths and sourceName names the text in
// messages.
bool LoadSceneText(const std::string& text, const std::string& sceneFolder, const std::string& sourceName,
                   HostProject& project, HostModel& model, std::string* error);

}  // namespace ZeltoHost

#endif
