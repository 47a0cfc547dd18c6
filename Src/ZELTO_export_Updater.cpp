#include "ZELTO_export_Updater.hpp"

#include <locale.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <string_view>

#include "ACAPinc.h"
#include "LogHelpers.hpp"
#include "RS.hpp"
#include "ZELTO_export_Resources.hpp"
#include "ZELTO_export_UpdateDialog.hpp"
#include "ZELTO_export_VersionFile.hpp"

namespace {

constexpr char UnknownValue[] = "UNKNOWN";
constexpr float VersionTolerance = 0.0001f;
constexpr char CWhiteSpace[] = " \t\n\v\f\r";

// "%f" as the C locale reads it, whatever locale the host gave its thread: versions are written
// with a decimal point, and only the C locale's white space comes before them.
bool ScanFloatInCLocale(const char* text, float* number)
{
    const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    if (cLocale == static_cast<locale_t>(0)) {
        LogMessageError("Zelto_export:: Update check: the C locale for reading versions is not available\n");
        return false;
    }
    const locale_t previous = uselocale(cLocale);
    const bool read = std::sscanf(text, "%f", number) == 1;
    uselocale(previous);
    freelocale(cLocale);
    return read;
}

bool StartsWithWord(std::string_view text, std::string_view lowerCaseWord)
{
    if (text.size() < lowerCaseWord.size())
        return false;
    for (std::size_t index = 0; index < lowerCaseWord.size(); ++index) {
        const char letter = text[index];
        const char lower = letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
        if (lower != lowerCaseWord[index])
            return false;
    }
    return true;
}

// "%f" also reads the words "inf", "infinity" and "nan", after white space and a sign.
bool SpellsInfinityOrNan(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(CWhiteSpace);
    if (start == std::string_view::npos)
        return false;
    text.remove_prefix(start);
    if (text.front() == '+' || text.front() == '-')
        text.remove_prefix(1);
    return StartsWithWord(text, "inf") || StartsWithWord(text, "nan");
}

// The version at the start of a text, read with "%f": white space and a sign may come first, the
// rest is ignored ("2.62.1" reads as 2.62), and a number beyond a float's range reads as infinity or
// 0. False when the text does not start with a number; a version spelled as infinity or "nan" is none.
bool ReadVersionNumber(const std::string& text, float* number)
{
    if (!ScanFloatInCLocale(text.c_str(), number))
        return false;
    return std::isfinite(*number) || !SpellsInfinityOrNan(text);
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
    downloadMacCut = false;

    std::string contents;
    if (!DownloadVersionFile(server, contents))
        return NoVersionFile;
    MAIni reader(contents);
    name = reader.GetString("name", UnknownValue);
    version = reader.GetString("version", UnknownValue);
    date = reader.GetString("date", UnknownValue);
    downloadMac = reader.GetString("downloadMac", UnknownValue);
    downloadMacCut = reader.LastValueWasCut();

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
            ShowUpdateDialog(UpdateDialogData{apiVersion, version, date, downloadMac, downloadMacCut});
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
