#include "HostApp.hpp"

#include <dlfcn.h>

#include "HostReportWindow.hpp"
#include "LaunchServiceHost.hpp"

namespace ZeltoHost {

HostApp::HostApp(int hostApiVersion) : hostApiVersion(hostApiVersion)
{
    InstallRegistrationServices();
    InstallReportWindow();
    InstallProject(project);
    InstallProcessWindow(processWindow);
    InstallModel(model3D);
}

HostApp::~HostApp()
{
    Unload();
    HostApi::Instance().impl = HostImplementations();
}

std::string HostApp::ModulePath(const std::string& buildDir, int hostApiVersion)
{
    return buildDir + "/ac" + std::to_string(hostApiVersion) + "/Zelto_export.so";
}

bool HostApp::Load(const std::string& modulePath, std::string* error, bool handOverTable)
{
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = why;
        if (module != nullptr) {
            dlclose(module);
            module = nullptr;
        }
        return false;
    };
    if (module != nullptr)
        return fail("a module is already loaded");
    module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        return fail(reason != nullptr ? reason : "cannot load " + modulePath);
    }
    auto* getExported = reinterpret_cast<GetExportedFuncAddrsProc*>(dlsym(module, "GetExportedFuncAddrs"));
    auto* setImported = reinterpret_cast<SetImportedFuncAddrsProc*>(dlsym(module, "SetImportedFuncAddrs"));
    if (getExported == nullptr || setImported == nullptr)
        return fail("the module does not export the add-on protocol");
    exported = API_ExportedFuncs{};
    if (getExported(API_ProtocolFormat, &exported) != NoError)
        return fail("GetExportedFuncAddrs failed");
    if (exported.apiVersion != ((hostApiVersion << 16) | 1) || exported.hostVersion != hostApiVersion * 1000)
        return fail("the module is built for another host API version");
    if (handOverTable && setImported(API_ProtocolFormat, HostApi::Instance().TableFor(hostApiVersion)) != NoError)
        return fail("SetImportedFuncAddrs refused the host's table");
    freed = false;
    return true;
}

void HostApp::Unload()
{
    if (module == nullptr)
        return;
    if (!freed)
        CallFreeData();
    dlclose(module);
    module = nullptr;
    fileTypeHandlers3D.clear();
    fileTypeHandlers.clear();
    menuHandlers.clear();
}

API_AddonType HostApp::CallCheckEnvironment()
{
    envir = API_EnvirParams{};
    envir.serverInfo.mainVersion = hostApiVersion;
    return exported.checkEnvironment != nullptr ? exported.checkEnvironment(&envir) : APIAddon_Unknown;
}

GSErrCode HostApp::CallRegisterInterface()
{
    return exported.registerInterface != nullptr ? exported.registerInterface() : APIERR_GENERAL;
}

GSErrCode HostApp::CallInitialize()
{
    return exported.initialize != nullptr ? exported.initialize() : APIERR_GENERAL;
}

GSErrCode HostApp::CallFreeData()
{
    freed = true;
    return exported.freeData != nullptr ? exported.freeData() : APIERR_GENERAL;
}

GSErrCode HostApp::RunStartupProtocol(std::string* error)
{
    if (CallCheckEnvironment() == APIAddon_Unknown) {
        if (error != nullptr)
            *error = "CheckEnvironment refused";
        return APIERR_GENERAL;
    }
    GSErrCode result = CallRegisterInterface();
    if (result != NoError) {
        if (error != nullptr)
            *error = "RegisterInterface failed";
        return result;
    }
    result = CallInitialize();
    if (result != NoError && error != nullptr)
        *error = "Initialize failed";
    return result;
}

APIIO3DCommandProc* HostApp::FileTypeHandler3D(UInt32 refCon) const
{
    const auto found = fileTypeHandlers3D.find(refCon);
    return found == fileTypeHandlers3D.end() ? nullptr : found->second;
}

APIIOCommandProc* HostApp::FileTypeHandler(UInt32 refCon) const
{
    const auto found = fileTypeHandlers.find(refCon);
    return found == fileTypeHandlers.end() ? nullptr : found->second;
}

APIMenuCommandProc* HostApp::MenuHandler(short menuListId) const
{
    const auto found = menuHandlers.find(menuListId);
    return found == menuHandlers.end() ? nullptr : found->second;
}

GSErrCode HostApp::InvokeMenuCommand(short menuListId, Int32 itemIndex)
{
    APIMenuCommandProc* handler = MenuHandler(menuListId);
    if (handler == nullptr)
        return APIERR_BADID;
    API_MenuParams params{};
    params.menuItemRef.menuResID = menuListId;
    params.menuItemRef.itemIndex = itemIndex;
    const GSErrCode result = handler(&params);
    LaunchService::CollectLaunches();
    return result;
}

GSErrCode HostApp::SaveAs3D(const IO::Location& target)
{
    APIIO3DCommandProc* handler = FileTypeHandler3D(SaveAsFileTypeRef);
    if (handler == nullptr)
        return APIERR_BADID;
    IO::Location fileLocation = target;
    IO::Name fileName;
    target.GetLastLocalName(&fileName);
    API_IOParams io{};
    io.method = SaveAsMethodCode;
    io.fileLoc = &fileLocation;
    io.fileName = &fileName;
    io.saveFileIOMode = 1;
    io.refCon = static_cast<Int32>(SaveAsFileTypeRef);
    const GS::SharedPtr<Modeler::Sight> sight = model3D.hasSight ? model3D.Sight() : GS::SharedPtr<Modeler::Sight>();
    return handler(&io, sight);
}

void HostApp::InstallRegistrationServices()
{
    HostImplementations& impl = HostApi::Instance().impl;
    impl.ACAPI_AddOnIntegration_RegisterFileType = [this](Int32 refCon, UInt32 fileType, UInt32 creator,
                                                          const char* extension, short iconId,
                                                          short descriptionListId, short descriptionItem,
                                                          short methodFlags) -> GSErrCode {
        if (extension == nullptr)
            return APIERR_BADPARS;
        fileTypes.push_back(RegisteredFileType{refCon, fileType, creator, extension, iconId, descriptionListId,
                                               descriptionItem, methodFlags});
        return NoError;
    };
    impl.ACAPI_MenuItem_RegisterMenu = [this](short menuListId, short promptListId, APIMenuCodeID menuCode,
                                              UInt32 menuFlags) -> GSErrCode {
        menus.push_back(RegisteredMenu{menuListId, promptListId, menuCode, menuFlags});
        return NoError;
    };
    impl.ACAPI_AddOnIntegration_InstallFileTypeHandler3D = [this](UInt32 refCon,
                                                                  APIIO3DCommandProc* handler) -> GSErrCode {
        if (handler == nullptr)
            return APIERR_BADPARS;
        fileTypeHandlers3D[refCon] = handler;
        return NoError;
    };
    impl.ACAPI_AddOnIntegration_InstallFileTypeHandler = [this](UInt32 refCon,
                                                                APIIOCommandProc* handler) -> GSErrCode {
        if (handler == nullptr)
            return APIERR_BADPARS;
        fileTypeHandlers[refCon] = handler;
        return NoError;
    };
    impl.ACAPI_MenuItem_InstallMenuHandler = [this](short menuListId, APIMenuCommandProc* handler) -> GSErrCode {
        if (handler == nullptr)
            return APIERR_BADPARS;
        menuHandlers[menuListId] = handler;
        return NoError;
    };
}

std::string FourCharText(UInt32 code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c != 0)
            text.push_back(c);
    }
    return text;
}

}  // namespace ZeltoHost
