#include "GSPrefFile.hpp"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "DebugChannel.hpp"
#include "GSPref.hpp"

namespace GSPref {

namespace {

const std::string FileHeader = "GSPref 1";

// ---- Text form of one field ---------------------------------------------------------------------

std::string Escape(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\\': escaped += "\\\\"; break;
            case '\t': escaped += "\\t"; break;
            case '\n': escaped += "\\n"; break;
            case '\r': escaped += "\\r"; break;
            default: escaped += c; break;
        }
    }
    return escaped;
}

std::optional<std::string> Unescape(const std::string& field)
{
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
            case '\\': text += '\\'; break;
            case 't': text += '\t'; break;
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            default: return std::nullopt;
        }
    }
    return text;
}

std::optional<Int32> ParseInt32(const std::string& field)
{
    Int32 value = 0;
    const char* const end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    if (field.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseBool(const std::string& field)
{
    if (field == "true")
        return true;
    if (field == "false")
        return false;
    return std::nullopt;
}

// ---- Lines ---------------------------------------------------------------------------------------

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::optional<StoredValue> ParseValue(const std::string& type, const std::string& field)
{
    if (type == "i") {
        if (const auto number = ParseInt32(field))
            return StoredValue(*number);
    } else if (type == "b") {
        if (const auto flag = ParseBool(field))
            return StoredValue(*flag);
    } else if (type == "s") {
        if (const auto text = Unescape(field))
            return StoredValue(*text);
    }
    return std::nullopt;
}

// Adds one value line to the values; false when the line is malformed or names a value twice.
bool AddValueLine(const std::string& line, StoredValues* values)
{
    const std::vector<std::string> fields = Split(line, '\t');
    if (fields.size() != 4)
        return false;
    const auto folder = Unescape(fields[1]);
    const auto key = Unescape(fields[2]);
    const auto value = ParseValue(fields[0], fields[3]);
    if (!folder || !key || !value || folder->empty() || key->empty())
        return false;
    return values->emplace(ValueName(*folder, *key), *value).second;
}

std::string ValueLine(const ValueName& name, const StoredValue& value)
{
    std::string line;
    if (const auto* number = std::get_if<Int32>(&value))
        line = "i\t" + Escape(name.first) + "\t" + Escape(name.second) + "\t" + std::to_string(*number);
    else if (const auto* flag = std::get_if<bool>(&value))
        line = "b\t" + Escape(name.first) + "\t" + Escape(name.second) + "\t" + (*flag ? "true" : "false");
    else
        line = "s\t" + Escape(name.first) + "\t" + Escape(name.second) + "\t" + Escape(std::get<std::string>(value));
    return line + "\n";
}

std::string FileText(const StoredValues& values)
{
    std::string text = FileHeader + "\n";
    for (const auto& [name, value] : values)
        text += ValueLine(name, value);
    return text;
}

void PassOver(const std::string& path, std::size_t lineNumber, const char* why)
{
    DBPrintf("GSPref: %s, line %zu: %s; the line is passed over\n", path.c_str(), lineNumber, why);
}

// Every line, the last one too, ends with a newline: a last line without it was cut short and may
// hold only part of its value.
StoredValues ParseFileText(const std::string& path, const std::string& text)
{
    if (text.empty())
        return {};
    std::vector<std::string> lines = Split(text, '\n');
    const bool cutShort = !lines.back().empty();
    lines.pop_back();  // what follows the last newline
    StoredValues values;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && lines[i] == FileHeader)
            continue;
        const bool added = AddValueLine(lines[i], &values);
        if (i == 0)
            DBPrintf("GSPref: %s, line 1: the header \"%s\" is missing%s\n", path.c_str(), FileHeader.c_str(),
                     added ? "" : "; the line is passed over");
        else if (!added)
            PassOver(path, i + 1, "not a preference value, or one named before");
    }
    if (cutShort)
        PassOver(path, lines.size() + 1, "cut short");
    return values;
}

// Every byte of a regular file; false, with the reason (empty when there is no file), when it
// cannot be read.
bool ReadRegularFile(const std::string& path, std::string* text, std::string* why)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        *why = errno == ENOENT ? "" : std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool read = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    if (!read)
        *why = "not a file";
    char block[4096];
    while (read) {
        const ssize_t got = ::read(descriptor, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            *why = std::strerror(errno);
        if (got <= 0) {
            read = got == 0;
            break;
        }
        text->append(block, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return read;
}

// ---- The file ------------------------------------------------------------------------------------

bool WriteAll(int descriptor, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the bytes to a fresh temporary file beside the path; its name, or empty on failure.
std::string WriteTemporaryFile(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return {};
    const bool written = WriteAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    const bool closed = ::close(descriptor) == 0;
    if (written && closed)
        return temporary;
    ::unlink(temporary.c_str());
    return {};
}

}  // namespace

StoredValues LoadPreferenceFile(const std::string& path)
{
    std::string text;
    std::string why;
    if (ReadRegularFile(path, &text, &why))
        return ParseFileText(path, text);
    if (!why.empty())
        DBPrintf("GSPref: %s cannot be read (%s); the preferences start empty\n", path.c_str(), why.c_str());
    return {};
}

GSErrCode SavePreferenceFile(const std::string& path, const StoredValues& values)
{
    const std::string temporary = WriteTemporaryFile(path, FileText(values));
    if (temporary.empty())
        return StoreWriteErr;
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return StoreWriteErr;
    }
    return NoError;
}

}  // namespace GSPref
