#include "LibPartDumps.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "BM.hpp"
#include "CH.hpp"
#include "HostNames.hpp"
#include "LibPartParams.hpp"
#include "LibPartWrappers.hpp"
#include "LogHelpers.hpp"
#include "OwnedHandle.hpp"

namespace {

// Buffer sizes of the report lines, terminator included.
constexpr std::size_t SectionLineSize = 128;
constexpr std::size_t LineSize = 256;

// Library-part types whose details the parameter dump reads.
constexpr API_LibTypeID WindowType = 2;
constexpr API_LibTypeID DoorType = 3;
constexpr API_LibTypeID ObjectType = 4;
constexpr API_LibTypeID LampType = 5;
constexpr API_LibTypeID RoomType = 6;
constexpr API_LibTypeID LabelType = 9;

// The text as it fits a buffer of size bytes (character code 0); a cut keeps whole characters.
std::string Cut(const GS::UniString& text, std::size_t size = LineSize)
{
    std::vector<char> buffer(size, '\0');
    CHTruncate(text.ToCStr(CC_Default).Get(), buffer.data(), static_cast<Int32>(size));
    return buffer.data();
}

void Report(const GS::UniString& line, std::size_t size = LineSize)
{
    WriteReport("%s", Cut(line, size).c_str());
}

// The four characters of a section type, most significant byte first.
std::string FourCharacters(Int32 sectionType)
{
    const UInt32 code = static_cast<UInt32>(sectionType);
    const char text[] = {char(code >> 24), char(code >> 16), char(code >> 8), char(code), '\0'};
    return text;
}

// Calls report with each entry of the library part's section list; 0, or the list's error.
template <typename ReportSection>
GSErrCode ForEachSection(int libIndex, ReportSection report)
{
    Int32 count = 0;
    API_LibPartSection** list = nullptr;
    const GSErrCode listed = LibPart::GetSectionList(libIndex, &count, &list);
    const OwnedHandle ownedList(reinterpret_cast<GSHandle>(list));
    if (listed != NoError) {
        LogMessageError("Error: Cannot get Libpart Section list: #%s", ErrID_To_Name(listed));
        return listed;
    }
    const Int32 stored = BMGetHandleSize(ownedList.Get()) / static_cast<Int32>(sizeof(API_LibPartSection));
    for (Int32 i = 0; i < std::min(count, stored); ++i)
        report((*list)[i]);
    return NoError;
}

// Reads the section (its content handle is freed at once) and logs a failure.
GSErrCode ReadSection(int libIndex, const API_LibPartSection& entry, GS::UniString* text)
{
    API_LibPartSection section = entry;
    OwnedHandle content;
    const GSErrCode error = LibPart::GetSection(libIndex, &section, content.Receive(), text, nullptr);
    if (error != NoError)
        LogMessageError("Error: Cannot get Libpart Section: '%s' #%s", FourCharacters(entry.sectType).c_str(),
                        ErrID_To_Name(error));
    return error;
}

std::string IntegerText(double value)
{
    const double whole = std::trunc(value);
    // NaN fails both tests; values an int cannot hold are shown without the cast.
    if (whole >= double(std::numeric_limits<int>::min()) && whole <= double(std::numeric_limits<int>::max()))
        return Cut(GS::UniString::Printf("%d", static_cast<int>(whole)));
    return Cut(GS::UniString::Printf("%.0f", whole));
}

std::string QuotedText(const unsigned short* text)
{
    const GS::UniString unicode = text != nullptr ? GS::UniString(text) : GS::UniString();
    return Cut(GS::UniString::Printf("\"%s\"", unicode.ToCStr(CC_Default).Get()));
}

std::string ValueText(API_AddParID type, double value, const unsigned short* text)
{
    switch (type) {
        case APIParT_Integer:
        case APIParT_LightSw:
        case APIParT_Intens:
        case APIParT_LineTyp:
        case APIParT_Mater:
        case APIParT_FillPat:
        case APIParT_PenCol:
        case APIParT_Boolean:
            return IntegerText(value);
        case APIParT_Length:
        case APIParT_Angle:
        case APIParT_RealNum:
        case APIParT_ColRGB:
            return Cut(GS::UniString::Printf("%f", value));
        case APIParT_CString:
        case APIParT_Title:
            return QuotedText(text);
        case APIParT_Separator:
            return "-------------------";
        default:
            return "???????";
    }
}

void ReportArrayHeader(const char* name, Int64 firstDimension, Int64 secondDimension, unsigned int flags)
{
    Report(GS::UniString::Printf("    %s: [%lld][%lld] 0x%02X", name, static_cast<long long>(firstDimension),
                                 static_cast<long long>(secondDimension), flags));
}

// Item k of a row-major array with the given second dimension, both indices from 1.
void DumpItem(const API_AddParType& record, Int64 k, double value, const unsigned short* text)
{
    const int i = static_cast<int>(k / record.dim2 + 1);
    const int j = static_cast<int>(k % record.dim2 + 1);
    DumpOneLibpartParam(record.typeID, nullptr, 0, value, text, i, j);
}

// Consecutive doubles; returns how many were shown.
Int64 DumpRealItems(const API_AddParType& record, Int64 wanted, std::size_t size)
{
    const Int64 shown = std::min<Int64>(wanted, static_cast<Int64>(size / sizeof(double)));
    for (Int64 k = 0; k < shown; ++k) {
        double value = 0.0;
        std::memcpy(&value, *record.value.array + k * Int64(sizeof value), sizeof value);
        DumpItem(record, k, value, nullptr);
    }
    return shown;
}

// Consecutive NUL-terminated UTF-16 texts; a last text without its NUL ends at the handle's end.
Int64 DumpTextItems(const API_AddParType& record, Int64 wanted, std::size_t size)
{
    std::vector<GS::uchar_t> units(size / sizeof(GS::uchar_t));
    if (!units.empty())
        std::memcpy(units.data(), *record.value.array, units.size() * sizeof(GS::uchar_t));
    Int64 shown = 0;
    for (std::size_t start = 0; shown < wanted && start < units.size(); ++shown) {
        std::size_t end = start;
        while (end < units.size() && units[end] != 0)
            ++end;
        const GS::UniString text(units.data() + start, static_cast<GS::USize>(end - start));
        DumpItem(record, shown, 0.0, text.ToUStr().Get());
        start = end + 1;
    }
    return shown;
}

void DumpArrayItems(const API_AddParType& record, const std::string& name)
{
    if (record.dim1 <= 0 || record.dim2 <= 0)
        return;
    const Int64 wanted = Int64(record.dim1) * Int64(record.dim2);
    const std::size_t size = static_cast<std::size_t>(BMGetHandleSize(record.value.array));
    const Int64 shown = record.typeID == APIParT_CString ? DumpTextItems(record, wanted, size)
                                                         : DumpRealItems(record, wanted, size);
    if (shown < wanted)
        LogMessageError("Error: Libpart parameter '%s' holds %lld of its %lld items", name.c_str(),
                        static_cast<long long>(shown), static_cast<long long>(wanted));
}

void DumpParameter(const API_AddParType& record)
{
    const std::string name = GetLibPartParamName(record);
    if (record.typeMod == API_ParSimple) {
        const GS::UniString text = GetLibPartParamText(record);
        DumpOneLibpartParam(record.typeID, name.c_str(), record.flags, record.value.real, text.ToUStr().Get(), 0, 0);
        return;
    }
    ReportArrayHeader(name.c_str(), record.dim1, record.dim2, record.flags);
    DumpArrayItems(record, name);
}

void DumpDetails(int libIndex, API_LibTypeID libType)
{
    const bool reported = libType == ObjectType || libType == LampType || libType == RoomType || libType == LabelType;
    if (!reported && libType != WindowType && libType != DoorType)
        return;
    API_LibPartDetails details;
    std::memset(&details, 0, sizeof details);
    const GSErrCode error = LibPart::GetDetails(libIndex, &details);
    if (error != NoError) {
        LogMessageError("Error: Cannot get Libpart details: #%s", ErrID_To_Name(error));
        return;
    }
    if (!reported)
        return;
    Report(GS::UniString::Printf("    fixSize %d", details.fixSize ? 1 : 0));
    Report(GS::UniString::Printf("    autohotspot %d", details.autoHotspot ? 1 : 0));
}

}  // namespace

GSErrCode PrintLibpartSections(API_LibPart const& libPart, GS::Array<API_LibPartSection*>& /*unused*/)
{
    return ForEachSection(libPart.index, [&](const API_LibPartSection& entry) {
        GS::UniString text;
        ReadSection(libPart.index, entry, &text);
        const std::string type = FourCharacters(entry.sectType);
        Report(GS::UniString::Printf("sectType: '%s', subIndent: %d, version: %d", type.c_str(), entry.subIdent,
                                     entry.version),
               SectionLineSize);
    });
}

GSErrCode CheckLibPartSections(int libIndex)
{
    return ForEachSection(libIndex, [&](const API_LibPartSection& entry) {
        const GSErrCode error = ReadSection(libIndex, entry, nullptr);
        GS::UniString line = GS::UniString::Printf("sectType: %s, subIndent: %d, version: %d",
                                                   LibPartSectToChar(static_cast<UInt32>(entry.sectType)),
                                                   entry.subIdent, entry.version);
        if (error != NoError)
            line += GS::UniString::Printf(", err: %s", ErrID_To_Name(error));
        Report(line, SectionLineSize);
    });
}

void DumpLibPartParameters(int libIndex, API_LibTypeID libType)
{
    double a = 0.0;
    double b = 0.0;
    int count = 0;
    API_AddParType** params = nullptr;
    const GSErrCode error = LibPart::GetParams(libIndex, &a, &b, &count, &params);
    if (error != NoError) {
        LogMessageError("ACAPI_LibPart_GetParams");
        if (params != nullptr)
            ACAPI_DisposeAddParHdl(&params);
        return;
    }
    Report(GS::UniString::Printf("    a %.4f", a));
    Report(GS::UniString::Printf("    b %.4f", b));
    const Int32 records = BMGetHandleSize(reinterpret_cast<GSConstHandle>(params)) / Int32(sizeof(API_AddParType));
    for (Int32 i = 0; i < records; ++i)
        DumpParameter((*params)[i]);
    ACAPI_DisposeAddParHdl(&params);
    DumpDetails(libIndex, libType);
}

void DumpOneLibpartParam(API_AddParID type, char const* name, unsigned short flags, double value,
                         unsigned short const* text, int i, int j)
{
    const char* shownName = name != nullptr ? name : "";
    if (i < 0 || j < 0) {
        ReportArrayHeader(shownName, -Int64(i), -Int64(j), flags);
        return;
    }
    const GS::UniString head = i == 0 && j == 0 ? GS::UniString::Printf("    %s 0x%02X", shownName, unsigned(flags))
                                                : GS::UniString::Printf("       [%d][%d]", i, j);
    Report(GS::UniString::Printf("%s %s", Cut(head).c_str(), ValueText(type, value, text).c_str()));
}
