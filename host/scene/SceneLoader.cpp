#include "SceneLoader.hpp"

#include <fstream>
#include <sstream>

#include "SceneJson.hpp"
#include "SceneModelReader.hpp"
#include "ScenePaths.hpp"
#include "SceneProjectReader.hpp"

namespace ZeltoHost {

namespace {

constexpr const char* FormatName = "zelto-scene";
constexpr Int32 FormatVersion = 1;

bool Fail(std::string* error, const std::string& message)
{
    if (error != nullptr)
        *error = message;
    return false;
}

void ReadFormat(const SceneNode& node)
{
    node.CheckObject({"name", "version"});
    if (node["name"].Text() != FormatName)
        node["name"].Fail(std::string("expected \"") + FormatName + "\"");
    if (node["version"].Integer() != FormatVersion)
        node["version"].Fail("this host reads version " + std::to_string(FormatVersion));
}

void ReadScene(const nlohmann::json& document, const std::string& sceneFolder, HostProject& project,
               HostModel& model)
{
    const SceneNode root(document, "");
    root.CheckObject({"format", "project", "model"});
    if (root.Has("format"))
        ReadFormat(root["format"]);
    if (root.Has("model"))
        ReadSceneModel(root["model"], sceneFolder, model.Data());
    if (root.Has("project"))
        ReadSceneProject(root["project"], sceneFolder, project, model);
}

}  // namespace

bool LoadSceneText(const std::string& text, const std::string& sceneFolder, const std::string& sourceName,
                   HostProject& project, HostModel& model, std::string* error)
{
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& problem) {
        return Fail(error, sourceName + ": not valid JSON (" + problem.what() + ")");
    }
    try {
        ReadScene(document, sceneFolder, project, model);
    } catch (const SceneError& problem) {
        return Fail(error, sourceName + ": " + problem.what());
    }
    return true;
}

bool LoadScene(const std::string& path, HostProject& project, HostModel& model, std::string* error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Fail(error, path + ": cannot open the scene file");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        return Fail(error, path + ": cannot read the scene file");
    return LoadSceneText(text.str(), FolderOf(path), path, project, model, error);
}

}  // namespace ZeltoHost
