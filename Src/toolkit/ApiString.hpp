// A host text that keeps an 8-bit copy (character code 99) and a UTF-16 copy of itself, for host
// calls and file records that take C strings.
#ifndef TOOLKIT_APISTRING_HPP
#define TOOLKIT_APISTRING_HPP

#include <memory>

#include "UniString.hpp"

// The text is a private base: every change goes through the members below, so the two copies
// always hold the current text. Read the text itself through GetText() or the read-only members.
class ApiString : private GS::UniString {
public:
    ApiString();
    ApiString(const GS::UniString& text);
    ApiString(const ApiString& other);
    ~ApiString() override;

    ApiString& operator=(const ApiString& other);
    ApiString& operator=(const GS::UniString& text);
    ApiString& operator=(const char* text);            // default character code
    ApiString& operator=(const unsigned short* text);  // UTF-16, NUL-terminated

    void Set(const GS::UniString& text);  // assigns and remakes the copies, even for an equal text
    void Create();                        // remakes both copies from the current text
    void Delete();                        // frees both copies; GetChar and GetWChar give null until Create

    const char* GetChar() const { return cStr.get(); }
    const unsigned short* GetWChar() const { return uStr.get(); }

    void CreateChar();   // remakes the 8-bit copy
    void CreateWChar();  // remakes the UTF-16 copy

    const GS::UniString& GetText() const { return *this; }
    using GS::UniString::Compare;
    using GS::UniString::FindFirst;
    using GS::UniString::GetLength;
    using GS::UniString::IsASCII;
    using GS::UniString::IsEmpty;
    using GS::UniString::IsEqual;
    using GS::UniString::ToCStr;
    using GS::UniString::ToUStr;

private:
    struct GSFreeDeleter {
        void operator()(void* block) const;
    };
    using CharCopy = std::unique_ptr<char[], GSFreeDeleter>;
    using UnicodeCopy = std::unique_ptr<unsigned short[], GSFreeDeleter>;

    static CharCopy MakeCharCopy(const GS::UniString& text);
    static UnicodeCopy MakeUnicodeCopy(const GS::UniString& text);

    // Makes both copies of the new text before anything changes, so a failed allocation leaves
    // text and copies as they were.
    void AssignAndRemake(const GS::UniString& text);

    CharCopy cStr;
    UnicodeCopy uStr;
};

#endif
