#include "LibPartAuthoring.hpp"

#include <cstring>
#include <limits>
#include <string>

#include "CH.hpp"
#include "HostNames.hpp"
#include "LibPartWrappers.hpp"
#include "LogHelpers.hpp"
#include "OwnedHandle.hpp"
#include "TextHelpers.hpp"

namespace {

// A text field of API_AddParType holds this many units with its NUL.
constexpr GS::USize TextFieldUnits = API_UAddParStrLen;
static_assert(API_UAddParDescLen == API_UAddParStrLen, "description and text value share the copy");
constexpr GS::USize MaxTextUnits = TextFieldUnits - 1;

bool IsHighSurrogate(GS::uchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Terminates a field that holds count units, so that a cut never leaves half a character.
void TerminateUnits(GS::uchar_t* field, GS::USize count)
{
    if (count == MaxTextUnits && IsHighSurrogate(field[count - 1]))
        --count;
    field[count] = 0;
}

void CopyUnits(GS::uchar_t* field, const unsigned short* text)
{
    GS::USize count = 0;
    while (text != nullptr && count < MaxTextUnits && text[count] != 0)
        ++count;
    GS::ucsncpy(field, text, count);
    TerminateUnits(field, count);
}

void CopyAnsi(GS::uchar_t* field, const char* text)
{
    if (text == nullptr) {
        field[0] = 0;
        return;
    }
    const std::size_t length = std::strlen(text);
    const Int32 byteCount = static_cast<Int32>(std::min<std::size_t>(length, std::numeric_limits<Int32>::max()));
    const Int32 converted = CHANSI2Unicode(text, byteCount, field, static_cast<Int32>(MaxTextUnits), CC_Default);
    TerminateUnits(field, converted > 0 ? static_cast<GS::USize>(converted) : 0);
}

void SetHead(API_AddParType* param, API_AddParID type, UInt16 typeMod, unsigned short flags, const char* name)
{
    param->typeID = type;
    param->typeMod = typeMod;
    param->flags = flags;
    CHTruncate(name, param->name, API_NameLen);
}

void SetSingle(API_AddParType* param, API_AddParID type, unsigned short flags, const char* name,
               const unsigned short* description)
{
    SetHead(param, type, API_ParSimple, flags, name);
    CopyUnits(param->uDescname, description);
}

GSErrCode WriteLine(std::string& bytes)
{
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<Int32>::max())) {
        LogMessageError("Error: Libpart line too long: %zu bytes", bytes.size());
        return APIERR_BADPARS;
    }
    const GSErrCode error = LibPart::WriteSection(static_cast<Int32>(bytes.size()), bytes.data());
    if (error != NoError)
        LogMessageError("Error: Cannot write Libpart Section: #%s", ErrID_To_Name(error));
    return error;
}

// The handle's bytes up to the first NUL, never beyond its size.
GS::UniString HandleText(GSConstHandle handle)
{
    const std::size_t size = static_cast<std::size_t>(BMGetHandleSize(handle));
    const std::string bytes(*handle, strnlen(*handle, size));
    return GS::UniString(bytes.c_str(), CC_UTF8);
}

}  // namespace

// ---- Section lines -----------------------------------------------------------------------------------

GSErrCode AddLibpartLine(char const* text)
{
    std::string line = text != nullptr ? text : "";
    line += GS::EOL;
    return WriteLine(line);
}

GSErrCode AddLibpartLine(const GS::UniString& text)
{
    return AddLibpartLine(text.ToCStr(CC_UTF8).Get());
}

GSErrCode AddToLibpartLine(GS::UniString& line, const GS::UniString& word, bool withBlank, unsigned int maxLength)
{
    const Int64 blank = withBlank ? 1 : 0;
    const Int64 needed = Int64(line.GetLength()) + blank + Int64(word.GetLength());
    if (needed < Int64(maxLength) - blank - 1) {
        if (withBlank)
            line.Append(" ");
        line.Append(word);
        return NoError;
    }
    const GS::UniString indentation = GetBeginWhiteSpaces(line);
    if (indentation.GetLength() < line.GetLength()) {
        const GSErrCode written = AddLibpartLine(line);
        if (written != NoError)
            return written;
    }
    line = indentation;
    line.Append(word);
    return NoError;
}

// ---- Parameter records -------------------------------------------------------------------------------

void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, char const* description, double const& value, char const* text)
{
    if (param == nullptr)
        return;
    SetHead(param, type, API_ParSimple, flags, name);
    CopyAnsi(param->uDescname, description);
    if (type == APIParT_CString)
        CopyAnsi(param->value.uStr, text);
    else
        param->value.real = value;
}

void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description)
{
    if (param != nullptr)
        SetSingle(param, type, flags, name, description);
}

void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, double const& value)
{
    if (param == nullptr)
        return;
    SetSingle(param, type, flags, name, description);
    param->value.real = value;
}

void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, bool const& value)
{
    AddLibpartParameter(param, type, flags, name, description, value ? 1.0 : 0.0);
}

void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, int const& value)
{
    AddLibpartParameter(param, type, flags, name, description, static_cast<double>(value));
}

void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, unsigned short const* value)
{
    if (param == nullptr)
        return;
    SetSingle(param, type, flags, name, description);
    CopyUnits(param->value.uStr, value);
}

GSErrCode AddLibpartParameterArray(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                                   char const* name, unsigned short const* description, int const& firstDimension,
                                   int const& secondDimension, char*** items)
{
    if (param == nullptr)
        return APIERR_BADPARS;
    SetHead(param, type, API_ParArray, flags, name);
    CopyUnits(param->uDescname, description);
    param->dim1 = firstDimension;
    param->dim2 = secondDimension;
    param->value.array = nullptr;
    if (items == nullptr || *items == nullptr) {
        LogMessageError("Error: Libpart parameter '%s' has no items", param->name);
        return APIERR_BADPARS;
    }
    const GSErrCode copied = BMHandleToHandle(*items, &param->value.array);
    if (copied != NoError)
        LogMessageError("Error: Cannot copy the items of Libpart parameter '%s' #%s", param->name,
                        ErrID_To_Name(copied));
    return copied;
}

// ---- Text sections read back ---------------------------------------------------------------------------

GSErrCode GetLibpartScript(API_LibPart const& libPart, unsigned int sectionType, GS::Array<GS::UniString>& lines)
{
    API_LibPartSection section;
    std::memset(&section, 0, sizeof section);
    section.sectType = static_cast<Int32>(sectionType);
    OwnedHandle content;
    GS::UniString text;
    const GSErrCode error = LibPart::GetSection(libPart.index, &section, content.Receive(), &text, nullptr);
    if (error != NoError) {
        LogMessageError("Error: Cannot get Libpart Section: #%s", ErrID_To_Name(error));
        return error;
    }
    if (content.Get() != nullptr)
        lines = SplitToLines(HandleText(content.Get()));
    else if (!text.IsEmpty())
        lines = SplitToLines(text);
    return NoError;
}

GSErrCode GetLibpartDescription(API_LibPart const& libPart, GS::Array<GS::UniString>& lines)
{
    return GetLibpartScript(libPart, DescriptionSection, lines);
}

GSErrCode GetLibpartKeywords(API_LibPart const& libPart, GS::Array<GS::UniString>& lines)
{
    return GetLibpartScript(libPart, KeywordsSection, lines);
}
