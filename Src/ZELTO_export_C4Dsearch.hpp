// Where Cinema 4D is: the location stored in the preferences, or the user's pick in a file dialog,
// which is stored for the next direct export. The menu can forget it again.
#ifndef ZELTO_EXPORT_C4DSEARCH_HPP
#define ZELTO_EXPORT_C4DSEARCH_HPP

#include "Location.hpp"
#include "UniString.hpp"

namespace WRL {

// The application's path text, under the folder REG_Folder. No default is stored.
inline constexpr char REG_C4DPath[] = "C4D Path";

class MASearch {
public:
    MASearch();
    ~MASearch();
    MASearch(const MASearch&) = delete;
    MASearch& operator=(const MASearch&) = delete;

    // The stored application when its location is legal and an application (a folder named *.app,
    // as the file dialog offers them) is still there; otherwise the user is asked and the pick is
    // stored. True when the application's location and path text are filled; false (members
    // unchanged) when the user cancels or the pick cannot be stored.
    bool SearchC4D();
    // Asks the user for the application. True with the pick in *location; false leaves it untouched.
    bool GetOpenFile(IO::Location* location);
    // Forgets the stored application; true also when none was stored.
    bool RemoveC4D();

    // Filled by a successful SearchC4D; empty before.
    const IO::Location& GetC4DLocation() const { return c4dLocation; }
    const GS::UniString& GetC4DPath() const { return c4dPath; }

private:
    IO::Location c4dLocation;
    GS::UniString c4dPath;
};

}  // namespace WRL

#endif
