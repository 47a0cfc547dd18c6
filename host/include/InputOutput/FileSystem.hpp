// The host's file-system object IO::fileSystem: operations on entries by location.
//
// - Delete removes a file, a link (not what it points to) or an empty folder (NotEmptyErr else).
//   The stand-in keeps no trash or journal: every DataSafety removes the entry at once.
// - Rename gives an entry a new name in its folder and Move puts it at another location on the same
//   volume. Both replace an existing file at the target in one step (rename(2)), so a temporary
//   file written beside a target and renamed over it either fully replaces it or leaves it as it
//   was. A folder at the target is never replaced (WrongTypeErr).
// - Copy copies one file's bytes to a target that must not exist yet (AlreadyExistsErr), in blocks of
//   CopyBlockBytes; a failed copy removes what it had written.
// - CreateFile makes an empty file, CreateFolder one folder; both fail with AlreadyExistsErr.
// - GetType tells a file (0), a folder (1), a link (2) or anything else (3), without following links.
// - GetPermissions and SetPermissions read and set the read, write and execute bits of owner, group
//   and others (the low nine bits of the mode, 0644 for rw-r--r--) of an entry, following a link.
//
// Failure points (HostFailure): "IO::fileSystem::Delete", "IO::fileSystem::Rename",
// "IO::fileSystem::Move", "IO::fileSystem::Copy", "IO::fileSystem::Copy:Write" (consulted before each
// block of a copy is written, so that a copy can fail part-way), "IO::fileSystem::CreateFile",
// "IO::fileSystem::CreateFolder", "IO::fileSystem::GetType", "IO::fileSystem::GetPermissions",
// "IO::fileSystem::SetPermissions".
#ifndef INPUTOUTPUT_FILESYSTEM_HPP
#define INPUTOUTPUT_FILESYSTEM_HPP

#include "AccessDeniedTreatment.hpp"
#include "Definitions.hpp"
#include "IOErrors.hpp"
#include "Location.hpp"

namespace IO {

class GSROOT_DLL_EXPORT FileSystem {
public:
    enum EntryType : int { FileEntry = 0, FolderEntry = 1, LinkEntry = 2, OtherEntry = 3 };
    enum DataSafety : int { Unsafe = 0, Safe = 1 };

    GSErrCode Delete(const Location& entry, DataSafety safety = Unsafe,
                     AccessDeniedTreatment treatment = ReportAccessDenied) const;
    GSErrCode Rename(const Location& entry, const Name& newName) const;
    GSErrCode Move(const Location& source, const Location& target) const;
    static constexpr USize CopyBlockBytes = 1 << 20;
    GSErrCode Copy(const Location& source, const Location& target) const;
    GSErrCode CreateFile(const Location& file) const;
    GSErrCode CreateFolder(const Location& folder) const;
    GSErrCode GetType(const Location& entry, EntryType* type) const;
    static constexpr UInt32 PermissionBits = 0777;
    GSErrCode GetPermissions(const Location& entry, UInt32* permissions) const;
    GSErrCode SetPermissions(const Location& entry, UInt32 permissions) const;  // BadParameterErr beyond 0777
};

GSROOT_DLL_EXPORT extern const FileSystem fileSystem;

}  // namespace IO

#endif
