#include "TemporaryCopy.hpp"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

#include "ExceptionLog.hpp"
#include "FileSystem.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"

namespace {

// Names tried before giving up: another name is taken only when one is in use already.
constexpr int MaxNameAttempts = 16;
constexpr std::size_t UniquePartDigits = 8;

// A well-mixed 64-bit value from a seed (splitmix64).
UInt64 Mixed(UInt64 value)
{
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// Eight hex digits that differ from copy to copy and from process to process. The system's random
// source decides; the clock, the process and a counter stand in when it cannot be read.
std::string MakeUniquePart()
{
    static std::atomic<UInt64> counter{0};
    UInt64 seed = static_cast<UInt64>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                  (static_cast<UInt64>(::getpid()) << 32) ^ Mixed(++counter);
    try {
        std::random_device device;
        seed ^= (static_cast<UInt64>(device()) << 32) | device();
    } catch (...) {
    }
    char digits[UniquePartDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(Mixed(seed) & 0xFFFFFFFFu));
    return digits;
}

// The length of the longest start of text that has at most maxBytes bytes and ends between two
// UTF-8 characters.
std::size_t CutAtCharacter(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}  // namespace

TemporaryCopy::TemporaryCopy(const IO::Location& targetLocation, const IO::Name& name)
    : target(targetLocation), targetName(name)
{
}

TemporaryCopy::~TemporaryCopy()
{
    if (claimed && !placed)
        Remove();
}

IO::Name TemporaryCopy::TemporaryNameFor(const IO::Name& name, const std::string& uniquePart)
{
    const std::string tail = "." + uniquePart + NameSuffix;
    const std::string& text = name.ToUtf8();
    const std::size_t frame = std::strlen(NamePrefix) + tail.size();
    const std::size_t kept = CutAtCharacter(text, IO::Name::MaxNameBytes - frame);
    return IO::Name((NamePrefix + text.substr(0, kept) + tail).c_str());
}

// A name beside the target that no entry uses; AlreadyExistsErr when the one drawn is in use.
GSErrCode TemporaryCopy::DrawFreeName()
{
    temporary = target;
    GSErrCode result = temporary.SetLastLocalName(TemporaryNameFor(targetName, MakeUniquePart()));
    if (result != NoError)
        return result;
    IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
    result = IO::fileSystem.GetType(temporary, &type);
    if (result == IO::NotFoundErr)
        return NoError;
    return result == NoError ? IO::AlreadyExistsErr : result;
}

// The host's copy makes its target exclusively: a name taken between the look and the copy is
// answered with AlreadyExistsErr, and then another name is drawn.
GSErrCode TemporaryCopy::Make(const IO::Location& source)
{
    GSErrCode result = IO::AlreadyExistsErr;
    for (int attempt = 0; attempt < MaxNameAttempts && result == IO::AlreadyExistsErr; ++attempt) {
        result = DrawFreeName();
        if (result != NoError)
            continue;
        // Whatever a failed copy leaves at this free name is its own, and goes with it.
        claimed = true;
        result = IO::fileSystem.Copy(source, temporary);
        if (result == IO::AlreadyExistsErr)
            claimed = false;
    }
    complete = result == NoError;
    return result;
}

GSErrCode TemporaryCopy::PutInPlace()
{
    if (!complete)
        return IO::NotFoundErr;
    const GSErrCode result = IO::fileSystem.Rename(temporary, targetName);
    placed = result == NoError;
    return result;
}

// Called from the destructor: nothing may leave it.
void TemporaryCopy::Remove() const
{
    RunWithoutThrowing("Cannot remove the temporary copy", [this] {
        const GSErrCode result = IO::fileSystem.Delete(temporary, IO::FileSystem::DataSafety(0),
                                                       IO::AccessDeniedTreatment(2));
        if (result == NoError || result == IO::NotFoundErr)
            return;
        GS::UniString path;
        temporary.ToPath(&path);
        LogMessageError("Error: Cannot remove the temporary copy '%s' #%s", path.ToCStr(CC_Default).Get(),
                        ErrID_To_Name(result));
    });
}
