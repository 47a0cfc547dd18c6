#include "PartialExportFile.hpp"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

#include "ExceptionLog.hpp"
#include "ExportText.hpp"
#include "File.hpp"
#include "FileSystem.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"

namespace WRL {

namespace {

// Names tried before giving up: another name is taken only when one is in use already.
constexpr int MaxNameAttempts = 16;

// A well-mixed 64-bit value from a seed (splitmix64).
UInt64 Mixed(UInt64 value)
{
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// Eight hex digits that differ from export to export and from process to process. The system's
// random source decides; the clock, the process and a counter stand in when it cannot be read.
std::string UniquePart()
{
    static UInt64 counter = 0;
    UInt64 seed = static_cast<UInt64>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                  (static_cast<UInt64>(::getpid()) << 32) ^ Mixed(++counter);
    try {
        std::random_device device;
        seed ^= (static_cast<UInt64>(device()) << 32) | device();
    } catch (...) {
    }
    char digits[PartialExportFile::UniquePartBytes + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(Mixed(seed) & 0xFFFFFFFFu));
    return digits;
}

const char* PathText(const IO::Location& location)
{
    return location.ToUtf8Path().c_str();
}

}  // namespace

PartialExportFile::PartialExportFile(const IO::Location& targetLocation) : target(targetLocation)
{
    if (target.GetStatus() != NoError || target.GetLastLocalName(&targetName) != NoError)
        targetName.Clear();
}

PartialExportFile::~PartialExportFile()
{
    if (made && !published)
        RemoveTemporary();
}

IO::Name PartialExportFile::TemporaryNameFor(const IO::Name& targetName, const std::string& uniquePart)
{
    const std::string tail = "." + uniquePart + NameSuffix;
    const std::string& name = targetName.ToUtf8();
    const USize frame = std::strlen(NamePrefix) + tail.size();
    const USize kept = Utf8PrefixLength(name.c_str(), name.size(), IO::Name::MaxNameBytes - frame);
    return IO::Name((NamePrefix + name.substr(0, kept) + tail).c_str());
}

GSErrCode PartialExportFile::Open(std::unique_ptr<IO::File>* file)
{
    if (file == nullptr)
        return IO::BadParameterErr;
    if (targetName.IsEmpty()) {
        LogMessageError("Zelto_export:: The export target \"%s\" names no file\n", PathText(target));
        return IO::BadLocationErr;
    }
    TargetState state;
    GSErrCode result = CheckTarget(&state);
    if (result == NoError)
        result = MakeTemporary();
    if (result == NoError && state.exists) {
        result = IO::fileSystem.SetPermissions(temporary, state.permissions);
        if (result != NoError)
            LogMessageError("Zelto_export:: Cannot give the temporary file %s the target's permissions: %s\n",
                            PathText(temporary), ErrID_To_Name(result));
    }
    if (result != NoError)
        return result;

    auto opened = std::make_unique<IO::File>(temporary, IO::File::Fail);
    result = opened->GetStatus();
    if (result == NoError)
        result = opened->Open(IO::File::WriteMode, IO::ReportAccessDenied);
    if (result != NoError) {
        LogMessageError("Zelto_export:: Cannot open the temporary file %s: %s\n", PathText(temporary),
                        ErrID_To_Name(result));
        return result;
    }
    *file = std::move(opened);
    return NoError;
}

GSErrCode PartialExportFile::Publish()
{
    if (!made)
        return IO::NotFoundErr;
    const GSErrCode result = IO::fileSystem.Rename(temporary, targetName);
    if (result != NoError) {
        LogMessageError("Zelto_export:: Cannot put the export file at %s: %s\n", PathText(target),
                        ErrID_To_Name(result));
        return result;
    }
    published = true;
    return NoError;
}

// The target may be absent, a file or a link (which is replaced); it must be one that this export
// may write. Its permissions go to the new file.
GSErrCode PartialExportFile::CheckTarget(TargetState* state) const
{
    IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
    GSErrCode result = IO::fileSystem.GetType(target, &type);
    if (result == IO::NotFoundErr)
        result = NoError;
    else if (result == NoError && type != IO::FileSystem::FileEntry && type != IO::FileSystem::LinkEntry)
        result = IO::WrongTypeErr;
    if (result != NoError) {
        LogMessageError("Zelto_export:: The export target %s is not a file that can be replaced: %s\n",
                        PathText(target), ErrID_To_Name(result));
        return result;
    }

    const IO::File probe(target, IO::File::Fail);
    result = probe.GetStatus();
    state->exists = result == NoError;
    if (result == IO::NotFoundErr)
        result = NoError;  // nothing there yet, or a link that leads nowhere
    if (result == NoError && !probe.IsOpenable(IO::File::WriteEmptyMode))
        result = IO::AccessDeniedErr;
    if (result == NoError && state->exists)
        result = IO::fileSystem.GetPermissions(target, &state->permissions);
    if (result != NoError)
        LogMessageError("Zelto_export:: Cannot write the export target %s: %s\n", PathText(target),
                        ErrID_To_Name(result));
    return result;
}

// Made exclusively: a name in use (by another export, or left by one that ended abruptly) is
// never taken over.
GSErrCode PartialExportFile::MakeTemporary()
{
    GSErrCode result = IO::AlreadyExistsErr;
    for (int attempt = 0; attempt < MaxNameAttempts && result == IO::AlreadyExistsErr; ++attempt) {
        temporary = target;
        result = temporary.SetLastLocalName(TemporaryNameFor(targetName, UniquePart()));
        if (result == NoError)
            result = IO::fileSystem.CreateFile(temporary);
    }
    if (result != NoError) {
        LogMessageError("Zelto_export:: Cannot make a temporary file beside %s: %s\n", PathText(target),
                        ErrID_To_Name(result));
        temporary.Clear();
        return result;
    }
    made = true;
    return NoError;
}

// Called from the destructor: nothing may leave it. A removal that fails is tried once more, since
// no later export would know the file.
void PartialExportFile::RemoveTemporary() const
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        GSErrCode result = IO::GeneralIOErr;
        RunWithoutThrowing("Cannot remove the temporary file", [&] { result = IO::fileSystem.Delete(temporary); });
        if (result == NoError || result == IO::NotFoundErr)
            return;
        RunWithoutThrowing("Cannot remove the temporary file", [&] {
            LogMessageError("Zelto_export:: Cannot remove the temporary file %s: %s\n", PathText(temporary),
                            ErrID_To_Name(result));
        });
    }
}

}  // namespace WRL
