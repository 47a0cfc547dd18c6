// zelto-host: the stand-in host application's command line.
//
//   zelto-host [--api N] [--verbose] register [--all]
//       load the module of host API version N (default 29), run the add-on protocol and print what
//       the add-on registered; --all does so for every module that was built (21..29)
//   zelto-host [--api N] [--verbose] export SCENE -o FILE [--home DIR] [--dialog ok|cancel]
//              [--set NAME=VALUE]... [--cancel-at-poll K]
//       load the scene into the host, then save its 3D window in the add-on's file type as FILE
//   zelto-host [--api N] [--verbose] menu ITEM [SCENE] [--home DIR] [--pick PATH|cancel]
//              [--dialog ok|cancel] [--set NAME=VALUE]... [--cancel-at-poll K] [--launch-fails]
//       load the scene (when given) into the host, then choose item ITEM of the add-on's menu
//       (1 export to Cinema 4D, 3 forget the Cinema 4D location, 4 export settings, 6 update check)
//
// The host's debug channel, where the add-on says what failed and where, goes to stderr once a
// command failed (exit status 2), and as it is written with --verbose. A word that is not
// understood is named before the usage.
//
// Options of export and menu:
//   --home DIR          the host's user-data folder (preferences, special folders); made when missing;
//                       default ~/.zelto-host
//   --dialog ok|cancel  how the user closes the export settings dialog (default ok)
//   --set NAME=VALUE    a value the user enters in the settings dialog before closing it; NAME is one of
//                       material-type, textures, original-textures, texture-quality, lights, cameras,
//                       current-camera, unit, scale, use-offset (switches take 0 or 1)
//   --cancel-at-poll K  the user presses cancel in the process window at its K-th cancel poll
// Options of menu only:
//   --pick PATH|cancel  what the user picks in the file dialog that asks where Cinema 4D is (default:
//                       cancel, so nothing is picked without being asked for)
//   --launch-fails      the system cannot start Cinema 4D: the launch service exits with status 1
// The export draws the process window on stderr, prints the handler's result by name and, after a
// successful export, a summary of the file. A menu command prints the file dialogs, dialogs and alerts
// the user saw, the programs launched and the web pages opened, then the handler's result by name and,
// after the export to Cinema 4D, the path and a summary of the file it handed over.
// Exit status: 0 success, 1 cancelled, 2 any other error.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "DGScriptedUser.hpp"
#include "DGSettingsDialogScript.hpp"
#include "ExportSummary.hpp"
#include "GSPrefHost.hpp"
#include "HostApp.hpp"
#include "HostControl.hpp"
#include "HostErrorNames.hpp"
#include "RS.hpp"
#include "SceneLoader.hpp"
#include "UserSightings.hpp"

namespace {

constexpr int DefaultHostApiVersion = 29;
constexpr int ExitSuccess = 0;
constexpr int ExitCancelled = 1;
constexpr int ExitFailure = 2;

std::string ExecutableFolder()
{
    char path[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string text(path, static_cast<std::size_t>(length));
    const std::size_t slash = text.find_last_of('/');
    return slash == std::string::npos ? "." : text.substr(0, slash);
}

bool verbose = false;

void PrintUsage()
{
    std::fprintf(stderr,
                 "usage: zelto-host [--api N] [--verbose] register [--all]\n"
                 "       zelto-host [--api N] [--verbose] export SCENE -o FILE [--home DIR] [--dialog ok|cancel]\n"
                 "                  [--set NAME=VALUE]... [--cancel-at-poll K]\n"
                 "       zelto-host [--api N] [--verbose] menu ITEM [SCENE] [--home DIR] [--pick PATH|cancel]\n"
                 "                  [--dialog ok|cancel] [--set NAME=VALUE]... [--cancel-at-poll K] [--launch-fails]\n");
}

// The reason a command line was refused, then the usage.
int RefuseCommandLine(const std::string& problem)
{
    std::fprintf(stderr, "zelto-host: %s\n", problem.c_str());
    PrintUsage();
    return ExitFailure;
}

std::string NotUnderstood(const std::string& word)
{
    return "\"" + word + "\" is not understood";
}

// With --verbose the debug channel is echoed as it is written; otherwise what it holds is shown
// after a failed command, so that a failure never shows only an error code.
void ShowDebugChannelAfter(int status)
{
    if (verbose || status != ExitFailure)
        return;
    const std::vector<std::string>& lines = HostControl::TheRecorder().debugLines;
    if (lines.empty())
        return;
    std::fprintf(stderr, "zelto-host: the host's debug output:\n");
    for (const std::string& line : lines)
        std::fputs(line.c_str(), stderr);
}

// A whole number written plainly: decimal digits, a minus sign at most in front; no blanks, no plus
// sign, no other base.
bool ParseInteger(const std::string& text, int* value)
{
    const std::size_t firstDigit = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() == firstDigit || text.find_first_not_of("0123456789", firstDigit) != std::string::npos)
        return false;
    std::size_t used = 0;
    try {
        *value = std::stoi(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size();
}

// ---- register ---------------------------------------------------------------------------------------

std::string ResourceText(const std::string& modulePath, short listId, Int32 item)
{
    const std::string folder = modulePath.substr(0, modulePath.find_last_of('/'));
    GSResModule resources = RSOpenModule((folder + "/Zelto_export.rsrc").c_str());
    GS::UniString text;
    RSGetIndString(&text, listId, item, resources);
    RSCloseModule(resources);
    return text.ToUtf8();
}

int RunRegister(int version)
{
    using namespace ZeltoHost;
    const std::string modulePath = HostApp::ModulePath(ExecutableFolder(), version);
    HostApp host(version);
    std::string error;
    if (!host.Load(modulePath, &error)) {
        std::fprintf(stderr, "zelto-host: host API %d: %s\n", version, error.c_str());
        return ExitFailure;
    }
    const GSErrCode result = host.RunStartupProtocol(&error);
    const API_ExportedFuncs& record = host.Exported();
    std::printf("host API %d: module %s\n", version, modulePath.c_str());
    std::printf("  record: API version 0x%08X, host version %d\n", static_cast<unsigned>(record.apiVersion),
                record.hostVersion);
    std::printf("  add-on: \"%s\" - %s\n", host.Environment().addOnInfo.name.ToUtf8().c_str(),
                host.Environment().addOnInfo.description.ToUtf8().c_str());
    for (const RegisteredFileType& type : host.FileTypes()) {
        std::printf("  file type %d: extension \"%s\", type \"%s\", creator \"%s\", \"%s\", method flags %d\n",
                    type.refCon, type.extension.c_str(), FourCharText(type.fileType).c_str(),
                    FourCharText(type.creator).c_str(),
                    ResourceText(modulePath, type.descriptionListId, type.descriptionItem).c_str(),
                    type.methodFlags);
    }
    for (const RegisteredMenu& menu : host.Menus()) {
        std::printf("  menu %d (prompts %d), code %d, flags %u:\n", menu.menuListId, menu.promptListId,
                    menu.menuCode, menu.menuFlags);
        for (Int32 item = 1;; ++item) {
            const std::string text = ResourceText(modulePath, menu.menuListId, item);
            if (text.empty())
                break;
            std::printf("    %d. %s\n", item, text.c_str());
        }
    }
    std::printf("  handlers: 3D save-as %s, menu %s\n", host.FileTypeHandler3D(1) != nullptr ? "installed" : "none",
                host.Menus().empty() || host.MenuHandler(host.Menus()[0].menuListId) == nullptr ? "none"
                                                                                                 : "installed");
    if (result != NoError) {
        std::fprintf(stderr, "zelto-host: host API %d: %s (%d)\n", version, error.c_str(), result);
        return ExitFailure;
    }
    return ExitSuccess;
}

int RunRegisterAll()
{
    int status = ExitSuccess;
    for (int v = 21; v <= 29; ++v) {
        if (access(ZeltoHost::HostApp::ModulePath(ExecutableFolder(), v).c_str(), R_OK) == 0 &&
            RunRegister(v) != ExitSuccess)
            status = ExitFailure;
    }
    return status;
}

// ---- the host session of export and menu ------------------------------------------------------------

// What export and menu share: the scene, the home folder and how the user answers.
struct SessionOptions {
    std::string scene;
    std::string home;
    bool confirmDialog = true;
    std::vector<std::string> settings;  // NAME=VALUE, in the order given
    int cancelAtPoll = 0;
};

struct ExportOptions {
    SessionOptions session;
    std::string output;
};

struct MenuOptions {
    SessionOptions session;
    int item = 0;
    std::string pick;  // empty: the user cancels the file dialog
    bool launchFails = false;
};

constexpr int DirectExportItem = 1;
constexpr const char* CancelAnswer = "cancel";

std::string DefaultHomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : "/tmp";
    }
    return std::string(home) + "/.zelto-host";
}

bool MakeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The host's user-data folder holds its preferences and the special folders a scene leaves unset.
bool PrepareHome(const std::string& home, ZeltoHost::HostProject& project)
{
    const std::filesystem::path folder = AbsolutePath(home);
    if (!MakeFolder(folder)) {
        std::fprintf(stderr, "zelto-host: cannot make the home folder %s\n", folder.c_str());
        return false;
    }
    GSPref::SetUserDataFolder(folder.string());
    const std::pair<API_SpecFolderID, const char*> specialFolders[] = {
        {ZeltoHost::HostProject::DirectExportFolder, "Documents"},
        {ZeltoHost::HostProject::UpdateCheckFolder, "Temporary"}};
    for (const auto& [id, name] : specialFolders) {
        if (project.specialFolders.count(id) != 0)
            continue;
        if (!MakeFolder(folder / name)) {
            std::fprintf(stderr, "zelto-host: cannot make the folder %s\n", (folder / name).c_str());
            return false;
        }
        project.specialFolders[id] = IO::Location((folder / name).c_str());
    }
    return true;
}

// How the host's user answers the export settings dialog: the --set values, then OK or Cancel.
bool PlanSettingsDialog(const SessionOptions& options)
{
    std::vector<std::pair<std::string, std::string>> settings;
    for (const std::string& setting : options.settings) {
        const std::size_t equals = setting.find('=');
        if (equals == std::string::npos || equals == 0) {
            std::fprintf(stderr, "zelto-host: --set %s: expected NAME=VALUE\n", setting.c_str());
            return false;
        }
        settings.emplace_back(setting.substr(0, equals), setting.substr(equals + 1));
    }
    std::string error;
    if (!ScriptSettingsDialog(settings, options.confirmDialog, &error)) {
        std::fprintf(stderr, "zelto-host: --set: %s\n", error.c_str());
        return false;
    }
    return true;
}

// The scene (when one is given) loaded into the host, the home folder and the user's answers prepared,
// the add-on loaded and started; the process window draws on stderr. False after saying why.
bool StartSession(int version, const SessionOptions& options, ZeltoHost::HostApp& host)
{
    using namespace ZeltoHost;
    std::string error;
    if (!options.scene.empty() && !LoadScene(AbsolutePath(options.scene), host.Project(), host.Model(), &error)) {
        std::fprintf(stderr, "zelto-host: %s\n", error.c_str());
        return false;
    }
    if (!PrepareHome(options.home, host.Project()) || !PlanSettingsDialog(options))
        return false;

    const std::string modulePath = HostApp::ModulePath(ExecutableFolder(), version);
    if (!host.Load(modulePath, &error) || host.RunStartupProtocol(&error) != NoError) {
        std::fprintf(stderr, "zelto-host: host API %d: %s\n", version, error.c_str());
        return false;
    }
    host.Process().DrawBarOn(stderr);
    host.Process().CancelAtPoll(options.cancelAtPoll);
    return true;
}

int ResultStatus(GSErrCode result)
{
    if (result == NoError)
        return ExitSuccess;
    return result == APIERR_CANCEL ? ExitCancelled : ExitFailure;
}

int PrintSummary(const std::string& path)
{
    ZeltoHost::ExportSummary summary;
    std::string error;
    if (!ZeltoHost::ReadExportSummary(path, &summary, &error)) {
        std::fprintf(stderr, "zelto-host: %s\n", error.c_str());
        return ExitFailure;
    }
    ZeltoHost::PrintExportSummary(stdout, path, summary);
    return ExitSuccess;
}

// ---- export -----------------------------------------------------------------------------------------

int RunExport(int version, const ExportOptions& options)
{
    using namespace ZeltoHost;
    HostApp host(version);
    if (!StartSession(version, options.session, host))
        return ExitFailure;

    const std::string target = AbsolutePath(options.output);
    HostControl::TheRecorder().keepCalls = false;  // nobody reads the record of a command-line export
    const GSErrCode result = host.SaveAs3D(IO::Location(target.c_str()));
    host.Process().DrawBarOn(nullptr);
    std::printf("result: %s\n", HostErrorName(result).c_str());
    if (result != NoError)
        return ResultStatus(result);
    return PrintSummary(target);
}

// ---- menu -------------------------------------------------------------------------------------------

// How the user answers the file dialog, and whether the system can start programs.
void PlanMenuAnswers(const MenuOptions& options)
{
    if (options.pick.empty())
        DGScriptedUser::PlanFileCancel();
    else
        DGScriptedUser::PlanFilePick(AbsolutePath(options.pick));
    if (options.launchFails)
        HostControl::InjectError("LaunchService", 1);
}

// The export to Cinema 4D hands its file over as the launch's last argument; that is the file to
// summarise, when it was written.
int PrintHandedOverFile()
{
    const auto& launches = HostControl::TheRecorder().launchedCommands;
    if (launches.empty() || launches.back().empty())
        return ExitSuccess;
    const std::string& file = launches.back().back();
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return ExitSuccess;
    return PrintSummary(file);
}

int RunMenu(int version, const MenuOptions& options)
{
    using namespace ZeltoHost;
    HostApp host(version);
    if (!StartSession(version, options.session, host))
        return ExitFailure;
    if (host.Menus().empty()) {
        std::fprintf(stderr, "zelto-host: host API %d: the add-on registered no menu\n", version);
        return ExitFailure;
    }

    HostControl::TheRecorder().keepCalls = false;  // the sightings are kept apart from the calls
    PlanMenuAnswers(options);
    const GSErrCode result = host.InvokeMenuCommand(host.Menus().front().menuListId, options.item);
    host.Process().DrawBarOn(nullptr);
    PrintUserSightings(stdout);
    std::printf("result: %s\n", HostErrorName(result).c_str());
    if (options.item == DirectExportItem && PrintHandedOverFile() != ExitSuccess)
        return ExitFailure;
    return ResultStatus(result);
}

// ---- the command line -------------------------------------------------------------------------------

enum class OptionUse { Taken, NotSession, Bad };

bool IsOperand(const std::string& word)
{
    return !word.empty() && word[0] != '-';
}

// Reads the scene or one option of the session at words[*i] (moving *i past its value); Bad with
// the reason.
OptionUse ParseSessionOption(const std::vector<std::string>& words, std::size_t* i, SessionOptions* options,
                             std::string* problem)
{
    const std::string& word = words[*i];
    if (IsOperand(word) && options->scene.empty()) {
        options->scene = word;
        return OptionUse::Taken;
    }
    const bool takesValue = word == "--home" || word == "--dialog" || word == "--set" || word == "--cancel-at-poll";
    if (!takesValue)
        return OptionUse::NotSession;
    if (*i + 1 == words.size()) {
        *problem = "\"" + word + "\" needs a value";
        return OptionUse::Bad;
    }
    const std::string& value = words[++*i];
    if (word == "--home") {
        if (value.empty()) {
            *problem = "--home " + NotUnderstood(value) + ": expected a folder";
            return OptionUse::Bad;
        }
        options->home = value;
    } else if (word == "--dialog") {
        if (value != "ok" && value != "cancel") {
            *problem = "--dialog " + NotUnderstood(value) + ": expected ok or cancel";
            return OptionUse::Bad;
        }
        options->confirmDialog = value == "ok";
    } else if (word == "--set") {
        options->settings.push_back(value);
    } else if (!ParseInteger(value, &options->cancelAtPoll) || options->cancelAtPoll < 1) {
        *problem = "--cancel-at-poll " + NotUnderstood(value) + ": expected a whole number from 1";
        return OptionUse::Bad;
    }
    return OptionUse::Taken;
}

// Reads the export command's words after "export"; false, with the reason naming the word, for
// anything the synopsis does not allow.
bool ParseExportOptions(const std::vector<std::string>& words, ExportOptions* options, std::string* problem)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const OptionUse use = ParseSessionOption(words, &i, &options->session, problem);
        if (use == OptionUse::Bad)
            return false;
        if (use == OptionUse::Taken)
            continue;
        if (words[i] == "-o" && i + 1 < words.size()) {
            options->output = words[++i];
        } else if (words[i] == "-o") {
            *problem = "\"-o\" needs a value";
            return false;
        } else {
            *problem = NotUnderstood(words[i]);
            return false;
        }
    }
    if (options->session.home.empty())
        options->session.home = DefaultHomeFolder();
    if (options->session.scene.empty() || options->output.empty()) {
        *problem = "export needs a scene file and -o FILE";
        return false;
    }
    return true;
}

// Reads the menu command's words after "menu": the item's number first, then a scene and options.
bool ParseMenuOptions(const std::vector<std::string>& words, MenuOptions* options, std::string* problem)
{
    if (words.empty() || !ParseInteger(words.front(), &options->item)) {
        *problem = words.empty() ? "menu needs an item number" : "menu " + NotUnderstood(words.front()) +
                                                                    ": expected an item number";
        return false;
    }
    for (std::size_t i = 1; i < words.size(); ++i) {
        const OptionUse use = ParseSessionOption(words, &i, &options->session, problem);
        if (use == OptionUse::Bad)
            return false;
        if (use == OptionUse::Taken)
            continue;
        if (words[i] == "--pick" && i + 1 < words.size() && !words[i + 1].empty()) {
            const std::string& answer = words[++i];
            options->pick = answer == CancelAnswer ? std::string() : answer;
        } else if (words[i] == "--pick") {
            *problem = "\"--pick\" needs a path or cancel";
            return false;
        } else if (words[i] == "--launch-fails") {
            options->launchFails = true;
        } else {
            *problem = NotUnderstood(words[i]);
            return false;
        }
    }
    if (options->session.home.empty())
        options->session.home = DefaultHomeFolder();
    if (options->item == DirectExportItem && options->session.scene.empty()) {
        *problem = "menu 1 exports a building: it needs a scene file";
        return false;
    }
    return true;
}

// The first word of a register command that is neither "register" nor "--all".
std::string RegisterWordNotUnderstood(const std::vector<std::string>& words)
{
    for (const std::string& word : words) {
        if (word != "register" && word != "--all")
            return word;
    }
    return words.empty() ? std::string() : words.front();
}

int RunCommandLine(int argc, char** argv)
{
    int version = DefaultHostApiVersion;
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--api") {
            if (++i == argc)
                return RefuseCommandLine("\"--api\" needs a value");
            if (!ParseInteger(argv[i], &version) || version < 21 || version > 29)
                return RefuseCommandLine("--api " + NotUnderstood(argv[i]) + ": expected a host API version 21..29");
        } else if (argument == "--verbose") {
            verbose = true;
            HostControl::SetDebugEcho([](const std::string& line) { std::fputs(line.c_str(), stderr); });
        } else {
            words.push_back(argument);
        }
    }
    if (words.empty())
        return RefuseCommandLine("no command given");
    if (words == std::vector<std::string>{"register"})
        return RunRegister(version);
    if (words == std::vector<std::string>{"register", "--all"} ||
        words == std::vector<std::string>{"--all", "register"})
        return RunRegisterAll();
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    std::string problem;
    if (words.front() == "export") {
        ExportOptions options;
        if (!ParseExportOptions(rest, &options, &problem))
            return RefuseCommandLine(problem);
        return RunExport(version, options);
    }
    if (words.front() == "menu") {
        MenuOptions options;
        if (!ParseMenuOptions(rest, &options, &problem))
            return RefuseCommandLine(problem);
        return RunMenu(version, options);
    }
    return RefuseCommandLine(NotUnderstood(RegisterWordNotUnderstood(words)));
}

}  // namespace

int main(int argc, char** argv)
{
    const int status = RunCommandLine(argc, argv);
    ShowDebugChannelAfter(status);
    return status;
}
