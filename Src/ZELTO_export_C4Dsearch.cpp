#include "ZELTO_export_C4Dsearch.hpp"

#include "DGFileDialog.hpp"
#include "FileTypeManager.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "PathHelpers.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_PreferenceRoot.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

// The application type the file dialog filters by when the host has no executable type of its own.
constexpr const char* ApplicationExtension = "app";
constexpr UInt32 ApplicationMacType = 0x43344431;  // 'C4D1'
constexpr UInt32 ApplicationCreator = 0x00415050;  // "APP" in the low three bytes
constexpr Int32 NoIcon = 0;
constexpr bool ApplicationIsBundle = true;

// The string read of the stored location: an absent key is a failed read, so the user is asked.
constexpr Int32 ReadModeFailWhenAbsent = 0;

// An application that was moved or removed since it was stored counts as unknown.
bool IsApplicationThere(const IO::Location& location)
{
    return IsFolderExist(location) || IsFileExist(location);
}

// The stored application, when it can still be used.
bool ReadStoredApplication(const WRL::PreferenceRoot& preferences, IO::Location* location, GS::UniString* path)
{
    if (!preferences.IsOpen())
        return false;
    const GSErrCode read =
        preferences->ReadString(WRL::REG_Folder, WRL::REG_C4DPath, path, GS::UniString(), ReadModeFailWhenAbsent);
    if (read != NoError)
        return false;
    if (location->Set(*path) != NoError || location->GetStatus() != NoError || !location->IsLegalInNativeFileSystem()) {
        LogMessageDebug("Zelto_export:: The stored Cinema 4D location is not a legal path; asking again\n");
        return false;
    }
    if (!IsApplicationThere(*location)) {
        LogMessageDebug("Zelto_export:: Cinema 4D is no longer at its stored location; asking again\n");
        return false;
    }
    return true;
}

bool StorePickedApplication(const WRL::PreferenceRoot& preferences, const IO::Location& location, GS::UniString* path)
{
    const GSErrCode converted = location.ToPath(path);
    if (converted != NoError) {
        LogMessageDebug("Zelto_export:: Cannot convert the Cinema 4D location #%s\n", ErrID_To_Name(converted));
        return false;
    }
    if (!preferences.IsOpen()) {
        LogMessageDebug("Zelto_export:: Cannot store the Cinema 4D location: no preferences\n");
        return false;
    }
    const GSErrCode written = preferences->WriteString(WRL::REG_Folder, WRL::REG_C4DPath, *path);
    if (written != NoError) {
        LogMessageDebug("Zelto_export:: Cannot store the Cinema 4D location #%s\n", ErrID_To_Name(written));
        return false;
    }
    return true;
}

}  // namespace

namespace WRL {

MASearch::MASearch() = default;

MASearch::~MASearch() = default;

bool MASearch::SearchC4D()
{
    const PreferenceRoot preferences;
    IO::Location location;
    GS::UniString path;
    if (!ReadStoredApplication(preferences, &location, &path)) {
        location.Clear();
        if (!GetOpenFile(&location))
            return false;
        if (!StorePickedApplication(preferences, location, &path))
            return false;
    }
    c4dLocation = location;
    c4dPath = path;
    return true;
}

bool MASearch::GetOpenFile(IO::Location* location)
{
    if (location == nullptr)
        return false;
    const GS::UniString applicationText = ReadResourceString(LocalizedCommentStringTable, App);
    const GS::UniString browseText = ReadResourceString(LocalizedCommentStringTable, BrowseC4d);

    // The manager owns the added type; it must outlive the dialog.
    FTM::FileTypeManager manager(applicationText.ToUtf8().c_str());
    const FTM::FileType applicationType(applicationText.ToUtf8().c_str(), ApplicationExtension, ApplicationMacType,
                                        ApplicationCreator, NoIcon, nullptr, nullptr, ApplicationIsBundle);
    FTM::TypeID filterType = FTM::EXEFileType;
    if (filterType == FTM::UnknownType)
        filterType = manager.AddType(applicationType, FTM::RootGroup);

    DG::FileDialog dialog(DG::FileDialog::OpenFile);
    dialog.ShowMacPackagesInDialog();
    if (!dialog.AddFilter(filterType, DG::FileDialog::DisplayExtensions))
        LogMessageDebug("Zelto_export:: The Cinema 4D file dialog has no application filter\n");
    dialog.SetTitle(browseText);
    if (!dialog.Invoke()) {
        LogMessageDebug("Zelto_export:: No Cinema 4D application was picked\n");
        return false;
    }
    *location = dialog.GetSelectedFile(0);
    return true;
}

bool MASearch::RemoveC4D()
{
    const PreferenceRoot preferences;
    if (!preferences.IsOpen()) {
        LogMessageDebug("Zelto_export:: Cannot forget the Cinema 4D location: no preferences\n");
        return false;
    }
    const GSErrCode deleted = preferences->DeleteValue(REG_Folder, REG_C4DPath);
    if (deleted != NoError) {
        LogMessageDebug("Zelto_export:: Cannot forget the Cinema 4D location #%s\n", ErrID_To_Name(deleted));
        return false;
    }
    const GSErrCode tidied = preferences->DeleteFolderIfEmpty(REG_Folder);
    if (tidied != NoError) {
        LogMessageDebug("Zelto_export:: Cannot tidy the preference folder #%s\n", ErrID_To_Name(tidied));
        return false;
    }
    return true;
}

}  // namespace WRL
