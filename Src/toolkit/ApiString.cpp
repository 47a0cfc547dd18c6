#include "ApiString.hpp"

#include <cstring>

#include "BM.hpp"

void ApiString::GSFreeDeleter::operator()(void* block) const
{
    GS_free(block);
}

ApiString::CharCopy ApiString::MakeCharCopy(const GS::UniString& text)
{
    const GS::UniString::CStr converted = text.ToCStr(CC_UTF8);
    const std::size_t length = std::strlen(converted.Get());
    CharCopy copy(static_cast<char*>(GS_malloc(length + 1)));
    std::memset(copy.get(), 0, length + 1);
    if (length > 0)
        std::memcpy(copy.get(), converted.Get(), length);
    return copy;
}

ApiString::UnicodeCopy ApiString::MakeUnicodeCopy(const GS::UniString& text)
{
    const std::size_t length = text.GetLength();
    const std::size_t bytes = (length + 1) * sizeof(unsigned short);
    UnicodeCopy copy(static_cast<unsigned short*>(GS_malloc(bytes)));
    std::memset(copy.get(), 0, bytes);
    if (length > 0)
        GS::ucscpy(copy.get(), text.ToUStr().Get());  // stops at an embedded 0 unit, within the buffer
    return copy;
}

ApiString::ApiString()
{
    Create();
}

ApiString::ApiString(const GS::UniString& text) : GS::UniString(text)
{
    Create();
}

ApiString::ApiString(const ApiString& other) : GS::UniString(other.GetText())
{
    Create();
}

ApiString::~ApiString()
{
    Delete();
}

ApiString& ApiString::operator=(const ApiString& other)
{
    if (&other != this)
        AssignAndRemake(other.GetText());
    return *this;
}

ApiString& ApiString::operator=(const GS::UniString& text)
{
    if (GetText() != text)
        AssignAndRemake(text);
    return *this;
}

ApiString& ApiString::operator=(const char* text)
{
    const GS::UniString converted(text, CC_Default);
    if (GS::UniString::Compare(converted, GS::CaseSensitive) != GS::UniString::Equal)
        AssignAndRemake(converted);
    return *this;
}

ApiString& ApiString::operator=(const unsigned short* text)
{
    const GS::UniString converted(text);
    if (GS::UniString::Compare(converted, GS::CaseSensitive) != GS::UniString::Equal)
        AssignAndRemake(converted);
    return *this;
}

void ApiString::Set(const GS::UniString& text)
{
    AssignAndRemake(text);
}

void ApiString::Create()
{
    CharCopy newChar = MakeCharCopy(GetText());
    UnicodeCopy newUnicode = MakeUnicodeCopy(GetText());
    cStr = std::move(newChar);
    uStr = std::move(newUnicode);
}

void ApiString::Delete()
{
    cStr.reset();
    uStr.reset();
}

void ApiString::CreateChar()
{
    cStr = MakeCharCopy(GetText());
}

void ApiString::CreateWChar()
{
    uStr = MakeUnicodeCopy(GetText());
}

void ApiString::AssignAndRemake(const GS::UniString& text)
{
    CharCopy newChar = MakeCharCopy(text);
    UnicodeCopy newUnicode = MakeUnicodeCopy(text);
    GS::UniString::operator=(text);
    cStr = std::move(newChar);
    uStr = std::move(newUnicode);
}
