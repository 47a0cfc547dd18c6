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

// The application type: an application is a bundle, a folder named with the extension "app". The
// file dialog filters by it when the host has no executable type of its own, and a stored location
// is taken only when it still names such a folder.
constexpr const char* ApplicationExtension = "app";
constexpr UInt32 ApplicationMacType = 0x43344431;  // 'C4D1'
constexpr UInt32 ApplicationCreator = 0x00415050;  // "APP" in the low three bytes
constexpr Int32 NoIcon = 0;
constexpr bool ApplicationIsBundle = true;

FTM::FileType ApplicationType(const GS::UniString& description)
{
    return FTM::FileType(description.ToUtf8().c_str(), ApplicationExtension, ApplicationMacType, ApplicationCreator,
                         NoIcon, nullptr, nullptr, ApplicationIsBundle);
}

// The string read of the stored location: an absent key is a failed read, so the user is asked.
constexpr Int32 ReadModeFailWhenAbsent = 0;

// An application that was moved or removed since it was stored counts as unknown, and so does
// anything else at its place that the file dialog would not offer as an application (a plain file,
// a folder such as "/").
bool IsApplicationThere(const IO::Location& location)
{
    const FTM::FileType application = ApplicationType(GS::UniString());
    IO::Name name;
    if (location.GetLastLocalName(&name) != NoError || !application.HasExtension(name.GetExtension().ToUtf8().c_str()))
        return false;
    return application.IsBundle() ? IsFolderExist(location) : IsFileExist(location);
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
        LogMessageDebug("Zelto_export:: No Cinema 4D application is at its stored location any more; asking again\n");
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
    const FTM::FileType applicationType = ApplicationType(applicationText);
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
