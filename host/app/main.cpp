// zelto-host: the stand-in host application's command line.
//
//   zelto-host [--api N] register     load the module of version N (default 29), run the add-on
//                                     protocol and print what the add-on registered
//   zelto-host register --all         the same for every module that was built (21..29)
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "HostApp.hpp"
#include "RS.hpp"

namespace {

constexpr int DefaultHostApiVersion = 29;

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

void PrintUsage()
{
    std::fprintf(stderr, "usage: zelto-host [--api N] register [--all]\n");
}

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
        return 2;
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
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    int version = DefaultHostApiVersion;
    bool allVersions = false;
    std::string command;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--api" && i + 1 < argc) {
            version = std::atoi(argv[++i]);
        } else if (argument == "--all") {
            allVersions = true;
        } else if (command.empty()) {
            command = argument;
        } else {
            PrintUsage();
            return 2;
        }
    }
    if (command != "register" || version < 21 || version > 29) {
        PrintUsage();
        return 2;
    }
    if (!allVersions)
        return RunRegister(version);
    int status = 0;
    for (int v = 21; v <= 29; ++v) {
        if (access(ZeltoHost::HostApp::ModulePath(ExecutableFolder(), v).c_str(), R_OK) == 0 && RunRegister(v) != 0)
            status = 2;
    }
    return status;
}
