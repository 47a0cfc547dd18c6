// The primitives of the file: numbers, fixed-width fields, the two string forms and the point.
#include <cstring>
#include <limits>

#include "ExportOutput.hpp"
#include "ExportText.hpp"
#include "FiniteReal.hpp"
#include "GSException.hpp"
#include "MAWriter.hpp"
#include "UniString.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

void MAWriter::WriteBool(const bool& value)
{
    output->AppendBool(value);
}

void MAWriter::WriteInt32(Int32 value)
{
    output->AppendInt32(value);
}

void MAWriter::WriteUInt32(UInt32 value)
{
    output->AppendUInt32(value);
}

void MAWriter::WriteReal(double value, const char* record)
{
    CheckFinite(value, record);
    output->AppendReal(value);
}

void MAWriter::WriteBytes(const char* bytes, USize count)
{
    if (bytes == nullptr)
        output->AppendZeroBytes(count);  // the field keeps its width, so the file stays readable
    else
        output->AppendBytes(bytes, count);
}

void MAWriter::WriteFixedText(const char* text, USize width)
{
    if (width == 0)
        return;
    const USize length = text == nullptr ? 0 : std::strlen(text);
    const USize kept = Utf8PrefixLength(text, length, width - 1);  // room for at least one NUL
    output->AppendBytes(text, kept);
    output->AppendZeroBytes(width - kept);
}

void MAWriter::WriteBinAscii(const char* s)
{
    const char* text = s == nullptr ? "" : s;
    const USize withNul = std::strlen(text) + 1;
    if (withNul > static_cast<USize>(std::numeric_limits<Int32>::max()))
        throw GS::GeneralException("Zelto_export:: A text is too long for the file format", __FILE__, __LINE__,
                                   CancelErrorCode);
    output->AppendInt32(static_cast<Int32>(withNul));
    output->AppendBytes(text, withNul);
}

void MAWriter::WriteBinUnicode(const char* s)
{
    if (s == nullptr || *s == '\0') {
        output->AppendInt32(0);
        return;
    }
    // From the host's default character code to the file's; the two may differ on a real host.
    const GS::UniString::CStr converted = GS::UniString(s, CC_Default).ToCStr(CC_UTF8);
    const char* bytes = converted.Get();
    const USize length = Utf8PrefixLength(bytes, std::strlen(bytes), MaxStringBytes);
    output->AppendInt32(static_cast<Int32>(length));
    output->AppendBytes(bytes, length);
}

void MAWriter::WritePoint(double x, double y, double z, const char* record)
{
    CheckFinite(x, record);
    CheckFinite(y, record);
    CheckFinite(z, record);
    char* at = output->Room(PointBytes);
    at = PutReal(at, x);
    at = PutReal(at, z);
    PutReal(at, y);
    output->Commit(PointBytes);
}

}  // namespace WRL
