#include "DGFileDialog.hpp"

#include <sys/stat.h>

#include "DGScriptPlayer.hpp"

namespace DG {

namespace {

enum class EntryKind { Missing, File, Folder };

// What the browser shows at the location, links followed as a file browser follows them.
EntryKind KindOf(const IO::Location& entry)
{
    struct stat info {};
    if (::stat(entry.ToUtf8Path().c_str(), &info) != 0)
        return EntryKind::Missing;
    return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::File;
}

std::string ExtensionOf(const IO::Location& entry)
{
    IO::Name name;
    entry.GetLastLocalName(&name);
    return name.GetExtension().ToUtf8();
}

std::string ShownFilter(const FTM::FileType& type, UInt32 display)
{
    std::string shown = type.GetDescription();
    if (display != FileDialog::DisplayExtensions || type.CountExtensions() == 0)
        return shown;
    std::string extensions;
    for (GS::UIndex index = 0; index < type.CountExtensions(); ++index)
        extensions += std::string(extensions.empty() ? "" : ", ") + "*." + type.GetExtension(index);
    return shown + " (" + extensions + ")";
}

}  // namespace

SystemDialog::~SystemDialog() = default;

void SystemDialog::SetTitle(const GS::UniString& newTitle)
{
    title = newTitle;
}

bool SystemDialog::Invoke()
{
    return Run();
}

FileDialog::FileDialog(Type dialogType) : type(dialogType) {}

FileDialog::~FileDialog() = default;

void FileDialog::ShowMacPackagesInDialog()
{
    packagesShown = true;
}

bool FileDialog::AddFilter(FTM::TypeID typeId, UInt32 display)
{
    FTM::FileType fileType;
    if (FTM::FileTypeManager::GetType(typeId, &fileType) != NoError)
        return false;
    filters.push_back(Filter{fileType, ShownFilter(fileType, display)});
    return true;
}

const IO::Location& FileDialog::GetSelectedFile(GS::UIndex index) const
{
    static const IO::Location none;
    return index < selected.size() ? selected[index] : none;
}

bool FileDialog::Run()
{
    DGFileDialogRecord record;
    record.type = type;
    record.title = GetTitle().ToUtf8();
    for (const Filter& filter : filters)
        record.filters.push_back(filter.shown);
    record.packagesShown = packagesShown;

    selected.clear();
    const std::string pick = TakePlannedFilePick();
    const IO::Location entry(pick.c_str());
    std::string refusal;
    if (!pick.empty() && Offers(entry, &refusal)) {
        selected.push_back(entry);
        record.picked = true;
        record.path = entry.ToUtf8Path();
    } else if (!pick.empty()) {
        record.notes.push_back("cannot pick " + pick + ": " + refusal);
    }
    StoreFileDialogRecord(std::move(record));
    return !selected.empty();
}

bool FileDialog::Offers(const IO::Location& entry, std::string* refusal) const
{
    if (entry.IsEmpty()) {
        *refusal = "not an absolute path";
        return false;
    }
    if (type == Save) {
        IO::Location folder = entry;
        const bool inFolder = folder.DeleteLastLocalName() == NoError && KindOf(folder) == EntryKind::Folder;
        *refusal = inFolder ? "" : "its folder does not exist";
        return inFolder;
    }
    const EntryKind kind = KindOf(entry);
    if (kind == EntryKind::Missing) {
        *refusal = "there is no such file or folder";
        return false;
    }
    if (type == OpenFolder) {
        *refusal = kind == EntryKind::Folder ? "" : "not a folder";
        return kind == EntryKind::Folder;
    }
    if (kind == EntryKind::Folder && !packagesShown) {
        *refusal = "a folder is gone into, not picked (packages are not shown)";
        return false;
    }
    const std::string extension = ExtensionOf(entry);
    const bool packageWanted = kind == EntryKind::Folder;
    if (filters.empty() && !packageWanted)
        return true;
    for (const Filter& filter : filters) {
        if (filter.type.IsBundle() == packageWanted && filter.type.HasExtension(extension.c_str()))
            return true;
    }
    *refusal = packageWanted ? "a folder that is no package of the filters' types" : "not of the filters' types";
    return false;
}

}  // namespace DG
