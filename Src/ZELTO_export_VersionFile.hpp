// Reads values from a small text of key=value lines, such as the version file of the update check,
// held in a file or in memory. Every lookup scans the text from its start through one fixed block
// and returns the trimmed value of the first line whose trimmed key matches, letter case
// disregarded. There are no sections or comments: every line with an '=' is a pair. A leading UTF-8
// byte-order mark is skipped; a line keeps its first 255 characters and drops the rest.
#ifndef ZELTO_EXPORT_VERSIONFILE_HPP
#define ZELTO_EXPORT_VERSIONFILE_HPP

#include <array>
#include <memory>
#include <string_view>

#include "Definitions.hpp"
#include "File.hpp"
#include "Location.hpp"

namespace WRL {

class MAIni {
public:
    explicit MAIni(const IO::Location& location);
    // Reads the bytes in memory, which must outlive the reader; such a reader is always ready.
    explicit MAIni(std::string_view contents);
    ~MAIni();
    MAIni(const MAIni&) = delete;
    MAIni& operator=(const MAIni&) = delete;

    // NoError when the file is open and its length known. A reader that failed still answers every
    // lookup, with the default.
    GSErrCode GetStatus() const { return status; }

    // The value, in a buffer of the reader that the next GetString overwrites; the default pointer
    // itself when the key is not found.
    const char* GetString(const char* key, const char* defaultValue);
    // True when the value of the last GetString came from a line longer than 255 characters and
    // lost more than blanks past them; false when it was read whole or the key was not found.
    bool LastValueWasCut() const { return resultCut; }
    // The number at the start of the value; the default when the key is not found or holds no number.
    int GetInt(const char* key, int defaultValue);
    long GetLong(const char* key, long defaultValue);
    bool GetBool(const char* key, bool defaultValue);

private:
    static constexpr UInt32 BlockSize = 4096;
    static constexpr std::size_t TextSize = 256;  // 255 characters and the NUL
    static constexpr std::size_t MaxLineLength = TextSize - 1;
    using Text = std::array<char, TextSize>;

    bool FindKey(const char* key, Text& value);
    bool FindSeparator(Text& key, Text& value) const;
    GSErrCode Rewind();
    GSErrCode ReadLine();
    GSErrCode ReadBlock();
    bool BlockStartsWithByteOrderMark() const;
    static void RemoveWhiteSpaces(Text& text);

    std::unique_ptr<IO::File> file;  // null when the text is in memory
    std::string_view memory;
    UInt32 position = 0;
    UInt32 length = 0;
    std::array<char, BlockSize> block{};
    Text line{};
    bool lineCut = false;  // line lost characters other than blanks past its 255th
    Text result{};
    bool resultCut = false;
    GSErrCode status = NoError;
};

}  // namespace WRL

#endif
