#include "FileSizeHelpers.hpp"

#include "DebugChannel.hpp"
#include "File.hpp"

namespace {

const char* const SizeUnits[] = {"B", "KB", "MB", "GB", "TB"};
constexpr int MaxDivisions = 4;
constexpr float OneKiloth = 0.0009765625f;  // 1/1024

}  // namespace

UInt64 GetFileSize(const IO::Location& loc)
{
    UInt64 length = 0;
    IO::File file(loc, IO::File::Fail);
    if (file.GetDataLength(&length) != NoError) {
        DBPrintf("Can't get file size: '%s'\n", loc.ToDisplayText().ToCStr(CC_UTF8).Get());
        return 0;
    }
    return length;
}

UInt64 GetFileSize(const GS::UniString& path)
{
    return GetFileSize(IO::Location(path));
}

GS::UniString FileSizeToStr(UInt64 size)
{
    // Only the last division's remainder makes the fraction; earlier ones are dropped.
    UInt64 quotient = size;
    UInt64 remainder = 0;
    int divisions = 0;
    while (quotient >= 1024 && divisions < MaxDivisions) {
        remainder = quotient & 1023;
        quotient >>= 10;
        ++divisions;
    }
    const float value = static_cast<float>(quotient) + static_cast<float>(remainder) * OneKiloth;
    return GS::UniString::Printf("%.2f %s", static_cast<double>(value), SizeUnits[divisions]);
}

GS::UniString GetFileSizeStr(const IO::Location& loc)
{
    return FileSizeToStr(GetFileSize(loc));
}

GS::UniString GetFileSizeStr(const GS::UniString& path)
{
    return GetFileSizeStr(IO::Location(path));
}
