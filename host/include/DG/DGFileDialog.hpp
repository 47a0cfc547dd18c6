// The system's file dialogs, as the host's dialog framework offers them.
//
//     DG::FileDialog dialog(DG::FileDialog::OpenFile);
//     dialog.ShowMacPackagesInDialog();
//     dialog.AddFilter(typeId, DG::FileDialog::DisplayExtensions);
//     dialog.SetTitle("Locate the application");
//     if (dialog.Invoke())
//         location = dialog.GetSelectedFile(0);
//
// The dialog offers what a file browser shows: files of the filters' types (by extension, letter case
// disregarded; every file when no filter was added) and folders to go into. A folder is an item to pick
// only as a package (an application bundle): when packages are shown and a filter's type is a bundle
// type with the folder's extension. In this host the scripted user answers (DGScriptedUser.hpp); a pick
// the dialog would not offer ends it as cancelled, with a note in its record.
#ifndef DG_DGFILEDIALOG_HPP
#define DG_DGFILEDIALOG_HPP

#include <string>
#include <vector>

#include "Definitions.hpp"
#include "FileTypeManager.hpp"
#include "Location.hpp"
#include "UniString.hpp"

namespace DG {

// A dialog of the system rather than of a resource file.
class GSROOT_DLL_EXPORT SystemDialog {
public:
    virtual ~SystemDialog();

    void SetTitle(const GS::UniString& title);
    const GS::UniString& GetTitle() const { return title; }
    // Runs the dialog modally: true when the user confirmed it.
    bool Invoke();

protected:
    virtual bool Run() = 0;

private:
    GS::UniString title;
};

class GSROOT_DLL_EXPORT FileDialog : public SystemDialog {
public:
    enum Type : int { OpenFile = 0, OpenMultiFile = 1, OpenFolder = 2, Save = 3 };
    // How a filter shows in the dialog's type menu: its description, or with its extensions too.
    enum FilterDisplay : UInt32 { DisplayDescription = 0, DisplayExtensions = 1 };

    explicit FileDialog(Type type);
    ~FileDialog() override;

    // Application bundles and other packages become items to pick instead of folders to go into.
    void ShowMacPackagesInDialog();
    // False (nothing is added) for a type the host does not know.
    bool AddFilter(FTM::TypeID type, UInt32 display);

    GS::USize GetSelectedFileCount() const { return static_cast<GS::USize>(selected.size()); }
    // An empty location for an index past the selection.
    const IO::Location& GetSelectedFile(GS::UIndex index) const;

protected:
    bool Run() override;

private:
    struct Filter {
        FTM::FileType type;
        std::string shown;
    };
    bool Offers(const IO::Location& entry, std::string* refusal) const;

    Type type;
    bool packagesShown = false;
    std::vector<Filter> filters;
    std::vector<IO::Location> selected;
};

}  // namespace DG

#endif
