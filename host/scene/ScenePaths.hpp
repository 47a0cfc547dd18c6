// Paths in a scene file: relative ones are taken from the scene file's folder.
#ifndef SCENE_SCENEPATHS_HPP
#define SCENE_SCENEPATHS_HPP

#include <string>

namespace ZeltoHost {

// An absolute path as it is; a relative one inside sceneFolder (unchanged when that is empty).
std::string ScenePath(const std::string& path, const std::string& sceneFolder);
// The folder of a file path ("" for a bare name).
std::string FolderOf(const std::string& path);
// The last name of a path without its extension ("textures/oak.png" gives "oak").
std::string FileBaseName(const std::string& path);

}  // namespace ZeltoHost

#endif
