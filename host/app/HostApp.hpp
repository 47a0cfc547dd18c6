// The stand-in host application: loads an add-on module, runs the host's add-on protocol with it,
// keeps what the add-on registered and installed, and calls its handlers.
#ifndef HOSTAPP_HOSTAPP_HPP
#define HOSTAPP_HOSTAPP_HPP

#include <map>
#include <string>
#include <vector>

#include "HostApi.hpp"
#include "HostModel.hpp"
#include "HostProject.hpp"
#include "ProcessWindow.hpp"

namespace ZeltoHost {

struct RegisteredFileType {
    Int32 refCon = 0;
    UInt32 fileType = 0;
    UInt32 creator = 0;
    std::string extension;
    short iconId = 0;
    short descriptionListId = 0;
    short descriptionItem = 0;
    short methodFlags = 0;
};

struct RegisteredMenu {
    short menuListId = 0;
    short promptListId = 0;
    APIMenuCodeID menuCode = 0;
    UInt32 menuFlags = 0;
};

class HostApp {
public:
    // The host runs as the given host API version (21..29).
    explicit HostApp(int hostApiVersion);
    ~HostApp();
    HostApp(const HostApp&) = delete;
    HostApp& operator=(const HostApp&) = delete;

    // The module built for a version, in a build folder laid out as CMake lays it.
    static std::string ModulePath(const std::string& buildDir, int hostApiVersion);

    // dlopen, GetExportedFuncAddrs (the record must name this host's version), SetImportedFuncAddrs
    // unless handOverTable is false. False with a reason on failure.
    bool Load(const std::string& modulePath, std::string* error, bool handOverTable = true);
    // FreeData (when loaded), then dlclose.
    void Unload();
    bool IsLoaded() const { return module != nullptr; }

    // The add-on's entry points, as the host calls them.
    API_AddonType CallCheckEnvironment();
    GSErrCode CallRegisterInterface();
    GSErrCode CallInitialize();
    GSErrCode CallFreeData();
    // CheckEnvironment, RegisterInterface, Initialize in order; stops at the first failure.
    GSErrCode RunStartupProtocol(std::string* error);

    int HostApiVersion() const { return hostApiVersion; }
    const API_ExportedFuncs& Exported() const { return exported; }
    const API_EnvirParams& Environment() const { return envir; }
    const std::vector<RegisteredFileType>& FileTypes() const { return fileTypes; }
    const std::vector<RegisteredMenu>& Menus() const { return menus; }
    APIIO3DCommandProc* FileTypeHandler3D(UInt32 refCon) const;
    APIIOCommandProc* FileTypeHandler(UInt32 refCon) const;
    APIMenuCommandProc* MenuHandler(short menuListId) const;

    // Calls the menu handler installed for the list with the item (from 1); then the programs the
    // command launched are in the recorder.
    GSErrCode InvokeMenuCommand(short menuListId, Int32 itemIndex);

    // The host's 3D save-as into the add-on's file type (reference SaveAsFileTypeRef): the handler
    // installed for it gets an I/O block naming the target and the 3D window's current sight (none
    // when the model gives none). APIERR_BADID when no handler is installed.
    static constexpr UInt32 SaveAsFileTypeRef = 1;
    // The method code of the save-as I/O block; the add-on's direct export builds its own block with
    // the same code, so both roads look alike to the engine.
    static constexpr Int32 SaveAsMethodCode = 0x00050001;
    GSErrCode SaveAs3D(const IO::Location& target);

    // The host's project and its process window, which the host API serves while the app lives.
    HostProject& Project() { return project; }
    ProcessWindow& Process() { return processWindow; }
    // The 3D window: the model behind its sight, its projection and the attribute set reader.
    HostModel& Model() { return model3D; }

private:
    void InstallRegistrationServices();

    int hostApiVersion;
    void* module = nullptr;
    bool freed = false;
    API_ExportedFuncs exported{};
    API_EnvirParams envir{};
    std::vector<RegisteredFileType> fileTypes;
    std::vector<RegisteredMenu> menus;
    std::map<UInt32, APIIO3DCommandProc*> fileTypeHandlers3D;
    std::map<UInt32, APIIOCommandProc*> fileTypeHandlers;
    std::map<short, APIMenuCommandProc*> menuHandlers;
    HostProject project;
    ProcessWindow processWindow;
    HostModel model3D;
};

// Text of a four-character code stored in the low bytes of a 32-bit value ("ZLT" for 0x005A4C54).
std::string FourCharText(UInt32 code);

}  // namespace ZeltoHost

#endif
