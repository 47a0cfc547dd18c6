// The add-on's entry points: its name, the export file type and the menu, and the handlers.
#include "ACAPinc.h"
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

API_AddonType CheckEnvironment(API_EnvirParams* envir)
{
    envir->addOnInfo.name = AddonInfoText(WRL::AddonName);
    envir->addOnInfo.description = AddonInfoText(WRL::AddonDescription);
    return APIAddon_Normal;
}

GSErrCode RegisterInterface()
{
    const GSErrCode result =
        Interface::RegisterFileType(ExportFileTypeRef, ExportFileTypeCode, ExportFileCreator, ExportFileExtension, 0,
                                    WRL::AddonInfoStringTable, WRL::AddonNameMac, ExportFileMethodFlags);
    if (result != NoError)
        return result;
    return Interface::RegisterMenu(WRL::MenuStringTable, WRL::MenuPromptStringTable, AddOnMenuCode, AddOnMenuFlags);
}

GSErrCode Initialize()
{
    GSErrCode result = Interface::InstallFileTypeHandler3D(ExportFileTypeRef, StartExport);
    if (result != NoError) {
        LogMessageDebug("Zelto_export:: Initialize() ACAPI_Install_FileTypeHandler3D failed\n");
        return result;
    }
    result = Interface::InstallMenuHandler(WRL::MenuStringTable, MenuCommandHandler);
    if (result != NoError)
        return result;
    return NoError;
}

GSErrCode FreeData()
{
    return NoError;
}
