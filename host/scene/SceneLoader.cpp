#include "SceneLoader.hpp"

#include <algorithm>
#include <new>

#include "SceneFiles.hpp"
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

// Finds where and why a text is not JSON that this host can hold: a second pass that builds
// nothing and stops at the first problem, a syntax error or a number beyond the range of a double.
class JsonProblemFinder : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t bytesRead, const std::string&, const nlohmann::json::exception& problem) override
    {
        position = bytesRead;
        what = problem.what();
        return false;
    }

    std::size_t position = 0;
    std::string what;
};

// "line L, column C" of the last byte read, both counted from 1; line 1, column 1 when nothing was
// read (an empty text). A newline belongs to the line it ends.
std::string TextPlace(const std::string& text, std::size_t bytesRead)
{
    const std::size_t end = std::min(bytesRead, text.size());
    if (end == 0)
        return "line 1, column 1";
    const std::size_t last = end - 1;
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + last, '\n'));
    const std::size_t lineEnd = last == 0 ? std::string::npos : text.rfind('\n', last - 1);
    const std::size_t column = lineEnd == std::string::npos ? last + 1 : last - lineEnd;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// "line L, column C: problem" for the byte at which reading stopped.
std::string JsonProblem(const std::string& text)
{
    JsonProblemFinder finder;
    nlohmann::json::sax_parse(text, &finder);
    // The library's text starts with its own identifier in brackets; the place is given here.
    std::string problem = finder.what.substr(finder.what.find(']') + 1);
    const std::size_t detail = problem.find(": ");
    if (problem.find(" at line ") != std::string::npos && detail != std::string::npos)
        problem = problem.substr(detail + 2);
    while (!problem.empty() && problem.front() == ' ')
        problem.erase(0, 1);
    return TextPlace(text, finder.position) + ": " + problem;
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
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded())
        return Fail(error, sourceName + ": not valid JSON at " + JsonProblem(text));
    try {
        ReadScene(document, sceneFolder, project, model);
    } catch (const SceneError& problem) {
        return Fail(error, sourceName + ": " + problem.what());
    } catch (const std::bad_alloc&) {
        return Fail(error, sourceName + ": not enough memory to hold the scene");
    } catch (const std::exception& problem) {
        return Fail(error, sourceName + ": cannot be read: " + problem.what());
    }
    return true;
}

bool LoadScene(const std::string& path, HostProject& project, HostModel& model, std::string* error)
{
    std::string text;
    std::string problem;
    if (!ReadRegularFile(path, MaxSceneFileBytes, "the scene file", &text, &problem))
        return Fail(error, path + ": " + problem);
    return LoadSceneText(text, FolderOf(path), path, project, model, error);
}

}  // namespace ZeltoHost
