// The temporary file that an export is written to, beside its target: ".<name>.zelto-partial" in the
// target's folder. Publish renames it over the target in one step; until then the target keeps what
// it held. If the object goes without a successful Publish, it removes the temporary file, so a
// cancelled or failed export leaves no half-written file behind.
#ifndef EXPORTER_PARTIALEXPORTFILE_HPP
#define EXPORTER_PARTIALEXPORTFILE_HPP

#include <memory>

#include "Definitions.hpp"
#include "Location.hpp"

namespace IO {
class File;
}

namespace WRL {

class PartialExportFile {
public:
    static constexpr const char* NamePrefix = ".";
    static constexpr const char* NameSuffix = ".zelto-partial";

    explicit PartialExportFile(const IO::Location& target);
    ~PartialExportFile();
    PartialExportFile(const PartialExportFile&) = delete;
    PartialExportFile& operator=(const PartialExportFile&) = delete;

    // Makes the temporary file (replacing a stale one) and opens it for writing. Fails when the
    // target is not a file location that may be written, or when the file cannot be made or opened.
    GSErrCode Open(std::unique_ptr<IO::File>* file);
    // Puts the temporary file, closed by the caller, at the target.
    GSErrCode Publish();

    const IO::Location& TargetLocation() const { return target; }
    const IO::Location& TemporaryLocation() const { return temporary; }

    // The temporary file's name for a target name; a long target name is cut at a character
    // boundary so that the result stays a legal name.
    static IO::Name TemporaryNameFor(const IO::Name& targetName);

private:
    GSErrCode CheckTarget() const;
    GSErrCode RemoveStaleTemporary() const;

    IO::Location target;
    IO::Location temporary;  // empty when the target names no file
    IO::Name temporaryName;
    bool made = false;
    bool published = false;
};

}  // namespace WRL

#endif
