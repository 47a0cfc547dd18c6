// The host's text type: a sequence of UTF-16 units.
#ifndef GSROOT_UNISTRING_HPP
#define GSROOT_UNISTRING_HPP

#include <string>

#include "Definitions.hpp"

namespace GS {

// Case modes of the host's comparisons: 0 compares exactly, 1 disregards letter case.
enum CaseSensitivity : Int32 { CaseSensitive = 0, CaseInsensitive = 1 };

class GSROOT_DLL_EXPORT UniString {
public:
    enum CompareResult : Int32 { Less = 0, Equal = 1, Greater = 2 };
    static constexpr UIndex MaxUSize = MaxUIndex;

    // An owning 8-bit conversion result; valid as long as the object lives.
    class CStr {
    public:
        explicit CStr(std::string text) : bytes(std::move(text)) {}
        const char* Get() const { return bytes.c_str(); }
        operator const char*() const { return bytes.c_str(); }
    private:
        std::string bytes;
    };

    class UStr {
    public:
        explicit UStr(std::u16string text) : units(std::move(text)) {}
        const uchar_t* Get() const { return reinterpret_cast<const uchar_t*>(units.c_str()); }
        operator const uchar_t*() const { return Get(); }
    private:
        std::u16string units;
    };

    UniString() = default;
    UniString(const char* text, GSCharCode code = CC_Default);
    UniString(const uchar_t* text);
    UniString(const uchar_t* text, USize length);
    UniString(const UniString& source, UIndex from, USize length);
    UniString(const UniString&) = default;
    UniString(UniString&&) noexcept = default;
    virtual ~UniString();

    UniString& operator=(const UniString&) = default;
    UniString& operator=(UniString&&) noexcept = default;
    UniString& operator=(const char* text);
    UniString& operator=(const uchar_t* text);

    USize GetLength() const { return static_cast<USize>(units.size()); }
    bool IsEmpty() const { return units.empty(); }
    void Clear() { units.clear(); }
    uchar_t GetChar(UIndex index) const { return static_cast<uchar_t>(units.at(index)); }
    uchar_t operator[](UIndex index) const { return GetChar(index); }

    // Conversions. Code 0 and code 99 both give UTF-8.
    CStr ToCStr(UIndex from = 0, USize range = MaxUSize, GSCharCode code = CC_Default) const;
    CStr ToCStr(GSCharCode code) const { return ToCStr(0, MaxUSize, code); }
    UStr ToUStr(UIndex from = 0, USize range = MaxUSize) const;
    std::string ToUtf8() const;

    CompareResult Compare(const UniString& other, CaseSensitivity caseMode = CaseSensitive) const;
    bool IsEqual(const UniString& other, CaseSensitivity caseMode = CaseSensitive) const;
    bool IsASCII() const;

    UIndex FindFirst(const UniString& toFind, UIndex from = 0) const;  // MaxUIndex when absent
    UIndex FindLast(const UniString& toFind) const;
    bool Contains(const UniString& toFind) const { return FindFirst(toFind) != MaxUIndex; }
    bool BeginsWith(const UniString& prefix) const;
    bool EndsWith(const UniString& suffix) const;
    UniString GetSubstring(UIndex from, USize length) const;
    UniString GetPrefix(USize length) const { return GetSubstring(0, length); }
    UniString GetSuffix(USize length) const;

    UniString& Append(const UniString& text);
    UniString& Append(uchar_t unit);
    UniString& Insert(UIndex position, const UniString& text);
    UniString& Delete(UIndex from, USize length);
    UniString& DeleteLast() { if (!units.empty()) units.pop_back(); return *this; }
    USize ReplaceAll(const UniString& toFind, const UniString& replacement);
    UniString& SetToLowerCase();
    UniString& SetToUpperCase();
    UniString ToLowerCase() const { UniString copy(*this); copy.SetToLowerCase(); return copy; }
    UniString ToUpperCase() const { UniString copy(*this); copy.SetToUpperCase(); return copy; }
    UniString& Trim();

    UniString& operator+=(const UniString& text) { return Append(text); }
    UniString& operator+=(const char* text) { return Append(UniString(text)); }

    static UniString Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static UniString FromUtf8(const std::string& text) { return UniString(text.c_str(), CC_UTF8); }

    const std::u16string& Units() const { return units; }

private:
    std::u16string units;
};

GSROOT_DLL_EXPORT bool operator==(const UniString& left, const UniString& right);
GSROOT_DLL_EXPORT bool operator!=(const UniString& left, const UniString& right);
GSROOT_DLL_EXPORT bool operator<(const UniString& left, const UniString& right);
GSROOT_DLL_EXPORT UniString operator+(const UniString& left, const UniString& right);

// Classification of single UTF-16 units.
class GSROOT_DLL_EXPORT UniChar {
public:
    static bool IsWhiteSpace(uchar_t unit);
    static bool IsDigit(uchar_t unit);
    static uchar_t ToLower(uchar_t unit);
    static uchar_t ToUpper(uchar_t unit);
};

// The host's line end in 8-bit texts.
constexpr char EOL[] = "\n";

GSROOT_DLL_EXPORT USize ucslen(const uchar_t* text);
GSROOT_DLL_EXPORT uchar_t* ucscpy(uchar_t* destination, const uchar_t* source);
// Copies at most count units and fills the rest of the count with NULs, as strncpy does: a source
// of count units or more leaves the destination without a terminating NUL.
GSROOT_DLL_EXPORT uchar_t* ucsncpy(uchar_t* destination, const uchar_t* source, USize count);
GSROOT_DLL_EXPORT Int32 ucscmp(const uchar_t* left, const uchar_t* right);

GSROOT_DLL_EXPORT std::u16string Utf8ToUtf16(const char* text, std::size_t length);
GSROOT_DLL_EXPORT std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace GS

// Texts as keys of hash sets and maps.
namespace std {
template <>
struct hash<GS::UniString> {
    std::size_t operator()(const GS::UniString& text) const noexcept { return std::hash<std::u16string>()(text.Units()); }
};
}  // namespace std

#endif
