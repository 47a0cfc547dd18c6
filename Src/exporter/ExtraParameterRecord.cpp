// The parameter record of materials' and lights' extra parameters.
#include "ExtraParameterRecord.hpp"

#include "CH.hpp"
#include "ExportText.hpp"
#include "LogHelpers.hpp"
#include "MAWriter.hpp"
#include "ModelerAPI.hpp"
#include "TextureList.hpp"

namespace WRL {

namespace {

constexpr USize ParameterNameSize = 256;  // 255 bytes and the NUL
constexpr const char* ParameterRecord = "parameter";

// The dimensions as the host reports them, then the items row by row.
void WriteArrayItems(MAWriter& writer, const ModelerAPI::Parameter& parameter, ParameterRecordType type)
{
    Int32 rows = 0;
    Int32 columns = 0;
    parameter.GetArrayDimensions(rows, columns);
    writer.WriteInt32(rows);
    writer.WriteInt32(columns);
    if (columns < 0)
        return;
    const Int32 firstColumn = columns == 0 ? 0 : 1;
    ModelerAPI::ArrayParameter item;
    for (Int32 row = 1; row <= rows; ++row) {
        for (Int32 column = firstColumn; column <= columns; ++column) {
            parameter.GetArrayItem(row, column, &item);
            if (type == NumericArrayParameterRecord) {
                writer.WriteReal(static_cast<double>(item), ParameterRecord);
            } else {
                GS::UniString text;
                item.GetStringValue(text);
                writer.WriteBinUnicode(text.ToCStr().Get());
            }
        }
    }
}

}  // namespace

ParameterRecordType ParameterRecordTypeOf(Int32 hostType, bool isArray)
{
    if (isArray) {
        if (hostType == ModelerAPI::Parameter::NumericArrayType)
            return NumericArrayParameterRecord;
        if (hostType == ModelerAPI::Parameter::StringArrayType)
            return TextArrayParameterRecord;
        return UnknownParameterRecord;
    }
    if (hostType == ModelerAPI::Parameter::NumericType)
        return NumericParameterRecord;
    if (hostType == ModelerAPI::Parameter::StringType)
        return TextParameterRecord;
    return UnknownParameterRecord;
}

// Upper-casing keeps every character's byte width, so cutting before or after it gives the same text.
std::string ParameterRecordName(const ModelerAPI::Parameter& parameter)
{
    const GS::UniString upper = parameter.GetName().ToUpperCase();
    char name[ParameterNameSize];
    CopyUtf8Cut(upper.ToCStr().Get(), name);
    return name;
}

const TextureData* FindEmbeddedFile(const TextureList& textures, const char* value)
{
    if (value == nullptr)
        return nullptr;
    if (const TextureData* named = textures.FindNamedFile(value))
        return named;
    return textures.WithSearchedName(value);
}

bool NamesEmbeddedFile(const char* recordName, const char* textureKey)
{
    if (textureKey == nullptr || *textureKey == '\0' || recordName == nullptr)
        return false;
    return CHSearchSubstring(textureKey, recordName, 0) != nullptr;
}

void MAWriter::WriteExtraParameter(const ModelerAPI::Parameter& parameter, const char* textureKey)
{
    const std::string name = ParameterRecordName(parameter);
    const ParameterRecordType type = ParameterRecordTypeOf(parameter.GetType(), parameter.IsArray());

    WriteBinAscii(name.c_str());
    WriteInt32(type);
    switch (type) {
        case NumericParameterRecord:
            WriteReal(static_cast<double>(parameter), ParameterRecord);
            break;
        case TextParameterRecord: {
            GS::UniString value;
            parameter.GetStringValue(value);
            const GS::UniString::CStr text = value.ToCStr();
            if (!NamesEmbeddedFile(name.c_str(), textureKey)) {
                WriteBinUnicode(text.Get());
                break;
            }
            const TextureData* file = FindEmbeddedFile(textures, text.Get());
            if (file != nullptr) {
                WriteBinUnicode(EmbeddedName(*file).c_str());
            } else {
                LogMessageDebug("Zelto_export:: cannot found C4D texture:\t%s\n", text.Get());
                WriteBinUnicode(text.Get());
            }
            break;
        }
        case NumericArrayParameterRecord:
        case TextArrayParameterRecord:
            WriteArrayItems(*this, parameter, type);
            break;
        case UnknownParameterRecord:
            break;
    }
}

}  // namespace WRL
