// The texture pass: one texture record per embedded file, in three runs.
//   1. Model textures (material type 2 or 3 with "Export Textures"): the library picture of the
//      texture's name when "Export Original Textures" is set and its size matches, else a JPEG of the
//      texture's pixels. textureNames gets one file name per model texture, written or not.
//   2. Material attachments (material type 3): library files named by "C4D_SHIMAGE_FILE" parameters.
//   3. Light attachments ("Export Lights"): library files named by "C4D_PHO_FILE" parameters.
// Each run that takes place opens one phase and polls for a cancel after every item.
//
// A texture whose pixels cannot be turned into a JPEG gets no record and the export goes on; its
// entry in textureNames stays, and the texture list tells that no file of that texture is embedded.
// A host that cannot give the pixel map for a texture's pixels (out of memory) fails the export.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ExportText.hpp"
#include "ExtraParameterRecord.hpp"
#include "FileNameHelpers.hpp"
#include "GSException.hpp"
#include "GXImage.hpp"
#include "HostNames.hpp"
#include "LibraryFiles.hpp"
#include "LightTypes.hpp"
#include "LogHelpers.hpp"
#include "MAExporter.hpp"
#include "MAWriter.hpp"
#include "MimeTable.hpp"
#include "PassProgress.hpp"
#include "PictureHelpers.hpp"
#include "PictureMemory.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

// File names are built in buffers of this size; the texture list keeps at most 255 bytes of them.
constexpr USize FileNameBufferSize = 1024;
constexpr char LightAttachmentKey[] = "C4D_PHO_FILE";
constexpr char JpegMime[] = "image/jpeg";
constexpr char JpegExtension[] = ".jpg";
constexpr Int32 PixMapResolution = 72;
constexpr short JpegPixelBits = 24;
constexpr int MinTextureQuality = 1;
constexpr int MaxTextureQuality = 100;
// An attachment value loses an extension of at most this many characters before its base name is
// checked against the files embedded already.
constexpr USize LongestAttachmentExtension = 4;

ModelerAPI::AttributeIndex ModelIndex(ModelerAPI::AttributeIndex::IndexType kind, Int32 number)
{
    return ModelerAPI::AttributeIndex(kind, number, -2);
}

// The texture's name cut to 255 bytes and without its extension; empty when the host cannot give it.
void ReadTextureName(const ModelerAPI::Texture& texture, char (&name)[FileNameBufferSize])
{
    name[0] = '\0';
    try {
        const GS::UniString::CStr text = texture.GetName().ToCStr(CC_Default);
        char cut[TextureNameSize];
        CopyUtf8Cut(text.Get(), cut);
        RemoveExtension(cut);
        CopyUtf8Cut(cut, name);
    } catch (...) {
        name[0] = '\0';  // named like an unnamed texture
    }
}

std::string AttachmentBaseName(const GS::UniString& value)
{
    IO::Name name(value);
    if (name.HasExtension() && name.GetExtension().GetLength() <= LongestAttachmentExtension)
        name.DeleteExtension();
    return name.ToString().ToCStr(CC_Default).Get();
}

// The name of a library picture turned into a JPEG: the file's own name with ".jpg" for its extension.
std::string JpegNameOf(const IO::Location& location)
{
    IO::Name name;
    location.GetLastLocalName(&name);
    if (name.HasExtension())
        name.DeleteExtension();
    const GS::UniString::CStr base = name.ToString().ToCStr(CC_Default);
    const USize room = TextureNameSize - 1 - (sizeof JpegExtension - 1);
    const std::string text = base.Get();
    return text.substr(0, Utf8PrefixLength(text.c_str(), text.size(), room)) + JpegExtension;
}

// The host could not give what a texture's JPEG needs: the export fails with this exception.
template <typename HostException>
[[noreturn]] void ThrowTextureFailure(Int32 textureIndex, const char* fileName, const char* what, GSErrCode code)
{
    char message[FileNameBufferSize + 128];
    std::snprintf(message, sizeof message, "Zelto_export:: Texture %d (%s): %s from the host", textureIndex, fileName,
                  what);
    throw HostException(message, __FILE__, __LINE__, code);
}

// Encodes the pixel map as a JPEG into jpeg; false when the host cannot.
bool EncodeJpeg(GSPixMap** pixMap, Int32 textureQuality, HandleOwner& jpeg)
{
    API_PictureHandle picture{};
    const int quality = std::clamp<int>(textureQuality, MinTextureQuality, MaxTextureQuality);
    const int err = ConvertPixMapToJpegHandle(pixMap, picture, quality, JpegPixelBits);
    jpeg.Adopt(picture.pictHdl);
    return err == NoError && jpeg.Get() != nullptr;
}

}  // namespace

Int32 MAExporter::CountTexturePhases() const
{
    Int32 phases = 0;
    if (parameters->materialType >= 2 && parameters->exportTextures && model->GetTextureCount() > 0)
        ++phases;
    if (parameters->materialType == 3)
        ++phases;
    if (parameters->exportLights)
        ++phases;
    return phases;
}

void MAExporter::CreateTextures()
{
    if (parameters->materialType >= 2 && parameters->exportTextures)
        ExportModelTextures();
    if (parameters->materialType == 3)
        ExportMaterialAttachments();
    if (parameters->exportLights)
        ExportLightAttachments();
}

// ---- Model textures ---------------------------------------------------------------------------------

void MAExporter::ExportModelTextures()
{
    const Int32 textureCount = model->GetTextureCount();
    if (textureCount <= 0)
        return;
    OpenPhase(ProgressText(SaveTexInternal), textureCount);
    for (Int32 textureIndex = 1; textureIndex <= textureCount; ++textureIndex) {
        char fileName[FileNameBufferSize] = {};
        GetTextureFromModel(textureIndex, fileName);
        textureNames.Push(GS::UniString(fileName, CC_Default));
        ReportItem(textureIndex);
        PollCancel();
    }
}

// fileName: a buffer of FileNameBufferSize bytes.
void MAExporter::GetTextureFromModel(const int& textureIndex, char* fileName)
{
    ModelerAPI::Texture texture;
    model->GetTexture(ModelIndex(ModelerAPI::AttributeIndex::TextureIndex, textureIndex), &texture);
    char name[FileNameBufferSize];
    ReadTextureName(texture, name);
    if (name[0] == '\0') {
        const GS::UniString::CStr unnamed = resource->comments[TextureName].ToCStr(CC_Default);
        std::snprintf(fileName, FileNameBufferSize, "%s%d.jpg", unnamed.Get(), textureIndex);
    } else if (parameters->exportOriginalTextures && GetModelOriginalTexture(&texture, name, textureIndex)) {
        CopyUtf8Cut(name, fileName, FileNameBufferSize);
        return;
    } else {
        // The base name is cut (at a character boundary) so that the extension always fits.
        char baseName[FileNameBufferSize - sizeof ".jpg" + 1];
        CopyUtf8Cut(name, baseName, sizeof baseName);
        std::snprintf(fileName, FileNameBufferSize, "%s.jpg", baseName);
    }
    GetModelCompressedTexture(&texture, fileName, textureIndex);
}

// name: a buffer of FileNameBufferSize bytes; on true it holds the library file's name.
bool MAExporter::GetModelOriginalTexture(ModelerAPI::Texture* texture, char* name, const int& textureIndex)
{
    TextureFileLibrary lib;
    if (!SearchTextureFromLibrary(name, lib))
        return false;
    if (static_cast<Int64>(texture->GetPixelMapXSize()) != lib.width ||
        static_cast<Int64>(texture->GetPixelMapYSize()) != lib.height)
        return false;
    EmbedLibraryFile(lib, textureIndex);
    CopyUtf8Cut(lib.fileName, name, FileNameBufferSize);
    return true;
}

void MAExporter::GetModelCompressedTexture(ModelerAPI::Texture* texture, char* fileName, const int& textureIndex)
{
    const Int32 pixelCount = texture->GetPixelMapSize();
    const Int32 width = texture->GetPixelMapXSize();
    const Int32 height = texture->GetPixelMapYSize();
    if (pixelCount <= 0 || Int64(width) * height != pixelCount) {
        LogMessageError("Zelto_export:: Texture %d (%s): %d pixels do not make a picture of %dx%d, not embedded\n",
                        textureIndex, fileName, pixelCount, width, height);
        return;
    }
    PixMapOwner pixMap(GXCreateGSPixMap(width, height, PixMapResolution, PixMapResolution, 0));
    if (pixMap.Get() == nullptr)
        ThrowTextureFailure<GS::OutOfMemoryException>(textureIndex, fileName, "no pixel map", FileNotMadeErrorCode);
    void* pixMapMemory = GXGetGSPixMapBaseAddr(pixMap.Get());
    if (pixMapMemory == nullptr)
        ThrowTextureFailure<GS::NullPointerException>(textureIndex, fileName, "no pixel memory",
                                                      MissingInputErrorCode);
    std::vector<ModelerAPI::Texture::ARGBPixel> pixels(static_cast<std::size_t>(pixelCount));
    texture->GetPixelMap(pixels.data());
    if (!CopyARGBPixelsToPixMap(pixels.data(), static_cast<USize>(pixelCount), pixMap.Get(), pixMapMemory)) {
        LogMessageError("Zelto_export:: Texture %d (%s): %d pixels do not fill %dx%d, not embedded\n", textureIndex,
                        fileName, pixelCount, width, height);
        return;
    }
    HandleOwner jpeg;
    if (!EncodeJpeg(pixMap.Get(), parameters->textureQuality, jpeg)) {
        LogMessageError("Zelto_export:: Texture %d (%s): cannot encode it as JPEG, not embedded\n", textureIndex,
                        fileName);
        return;
    }
    writer->WriteTexture(JpegMime, textureIndex, fileName, jpeg.Get());
    ++totals.Tex;
}

// ---- Attachments ------------------------------------------------------------------------------------

void MAExporter::ExportMaterialAttachments()
{
    const Int32 materialCount = model->GetMaterialCount();
    OpenPhase(ProgressText(SaveTexCinema), materialCount);
    ModelerAPI::Material material;
    for (Int32 materialIndex = 1; materialIndex <= materialCount; ++materialIndex) {
        model->GetMaterial(ModelIndex(ModelerAPI::AttributeIndex::MaterialIndex, materialIndex), &material);
        ModelerAPI::ParameterList extraParameters;
        material.GetExtraParameters(&extraParameters);
        SearchC4dAttachments(MaterialTextureKey, extraParameters);
        ReportItem(materialIndex);
        PollCancel();
    }
}

void MAExporter::ExportLightAttachments()
{
    RunOverLights(SaveIES, [this](ModelerAPI::Light& light, Int32 /*objectNumber*/, Int32 /*lightNumber*/) {
        if (!IsExportedLightType(light.GetType()))
            return;
        ModelerAPI::ParameterList extraParameters;
        light.GetExtraParameters(&extraParameters);
        SearchC4dAttachments(LightAttachmentKey, extraParameters);
    });
}

// The count is read again after each parameter, as the host may change the list.
void MAExporter::SearchC4dAttachments(const char* key, ModelerAPI::ParameterList& extraParameters)
{
    ModelerAPI::Parameter parameter;
    for (Int32 number = 1; number <= extraParameters.GetParameterCount(); ++number) {
        extraParameters.GetParameter(number, &parameter);
        if (parameter.GetType() != ModelerAPI::Parameter::StringType)
            continue;
        if (!NamesEmbeddedFile(ParameterRecordName(parameter).c_str(), key))
            continue;
        GS::UniString value;
        parameter.GetStringValue(value);
        const std::string baseName = AttachmentBaseName(value);
        if (baseName.empty() || writer->CheckTextureName(baseName.c_str()))
            continue;
        const GS::UniString::CStr text = value.ToCStr(CC_Default);
        if (!searchedAttachments.insert(TextureNameKey(text.Get())).second)
            continue;  // looked up already, found or not
        GetTextureFromLibrary(text.Get());
    }
}

// The name searched with is noted against the file embedded, so that a parameter value naming the
// library item by its document name finds the file whatever the file is called.
bool MAExporter::GetTextureFromLibrary(const char* name)
{
    if (!EmbedFromLibrary(name))
        return false;
    writer->NoteSearchedName(name);
    return true;
}

bool MAExporter::EmbedFromLibrary(const char* name)
{
    TextureFileLibrary picture;
    if (SearchTextureFromLibrary(name, picture)) {
        if (!parameters->exportOriginalTextures && EmbedLibraryPictureAsJpeg(picture))
            return true;
        EmbedLibraryFile(picture, LibraryFileTextureIndex);
        return true;
    }
    TextureFileLibrary data;
    if (SearchBinaryFromLibrary(name, data)) {
        data.mimeIndex = DataFileMimeIndex(data.fileName);
        CopyUtf8Cut(pictFormat_STR[data.mimeIndex], data.mime);
        EmbedLibraryFile(data, LibraryFileTextureIndex);
        return true;
    }
    return false;
}

bool MAExporter::SearchTextureFromLibrary(const char* name, TextureFileLibrary& lib)
{
    return FindLibraryFile(name, lib) && ReadLibraryPictureType(lib) && OpenLibraryFile(lib);
}

bool MAExporter::SearchBinaryFromLibrary(const char* name, TextureFileLibrary& lib)
{
    return FindLibraryFile(name, lib) && OpenLibraryFile(lib);
}

// A library picture as a JPEG; false (nothing written) when it cannot be read, decoded or encoded.
bool MAExporter::EmbedLibraryPictureAsJpeg(const TextureFileLibrary& lib)
{
    HandleOwner data;
    if (ReadPictureFile(&lib.location, data.Receive(), false) != NoError || data.Get() == nullptr)
        return false;
    GSPixMap** decoded = nullptr;
    const GSErrCode converted = GX::ImageBase::ConvertToPixMap(data.Get(), decoded, FTM::UnknownType, GSPixMapARGB32);
    PixMapOwner pixMap(decoded);
    HandleOwner jpeg;
    if (converted != NoError || !EncodeJpeg(pixMap.Get(), parameters->textureQuality, jpeg))
        return false;
    writer->WriteTexture(JpegMime, LibraryFileTextureIndex, JpegNameOf(lib.location).c_str(), jpeg.Get());
    ++totals.Tex;
    return true;
}

// The file's bytes exactly as stored, copied from the open file.
void MAExporter::EmbedLibraryFile(TextureFileLibrary& lib, Int32 id)
{
    writer->WriteTextureFile(lib.mime, id, lib.fileName, *lib.file, lib.size);
    ++totals.Tex;
    lib.file.reset();
}

}  // namespace WRL
