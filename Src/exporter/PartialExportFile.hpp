// The temporary file that an export is written to, beside its target: ".<name>.<unique>.zelto-partial"
// in the target's folder. Each export makes its own, exclusively and under a name no other export
// uses, so two exports to one target (two hosts, or two long names that are cut alike) never touch
// each other's file. Publish renames it over the target in one step; until then the target keeps
// what it held. If the object goes without a successful Publish, it removes its own temporary file
// (never another's), so a cancelled or failed export leaves no half-written file behind.
//
// The target must be absent, a regular file or a link: a folder, a pipe or a device is refused. A
// link at the target is replaced by the new file, not written through. The new file gets the
// permissions of the file it replaces from the moment it is made.
#ifndef EXPORTER_PARTIALEXPORTFILE_HPP
#define EXPORTER_PARTIALEXPORTFILE_HPP

#include <memory>
#include <string>

#include "Definitions.hpp"
#include "Location.hpp"

namespace IO {
class File;
}

namespace WRL {

class PartialExportFile {
public:
    explicit PartialExportFile(const IO::Location& target);
    // Never throws: a removal that fails is logged.
    ~PartialExportFile();
    PartialExportFile(const PartialExportFile&) = delete;
    PartialExportFile& operator=(const PartialExportFile&) = delete;

    // Checks the target, makes the temporary file and opens it for writing. On failure it returns the
    // failing step's error and FailureText() tells the step; nothing at the target is touched.
    GSErrCode Open(std::unique_ptr<IO::File>* file);
    // Puts the temporary file, closed by the caller, at the target. On failure as Open.
    GSErrCode Publish();
    // What the last failed Open or Publish could not do: the step, the file and the error's name.
    // The caller reports it (once, with the failure it ends in); nothing here logs it.
    const std::string& FailureText() const { return failureText; }

    const IO::Location& TargetLocation() const { return target; }
    // Empty until Open has made the file.
    const IO::Location& TemporaryLocation() const { return temporary; }

private:
    struct TargetState {
        bool exists = false;
        UInt32 permissions = 0;
    };
    GSErrCode CheckTarget(TargetState* state);
    GSErrCode MakeTemporary();
    void RemoveTemporary() const;
    // Keeps the step's text with the error's name, and gives the error back.
    GSErrCode NoteFailure(const std::string& step, GSErrCode error);

    IO::Location target;
    IO::Name targetName;  // empty when the target names no file
    IO::Location temporary;
    bool made = false;
    bool published = false;
    std::string failureText;
};

}  // namespace WRL

#endif
