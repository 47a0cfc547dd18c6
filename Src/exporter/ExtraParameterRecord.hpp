// The parameter record: the one layout in which an extra parameter of a material or a light goes
// into the export file. MAWriter::WriteExtraParameter(parameter, textureKey) writes one record; the
// caller writes the number of parameters (Int32) before the first.
//
//   AsciiString  the parameter's name, cut to 255 bytes and upper-cased
//   Int32        type code (below)
//   payload      1: Real value
//                2: String value, possibly replaced by an embedded file's name
//                3: Int32 d1, Int32 d2, then the items as Real
//                4: Int32 d1, Int32 d2, then the items as String (never replaced)
//                0: nothing (any other host type, or a type whose array flag does not fit it)
//
// Array items: for each row 1..d1, the item (row, 0) when d2 is 0, the items (row, 1..d2) when d2 is
// positive, none when d2 is negative; so d1 x d2 items, d1 items when d2 is 0, none otherwise.
//
// Texture key: a text value whose parameter name (upper-cased) contains the key names a file the
// texture pass embedded; the record carries the name under which that file stands in the export.
// The empty key (NoTextureKey) never replaces anything. A value that names no embedded file is
// written as it is, after a debug line.
#ifndef EXPORTER_EXTRAPARAMETERRECORD_HPP
#define EXPORTER_EXTRAPARAMETERRECORD_HPP

#include <string>

#include "Definitions.hpp"

namespace ModelerAPI {
class Parameter;
}

namespace WRL {

class TextureList;
struct TextureData;

enum ParameterRecordType : Int32 {
    UnknownParameterRecord = 0,
    NumericParameterRecord = 1,
    TextParameterRecord = 2,
    NumericArrayParameterRecord = 3,
    TextArrayParameterRecord = 4
};

// The keys the callers pass.
constexpr const char* MaterialTextureKey = "C4D_SHIMAGE_FILE";  // Cinema 4D shader records
constexpr const char* NoTextureKey = "";                        // light records

// The type code for a host parameter type and its array flag.
ParameterRecordType ParameterRecordTypeOf(Int32 hostType, bool isArray);

// The name as the record carries it: the host's name in the default character code, cut to 255 bytes
// at a character boundary, upper-cased.
std::string ParameterRecordName(const ModelerAPI::Parameter& parameter);

// Whether a text value under this record name names an embedded file: the key is not empty and
// occurs in the name, letter case counting.
bool NamesEmbeddedFile(const char* recordName, const char* textureKey);

// The embedded file that a text value names, letter case disregarded; null when there is none:
// 1. the first entry whose base name is the value, else the first whose file name is;
// 2. only when neither names a file: the entry that the texture pass embedded when it searched the
//    library with this very value (the library finds a file by its document name too, which need not
//    look like its file name, and a library picture re-encoded as JPEG keeps only its base name).
const TextureData* FindEmbeddedFile(const TextureList& textures, const char* value);

}  // namespace WRL

#endif
