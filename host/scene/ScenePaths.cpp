#include "ScenePaths.hpp"

namespace ZeltoHost {

std::string ScenePath(const std::string& path, const std::string& sceneFolder)
{
    if (path.empty() || path.front() == '/' || sceneFolder.empty())
        return path;
    return sceneFolder + "/" + path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileBaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

}  // namespace ZeltoHost
