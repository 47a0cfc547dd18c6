#include "ZELTO_export_VersionFile.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "CH.hpp"
#include "ExceptionLog.hpp"

namespace WRL {

namespace {

constexpr Int32 IgnoreCase = 1;
constexpr char Separator = '=';
constexpr char Blank = ' ';
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr UInt32 ByteOrderMarkLength = sizeof ByteOrderMark - 1;

bool IsLineTerminator(char byte)
{
    return byte == 0x0A || byte == 0x0D || byte == 0x17;
}

}  // namespace

MAIni::MAIni(const IO::Location& location) : file(std::make_unique<IO::File>(location, IO::File::Fail))
{
    status = file->GetStatus();
    if (status != NoError)
        return;
    // A file that exists but cannot be opened must not pass for a readable one.
    status = file->Open(IO::File::ReadMode, IO::ReportAccessDenied);
    if (status != NoError)
        return;
    status = file->GetDataLength(&length);
    if (status != NoError)
        length = 0;
}

MAIni::MAIni(std::string_view contents) : memory(contents)
{
    length = static_cast<UInt32>(std::min<std::size_t>(contents.size(), std::numeric_limits<UInt32>::max()));
}

MAIni::~MAIni()
{
    if (file != nullptr && file->IsOpen())
        RunWithoutThrowing("Cannot close the version file", [this] { file->Close(); });
}

const char* MAIni::GetString(const char* key, const char* defaultValue)
{
    Text value{};
    resultCut = false;
    if (!FindKey(key, value))
        return defaultValue;
    result = value;
    resultCut = lineCut;
    return result.data();
}

int MAIni::GetInt(const char* key, int defaultValue)
{
    Text value{};
    int number = 0;
    if (!FindKey(key, value) || std::sscanf(value.data(), "%d", &number) != 1)
        return defaultValue;
    return number;
}

long MAIni::GetLong(const char* key, long defaultValue)
{
    Text value{};
    long number = 0;
    if (!FindKey(key, value) || std::sscanf(value.data(), "%ld", &number) != 1)
        return defaultValue;
    return number;
}

bool MAIni::GetBool(const char* key, bool defaultValue)
{
    Text value{};
    int number = 0;
    if (!FindKey(key, value) || std::sscanf(value.data(), "%d", &number) != 1)
        return defaultValue;
    return number != 0;
}

bool MAIni::FindKey(const char* key, Text& value)
{
    position = 0;
    if (length == 0 || Rewind() != NoError)
        return false;
    while (position < length) {
        if (ReadLine() != NoError)
            return false;
        Text lineKey{};
        Text lineValue{};
        if (FindSeparator(lineKey, lineValue) && CHCompareASCII(lineKey.data(), key, IgnoreCase) == 0) {
            value = lineValue;
            return true;
        }
    }
    return false;
}

bool MAIni::FindSeparator(Text& key, Text& value) const
{
    const char* separator = std::strchr(line.data(), Separator);
    if (separator == nullptr)
        return false;
    const std::size_t keyLength = static_cast<std::size_t>(separator - line.data());
    key.fill('\0');
    std::memcpy(key.data(), line.data(), keyLength);
    value.fill('\0');
    std::strcpy(value.data(), separator + 1);
    RemoveWhiteSpaces(key);
    RemoveWhiteSpaces(value);
    return true;
}

GSErrCode MAIni::Rewind()
{
    return file != nullptr ? file->Seek(0) : NoError;
}

GSErrCode MAIni::ReadBlock()
{
    const UInt32 remaining = length - position;
    const UInt32 count = remaining < BlockSize ? remaining : BlockSize;
    if (file == nullptr) {
        std::memcpy(block.data(), memory.data() + position, count);
        return NoError;
    }
    return file->ReadBin(block.data(), count);
}

bool MAIni::BlockStartsWithByteOrderMark() const
{
    return length >= ByteOrderMarkLength && std::memcmp(block.data(), ByteOrderMark, ByteOrderMarkLength) == 0;
}

// The next non-empty line into line: terminators before its first character are skipped. A line
// keeps its first 255 characters; the rest of it is dropped, so that the tail of a long value can
// never pass for a key=value line of its own, and lineCut tells when that lost more than blanks.
GSErrCode MAIni::ReadLine()
{
    std::size_t count = 0;
    line[0] = '\0';
    lineCut = false;
    while (position < length) {
        if (position % BlockSize == 0) {
            const GSErrCode read = ReadBlock();
            if (read != NoError)
                return read;
            if (position == 0 && BlockStartsWithByteOrderMark()) {
                position = ByteOrderMarkLength;
                continue;
            }
        }
        const char byte = block[position % BlockSize];
        ++position;
        if (IsLineTerminator(byte)) {
            if (count > 0)
                break;
            continue;
        }
        if (count < MaxLineLength)
            line[count++] = byte;
        else if (byte != Blank)  // trailing blanks would be trimmed anyway
            lineCut = true;
    }
    line[count] = '\0';
    return NoError;
}

// Trims blanks (not tabs) from both ends, but never the first character: a text of blanks only
// keeps one.
void MAIni::RemoveWhiteSpaces(Text& text)
{
    std::size_t end = std::strlen(text.data());
    while (end > 1 && text[end - 1] == Blank)
        --end;
    std::size_t start = 0;
    while (start + 1 < end && text[start] == Blank)
        ++start;
    std::memmove(text.data(), text.data() + start, end - start);
    text[end - start] = '\0';
}

}  // namespace WRL
