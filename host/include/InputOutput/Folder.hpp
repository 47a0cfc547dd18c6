// A folder of the host's file layer.
//
// Construction looks the folder up and sets the status: NoError when a folder is there (or was
// made, with OnNotFound Create; only the last level is made, its parent must exist), else the
// reason. Enumerate walks the folder's own entries (it does not descend), in byte order of their
// names, without "." and ".."; an entry counts as a folder only when it is one itself (a link to a
// folder does not), so a walk never follows links. It stops early, with NoError, when the callback
// returns false.
//
// Failure points (HostFailure): "IO::Folder::Locate" (construction; the planned code becomes the
// status), "IO::Folder::Create" (making the missing folder), "IO::Folder::Enumerate".
#ifndef INPUTOUTPUT_FOLDER_HPP
#define INPUTOUTPUT_FOLDER_HPP

#include "Definitions.hpp"
#include "IOErrors.hpp"
#include "Location.hpp"

namespace IO {

class GSROOT_DLL_EXPORT Folder {
public:
    enum OnNotFound : int { Fail = 0, Create = 1 };
    using EnumCallBack = bool (*)(const Folder& folder, const Name& name, bool isFolder, void* userData);

    explicit Folder(const Location& location, OnNotFound onNotFound = Fail);

    GSErrCode GetStatus() const { return status; }
    const Location& GetLocation() const { return location; }

    GSErrCode Enumerate(EnumCallBack callBack, void* userData) const;

private:
    Location location;
    GSErrCode status = NoError;
};

}  // namespace IO

#endif
