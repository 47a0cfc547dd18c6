// Texture records: the embedded file's unique name, its entry in the texture list and its bytes.
//
//   Bytes32  MIME text, NUL-padded
//   String   embedded name (uniqueName "." extension)
//   UInt32   n, the size of the data
//   Bytes n  the data
#include <algorithm>
#include <string>

#include "BM.hpp"
#include "ExportOutput.hpp"
#include "File.hpp"
#include "GSException.hpp"
#include "HostNames.hpp"
#include "MAWriter.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

namespace {

constexpr USize MimeFieldBytes = 32;
// Library files are copied into the export in blocks of this size.
constexpr USize CopyBlockBytes = USize(256) << 10;

// Names the new file and appends its entry; the result is the name it is embedded under.
std::string AddTextureEntry(TextureList& textures, Int32 id, const char* fileName)
{
    const IO::Name name(fileName != nullptr ? fileName : "");
    const GS::UniString::CStr baseName = name.GetBase().ToCStr(CC_Default);
    const GS::UniString::CStr extension = name.GetExtension().ToCStr(CC_Default);
    return EmbeddedName(textures.Add(id, fileName, baseName.Get(), extension.Get()));
}

UInt32 HandleByteCount(char** data)
{
    if (data == nullptr)
        return 0;
    const Int32 size = BMGetHandleSize(data);
    return size > 0 ? static_cast<UInt32>(size) : 0;
}

[[noreturn]] void ThrowReadFailure(const char* fileName, GSErrCode error)
{
    throw GS::GeneralException((std::string("Zelto_export:: Cannot read the library file ") +
                                (fileName != nullptr ? fileName : "") + ": " + ErrID_To_Name(error)).c_str(),
                               __FILE__, __LINE__, CancelErrorCode);
}

}  // namespace

void MAWriter::WriteTexture(const char* mime, const int& id, const char* fileName, char** data)
{
    const std::string embeddedName = AddTextureEntry(textures, id, fileName);
    WriteTextureBin(mime, embeddedName.c_str(), data);
}

void MAWriter::WriteTextureBin(const char* mime, const char* name, char** data)
{
    const UInt32 size = HandleByteCount(data);
    WriteFixedText(mime, MimeFieldBytes);
    WriteBinUnicode(name);
    WriteUInt32(size);
    if (size > 0)
        WriteBytes(*data, size);
}

// The bytes go from the file straight into the output's buffer, so a large file is never held whole.
void MAWriter::WriteTextureFile(const char* mime, const int& id, const char* fileName, IO::File& source,
                                UInt32 size)
{
    const std::string embeddedName = AddTextureEntry(textures, id, fileName);
    WriteFixedText(mime, MimeFieldBytes);
    WriteBinUnicode(embeddedName.c_str());
    WriteUInt32(size);
    UInt64 remaining = size;
    while (remaining > 0) {
        const USize block = static_cast<USize>(std::min<UInt64>(remaining, CopyBlockBytes));
        char* at = output->Room(block);
        const GSErrCode read = source.ReadBin(at, block);
        if (read != NoError)
            ThrowReadFailure(fileName, read);
        output->Commit(block);
        remaining -= block;
    }
}

}  // namespace WRL
