#include "ZELTO_export_Updater.hpp"

#include <charconv>
#include <cmath>
#include <exception>
#include <system_error>

#include "ACAPinc.h"
#include "LogHelpers.hpp"
#include "RS.hpp"
#include "ZELTO_export_Resources.hpp"
#include "ZELTO_export_UpdateDialog.hpp"
#include "ZELTO_export_VersionFile.hpp"

namespace {

constexpr char UnknownValue[] = "UNKNOWN";
constexpr float VersionTolerance = 0.0001f;

// The decimal number at the start of a version text, in the C locale whatever the host's is; the
// rest is ignored, so "2.62.1" reads as 2.62. False when the text does not start with a number.
bool ReadVersionNumber(const std::string& text, float* number)
{
    const std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), *number);
    return read.ec == std::errc() && std::isfinite(*number);
}

// Versions compare as decimal numbers, so 2.100 is older than 2.62.
int CompareVersions(float server, float own)
{
    const float difference = server - own;
    if (std::fabs(difference) < VersionTolerance)
        return WRL::MAUpdate::SameVersion;
    return difference > VersionTolerance ? WRL::MAUpdate::NewerVersion : WRL::MAUpdate::OlderVersion;
}

GS::UniString ResourceText(Int32 listId, Int32 item)
{
    GS::UniString text;
    RSGetIndString(&text, static_cast<GSResID>(listId), item, ACAPI_GetOwnResModule(), 0);
    return text;
}

void AlertUpdateText(Int32 item)
{
    DGAlertInfo(ResourceText(WRL::LocalizedCommentStringTable, WRL::DialogTitle),
                ResourceText(WRL::LocalizedUpdateStrings, item));
}

}  // namespace

namespace WRL {

bool MAUpdate::CheckUpdate()
{
    try {
        ShowOutcome(CheckVersion());
    } catch (const std::exception& exception) {
        LogMessageError("Zelto_export:: Update check failed: %s\n", exception.what());
    } catch (...) {
        LogMessageError("Zelto_export:: Update check failed\n");
    }
    return true;
}

int MAUpdate::CheckVersion(const UpdateServer& server)
{
    name.clear();
    version.clear();
    date.clear();
    downloadMac.clear();

    std::string contents;
    if (!DownloadVersionFile(server, contents))
        return NoVersionFile;
    MAIni reader(contents);
    name = reader.GetString("name", UnknownValue);
    version = reader.GetString("version", UnknownValue);
    date = reader.GetString("date", UnknownValue);
    downloadMac = reader.GetString("downloadMac", UnknownValue);

    float serverVersion = 0.0f;
    float ownVersion = 0.0f;
    if (!ReadVersionNumber(version, &serverVersion) || !ReadVersionNumber(apiVersion, &ownVersion)) {
        LogMessageError("Zelto_export:: Update check: the server's version \"%s\" is not a number\n",
                        version.c_str());
        return NoVersionFile;
    }
    return CompareVersions(serverVersion, ownVersion);
}

void MAUpdate::ShowOutcome(int result) const
{
    switch (result) {
        case NewerVersion:
            ShowUpdateDialog(UpdateDialogData{apiVersion, version, date, downloadMac});
            return;
        case SameVersion:
        case OlderVersion:
            AlertUpdateText(NoUpdates);
            return;
        default:
            AlertUpdateText(NoConnection);
            return;
    }
}

}  // namespace WRL
