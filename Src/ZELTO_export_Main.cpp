// The add-on's entry points: its name, the export file type and the menu, and the handlers. No
// exception leaves an entry point: the host would be ended by it.
#include "ACAPinc.h"
#include "ExceptionLog.hpp"
#include "HostNames.hpp"
#include "InterfaceWrappers.hpp"
#include "LogHelpers.hpp"
#include "RS.hpp"
#include "ZELTO_export_Commands.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

// Host values the registration passes as they are.
constexpr int ExportFileTypeRef = 1;
constexpr unsigned int ExportFileTypeCode = ('Z' << 16) | ('L' << 8) | 'T';  // "ZLT" in the low three bytes
constexpr unsigned int ExportFileCreator = 'GSAC';
constexpr const char* ExportFileExtension = "Zelto";
constexpr short ExportFileMethodFlags = 16;
constexpr APIMenuCodeID AddOnMenuCode = 1;
constexpr unsigned int AddOnMenuFlags = 4;

GS::UniString AddonInfoText(Int32 item)
{
    GS::UniString text;
    RSGetIndString(&text, WRL::AddonInfoStringTable, item, ACAPI_GetOwnResModule(), 0);
    return text;
}

}  // namespace

// The name and description of the add-on. A text that cannot be read stays empty, as a missing one
// does; the add-on can work without them, so even an exception here does not keep it from loading.
API_AddonType CheckEnvironment(API_EnvirParams* envir)
{
    return RunGuarded("CheckEnvironment failed", APIAddon_Normal, [envir] {
        envir->addOnInfo.name = AddonInfoText(WRL::AddonName);
        envir->addOnInfo.description = AddonInfoText(WRL::AddonDescription);
        return APIAddon_Normal;
    });
}

GSErrCode RegisterInterface()
{
    return RunGuarded("RegisterInterface failed", APIERR_GENERAL, [] {
        const GSErrCode result =
            Interface::RegisterFileType(ExportFileTypeRef, ExportFileTypeCode, ExportFileCreator, ExportFileExtension,
                                        0, WRL::AddonInfoStringTable, WRL::AddonNameMac, ExportFileMethodFlags);
        if (result != NoError) {
            LogMessageDebug("Zelto_export:: RegisterInterface() cannot register the file type #%s\n",
                            ErrID_To_Name(result));
            return result;
        }
        const GSErrCode menuResult = Interface::RegisterMenu(WRL::MenuStringTable, WRL::MenuPromptStringTable,
                                                             AddOnMenuCode, AddOnMenuFlags);
        if (menuResult != NoError)
            LogMessageDebug("Zelto_export:: RegisterInterface() cannot register the menu #%s\n",
                            ErrID_To_Name(menuResult));
        return menuResult;
    });
}

GSErrCode Initialize()
{
    return RunGuarded("Initialize failed", APIERR_GENERAL, [] {
        GSErrCode result = Interface::InstallFileTypeHandler3D(ExportFileTypeRef, StartExport);
        if (result != NoError) {
            LogMessageDebug("Zelto_export:: Initialize() ACAPI_Install_FileTypeHandler3D failed\n");
            return result;
        }
        result = Interface::InstallMenuHandler(WRL::MenuStringTable, MenuCommandHandler);
        if (result != NoError)
            LogMessageDebug("Zelto_export:: Initialize() cannot install the menu handler #%s\n", ErrID_To_Name(result));
        return result;
    });
}

// The add-on keeps nothing between calls, so there is nothing to free.
GSErrCode FreeData()
{
    return RunGuarded("FreeData failed", APIERR_GENERAL, [] { return NoError; });
}
