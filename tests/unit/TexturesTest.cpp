// The texture pass as the export file shows it: unique embedded names, JPEGs of model textures
// (decoded here with libjpeg), library pictures kept as stored, library files named by light
// parameters with their MIME texts, textures that cannot be encoded, and cancels in each run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BM.hpp"
#include "GXPixMap.hpp"
#include "HostControl.hpp"
#include "MAExporterTest.hpp"
#include "TextureList.hpp"
#include "common/TestPictures.hpp"

using namespace engine_test;
using ZeltoHost::TextParameter;

namespace {

constexpr const char* ModelTexturesTitle = "Saving textures";
constexpr const char* MaterialFilesTitle = "Saving Cinema 4D textures";
constexpr const char* LightFilesTitle = "Saving light files";

struct TextureSettings {
    Int32 materialType = 2;
    bool exportTextures = true;
    bool exportOriginalTextures = false;
    Int32 textureQuality = 90;
    bool exportLights = false;
};

std::string BytesOf(const std::vector<uint8_t>& data)
{
    return std::string(data.begin(), data.end());
}

std::vector<std::string> EmbeddedNames(const zelto_reader::File& file)
{
    std::vector<std::string> names;
    for (const zelto_reader::Texture& texture : file.textures)
        names.push_back(texture.name);
    return names;
}

class EngineTexturesTest : public EngineTest {
protected:
    void StoreTextures(const TextureSettings& textures)
    {
        Settings settings;
        settings.materialType = textures.materialType;
        settings.exportTextures = textures.exportTextures;
        settings.exportLights = textures.exportLights;
        Store(settings);
        GSPref::IRoot* root = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(0, &root), NoError);
        root->WriteBool(WRL::REG_Folder, WRL::REG_TexCompress, textures.exportOriginalTextures);
        root->WriteInt32(WRL::REG_Folder, WRL::REG_TexQuality, textures.textureQuality);
        GSPref::CloseRootKey(root);
    }

    void AddTexture(const std::string& name, const TestPictures::ArgbPicture& picture)
    {
        ZeltoHost::TextureData texture;
        texture.name = name.c_str();
        texture.pixelWidth = picture.width;
        texture.pixelHeight = picture.height;
        for (std::size_t at = 0; at + 3 < picture.argb.size(); at += 4)
            texture.pixels.push_back({picture.argb[at], picture.argb[at + 1], picture.argb[at + 2], picture.argb[at + 3]});
        model.textures.push_back(texture);
    }

    // A library item of type 11 whose file holds bytes.
    void AddLibraryFile(const std::string& documentName, const std::string& fileName, const std::string& bytes)
    {
        library.WriteFile(fileName, bytes);
        ZeltoHost::HostLibPart part;
        part.typeID = 11;
        part.documentName = documentName.c_str();
        part.fileName = fileName.c_str();
        part.location = IO::Location(library.PathOf(fileName).c_str());
        project.AddLibPart(part);
    }

    // An element without bodies whose one light of the host type names a file.
    Int32 AddLightNaming(const char* value, Int32 lightType = 9400)
    {
        const Int32 element = AddElement(1, {});
        ZeltoHost::LightData light;
        light.type = lightType;
        light.extraParameters.push_back(TextParameter("c4d_pho_file", value));
        ModelElement(element).lights.push_back(light);
        return element;
    }

    TemporaryFolder library;
};

}  // namespace

// Without library pictures every model texture becomes a JPEG under its name without extension.
// A base name met before (letter case does not count) continues the latest one's number; a name
// that is taken all the same makes the number rise further, so no two records share a name.
TEST_F(EngineTexturesTest, ModelTexturesGetUniqueNamesWhateverTheirLetterCase)
{
    StoreTextures(TextureSettings());
    const TestPictures::ArgbPicture picture = TestPictures::MakeColourBlocks(4);
    for (const char* name : {"Brick", "Brick.png", "", "BRICK.tif", "Brick_1", "Stone.jpg"})
        AddTexture(name, picture);

    const zelto_reader::File file = Export();

    const std::vector<std::string> expected = {"Brick.jpg",   "Brick_1.jpg",   "Texture3.jpg",
                                               "BRICK_2.jpg", "Brick_1_1.jpg", "Stone.jpg"};
    EXPECT_EQ(EmbeddedNames(file), expected);
    for (const zelto_reader::Texture& texture : file.textures)
        EXPECT_EQ(texture.mime, "image/jpeg") << texture.name;
    EXPECT_EQ(file.counts.textures, 6);
}

TEST_F(EngineTexturesTest, ATextureNameThatFillsItsFieldKeepsItsNumberAndExtension)
{
    StoreTextures(TextureSettings());
    const std::string longName(300, 'w');
    AddTexture(longName, TestPictures::MakeColourBlocks(2));
    AddTexture(longName, TestPictures::MakeColourBlocks(2));

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.textures.size(), 2u);
    EXPECT_EQ(file.textures[0].name, std::string(251, 'w') + ".jpg");
    EXPECT_EQ(file.textures[1].name, std::string(249, 'w') + "_1.jpg");
}

// The pixel rows are 18 x 4 bytes, not a multiple of the pixel map's row alignment, so a plain block
// copy would shear the picture.
TEST_F(EngineTexturesTest, AJpegOfAModelTextureDecodesToItsSizeAndColours)
{
    TextureSettings settings;
    settings.textureQuality = 90;
    StoreTextures(settings);
    const TestPictures::ArgbPicture picture = TestPictures::MakeColourBlocks(9);
    AddTexture("Tiles", picture);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.textures.size(), 1u);
    EXPECT_EQ(file.textures[0].name, "Tiles.jpg");
    EXPECT_EQ(file.textures[0].mime, "image/jpeg");
    const TestPictures::DecodedJpeg jpeg = TestPictures::DecodeJpeg(BytesOf(file.textures[0].data));
    ASSERT_TRUE(jpeg.ok);
    EXPECT_EQ(jpeg.width, picture.width);
    EXPECT_EQ(jpeg.height, picture.height);
    EXPECT_EQ(jpeg.lumaQuantTable, TestPictures::LumaQuantTableFor(90));
    for (int y : {2, 15})
        for (int x : {2, 15}) {
            SCOPED_TRACE("pixel " + std::to_string(x) + "," + std::to_string(y));
            const std::uint8_t* expected = picture.PixelAt(x, y) + 1;
            const std::uint8_t* decoded = jpeg.PixelAt(x, y);
            for (int channel = 0; channel < 3; ++channel)
                EXPECT_NEAR(decoded[channel], expected[channel], 12);
        }
}

// "Export Original Textures" embeds the library picture of a texture's name as it is stored, under
// the library file's name, when its size is the texture's; otherwise the texture becomes a JPEG.
TEST_F(EngineTexturesTest, ALibraryPictureOfTheSameSizeIsEmbeddedAsStored)
{
    const TestPictures::ArgbPicture picture = TestPictures::MakeColourBlocks(4);
    const std::string png = TestPictures::EncodePng(picture);
    AddLibraryFile("Wood", "Wood.png", png);
    AddLibraryFile("Oak", "Oak.png", TestPictures::EncodePng(TestPictures::MakeColourBlocks(5)));
    AddTexture("Wood", picture);
    AddTexture("Oak.jpg", picture);  // the library picture is 10 x 10, the texture 8 x 8

    const struct {
        bool original;
        const char* wood;
        const char* woodMime;
    } cases[] = {{true, "Wood.png", "image/png"}, {false, "Wood.jpg", "image/jpeg"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.original);
        TextureSettings settings;
        settings.exportOriginalTextures = c.original;
        StoreTextures(settings);

        const zelto_reader::File file = Export();

        ASSERT_EQ(file.textures.size(), 2u);
        EXPECT_EQ(file.textures[0].name, c.wood);
        EXPECT_EQ(file.textures[0].mime, c.woodMime);
        if (c.original) {
            EXPECT_EQ(BytesOf(file.textures[0].data), png);
        }
        EXPECT_EQ(file.textures[1].name, "Oak.jpg");
        EXPECT_EQ(file.textures[1].mime, "image/jpeg");
        EXPECT_EQ(TestPictures::DecodeJpeg(BytesOf(file.textures[1].data)).width, 8);
    }
}

// A library file that is no picture gets its MIME text by its extension; its bytes go into the file
// as they are, also when they span several blocks of the copy.
TEST_F(EngineTexturesTest, LibraryFilesNamedByLightsAreEmbeddedWithTheirMimeText)
{
    TextureSettings settings;
    settings.materialType = 1;
    settings.exportLights = true;
    StoreTextures(settings);
    std::string large(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>((i * 7919) >> 3);
    const struct {
        const char* fileName;
        std::string bytes;
        const char* mime;
        const char* embeddedName;
    } files[] = {
        {"sky.HDR", "#?RADIANCE sky", "image/hdri", "sky.HDR"},
        {"studio.hdri", "#?RADIANCE studio", "image/hdri", "studio.hdri"},
        {"spot.ies", large, "image/ies", "spot.ies"},
        {"notes.txt", "just text", "image/unkown", "notes.txt"},
        {"README", "no extension", "image/unkown", "README."},
    };
    for (const auto& f : files) {
        AddLibraryFile(f.fileName, f.fileName, f.bytes);
        AddLightNaming(f.fileName);
    }

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.textures.size(), std::size(files));
    for (std::size_t i = 0; i < std::size(files); ++i) {
        SCOPED_TRACE(files[i].fileName);
        EXPECT_EQ(file.textures[i].name, files[i].embeddedName);
        EXPECT_EQ(file.textures[i].mime, files[i].mime);
        EXPECT_TRUE(BytesOf(file.textures[i].data) == files[i].bytes);
    }
    EXPECT_EQ(file.counts.textures, static_cast<int32_t>(std::size(files)));
    // The light records keep the values as they are.
    ASSERT_EQ(file.lights.size(), std::size(files));
    EXPECT_EQ(file.lights[0].parameters.at(0).text, "sky.HDR");
}

// Only valid elements and lights of the exported types are searched; a file named by many lights
// is looked up and embedded once; a value whose base name is embedded already, or that names no
// library file, embeds nothing.
TEST_F(EngineTexturesTest, EachNamedLibraryFileIsEmbeddedOnceFromExportedLightsOnly)
{
    TextureSettings settings;
    settings.materialType = 1;
    settings.exportLights = true;
    StoreTextures(settings);
    AddLibraryFile("spot.ies", "spot.ies", "IESNA spot");
    AddLibraryFile("hidden.ies", "hidden.ies", "IESNA hidden");
    AddLibraryFile("sun.ies", "sun.ies", "IESNA sun");
    AddLibraryFile("spot.hdr", "spot.hdr", "#?RADIANCE");
    for (int i = 0; i < 3; ++i)
        AddLightNaming("spot.ies");
    AddLightNaming("SPOT.IES");
    AddLightNaming("spot.hdr");  // base name "spot" is embedded already
    AddLightNaming("missing.ies");
    ModelElement(AddLightNaming("hidden.ies")).invalid = true;
    AddLightNaming("sun.ies", 9500);  // a type the export does not write

    const zelto_reader::File file = Export();

    EXPECT_EQ(EmbeddedNames(file), std::vector<std::string>{"spot.ies"});
    // spot.ies: found by its document name as a picture (it is none), then as a file; missing.ies: by
    // both of its names, twice.
    EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_Search"), 2u + 4u);
}

// A library picture named by a light becomes a JPEG named after the file unless originals are kept.
TEST_F(EngineTexturesTest, ALibraryPictureNamedByALightIsAJpegUnlessOriginalsAreKept)
{
    const std::string png = TestPictures::EncodePng(TestPictures::MakeColourBlocks(6));
    AddLibraryFile("Evening sky", "sky.png", png);
    AddLightNaming("Evening sky");
    for (bool original : {false, true}) {
        SCOPED_TRACE(original);
        TextureSettings settings;
        settings.materialType = 1;
        settings.exportLights = true;
        settings.exportOriginalTextures = original;
        StoreTextures(settings);

        const zelto_reader::File file = Export();

        ASSERT_EQ(file.textures.size(), 1u);
        EXPECT_EQ(file.textures[0].name, original ? "sky.png" : "sky.jpg");
        EXPECT_EQ(file.textures[0].mime, original ? "image/png" : "image/jpeg");
        if (original) {
            EXPECT_EQ(BytesOf(file.textures[0].data), png);
        } else {
            EXPECT_EQ(TestPictures::DecodeJpeg(BytesOf(file.textures[0].data)).width, 12);
        }
    }
}

// Pixels that do not make the texture's picture, or an encoder that fails: that texture gets no
// record, the others do, the failure is logged and nothing is left allocated.
TEST_F(EngineTexturesTest, ATextureThatCannotBeEncodedIsLeftOutAndTheExportGoesOn)
{
    StoreTextures(TextureSettings());
    const struct {
        const char* what;
        const char* point;
        std::size_t pixelsLeft;  // of the first texture's 64
    } cases[] = {{"too few pixels", nullptr, 63}, {"no pixels", nullptr, 0}, {"no JPEG", "GX::Image::Encode", 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        model.textures.clear();
        log.clear();
        AddTexture("First", TestPictures::MakeColourBlocks(4));
        AddTexture("Second", TestPictures::MakeColourBlocks(4));
        model.textures[0].pixels.resize(c.pixelsLeft);
        HostControl::ClearFailures();
        if (c.point != nullptr)
            HostControl::InjectError(c.point, -108, 0, 1);
        const Int64 blocksBefore = BMLiveBlockCount();

        const zelto_reader::File file = Export();

        EXPECT_EQ(EmbeddedNames(file), std::vector<std::string>{"Second.jpg"});
        EXPECT_EQ(file.counts.textures, 1);
        EXPECT_TRUE(Logged("Texture 1 (First.jpg)"));
        EXPECT_EQ(BMLiveBlockCount(), blocksBefore);
        EXPECT_EQ(GXLiveGSPixMapCount(), 0);
    }
}

// A host that cannot make the pixel map of a texture, or give its pixel memory, fails the export:
// nothing reaches the target, the cause is logged and nothing is left allocated.
TEST_F(EngineTexturesTest, AHostThatCannotMakeATexturesPixelMapFailsTheExport)
{
    StoreTextures(TextureSettings());
    AddTexture("First", TestPictures::MakeColourBlocks(4));
    AddTexture("Second", TestPictures::MakeColourBlocks(4));
    const struct {
        const char* point;
        const char* logged;
    } cases[] = {{"GXCreateGSPixMap", "Texture 2 (Second.jpg): no pixel map from the host"},
                 {"GXGetGSPixMapBaseAddr", "Texture 2 (Second.jpg): no pixel memory from the host"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.point);
        log.clear();
        HostControl::ClearFailures();
        HostControl::InjectError(c.point, -108, 1, 1);
        const Int64 blocksBefore = BMLiveBlockCount();

        const Outcome outcome = Run();

        EXPECT_EQ(outcome.kind, Outcome::Kind::GeneralFailure);
        EXPECT_EQ(outcome.code, -7003);
        EXPECT_TRUE(Logged(c.logged));
        EXPECT_FALSE(std::filesystem::exists(TargetPath()));
        EXPECT_FALSE(window.IsOpen());
        EXPECT_EQ(BMLiveBlockCount(), blocksBefore);
        EXPECT_EQ(GXLiveGSPixMapCount(), 0);
    }
}

// A file longer than the record's 32-bit size field (a sparse file here) is skipped and logged.
TEST_F(EngineTexturesTest, ALibraryFileTooLargeForTheRecordIsSkipped)
{
    TextureSettings settings;
    settings.materialType = 1;
    settings.exportLights = true;
    StoreTextures(settings);
    AddLibraryFile("huge.hdr", "huge.hdr", "");
    std::error_code error;
    std::filesystem::resize_file(library.PathOf("huge.hdr"), (std::uintmax_t(1) << 32) + 1, error);
    if (error)
        GTEST_SKIP() << "no sparse file of 4 GiB here: " << error.message();
    AddLibraryFile("small.ies", "small.ies", "IESNA");
    AddLightNaming("huge.hdr");
    AddLightNaming("small.ies");

    const zelto_reader::File file = Export();

    EXPECT_EQ(EmbeddedNames(file), std::vector<std::string>{"small.ies"});
    EXPECT_TRUE(Logged("huge.hdr is too large"));
}

// Once its record has begun, a file that cannot be read to its end would leave the record short:
// the export fails instead, and no file is put at the target.
TEST_F(EngineTexturesTest, ALibraryFileThatCannotBeReadWhileCopiedFailsTheExport)
{
    TextureSettings settings;
    settings.materialType = 1;
    settings.exportLights = true;
    StoreTextures(settings);
    AddLibraryFile("spot.ies", "spot.ies", std::string(1000, 'i'));
    AddLightNaming("spot.ies");
    // The first read is the host's look at whether the file is a picture, the second the copy.
    HostControl::InjectError("IO::File::ReadBin", -5111, 1, 1);

    const Outcome outcome = Run();

    EXPECT_EQ(outcome.kind, Outcome::Kind::GeneralFailure);
    EXPECT_EQ(outcome.code, -7003);
    EXPECT_FALSE(std::filesystem::exists(TargetPath()));
    EXPECT_FALSE(window.IsOpen());
}

// Material type 1 has no model texture run; lights still bring their files. Without "Export Lights"
// the light run does not take place either.
TEST_F(EngineTexturesTest, EachRunTakesPlaceOnlyUnderItsOwnSettings)
{
    AddTexture("Brick", TestPictures::MakeColourBlocks(2));
    AddLibraryFile("spot.ies", "spot.ies", "IESNA");
    AddLightNaming("spot.ies");
    const struct {
        TextureSettings settings;
        std::vector<std::string> names;
    } cases[] = {
        {{1, true, false, 90, true}, {"spot.ies"}},
        {{2, false, false, 90, true}, {"spot.ies"}},
        {{2, true, false, 90, false}, {"Brick.jpg"}},
        {{2, true, false, 90, true}, {"Brick.jpg", "spot.ies"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings.materialType * 10 + c.settings.exportTextures);
        StoreTextures(c.settings);
        const zelto_reader::File file = Export();
        EXPECT_EQ(EmbeddedNames(file), c.names);
    }
}

// A cancel noticed at any poll of the three runs ends the export as a cancel, with the window closed.
TEST_F(EngineTexturesTest, ACancelInEachTextureRunEndsTheExport)
{
    TextureSettings settings;
    settings.materialType = 3;
    settings.exportLights = true;
    StoreTextures(settings);
    AddTexture("Brick", TestPictures::MakeColourBlocks(2));
    AddTexture("Stone", TestPictures::MakeColourBlocks(2));
    model.materials.push_back({});
    AddLightNaming("spot.ies");

    const std::vector<std::string> cancelledPhases = PhaseOfEachCancel();
    const auto count = [&](const char* title) {
        return std::count(cancelledPhases.begin(), cancelledPhases.end(), std::string(title));
    };
    EXPECT_EQ(count(ModelTexturesTitle), 2);
    EXPECT_EQ(count(MaterialFilesTitle), 1);
    EXPECT_EQ(count(LightFilesTitle), 1);
}

// Material type 3 embeds the files that materials name under "C4D_SHIMAGE_FILE", also without
// "Export Textures"; a value whose base name is embedded already (sky.hdr after the texture sky)
// embeds nothing more, and an extension of more than four characters stays part of the base name.
TEST_F(EngineTexturesTest, MaterialAttachmentsAreEmbeddedInMaterialTypeThree)
{
    AddTexture("sky", TestPictures::MakeColourBlocks(2));
    AddLibraryFile("sky.hdr", "sky.hdr", "#?RADIANCE");
    AddLibraryFile("wood.png", "wood.png", TestPictures::EncodePng(TestPictures::MakeColourBlocks(3)));
    AddLibraryFile("panel.texture", "panel.texture", "raw panel");
    ZeltoHost::MaterialData material;
    material.name = "Panels";
    material.extraParameters = {TextParameter("C4D_ShImage_File", "sky.hdr"),
                                TextParameter("C4D_SHIMAGE_FILE_2", "wood.png"),
                                TextParameter("C4D_SHIMAGE", "panel.texture"),
                                TextParameter("C4D_SHIMAGE_FILE_3", "panel.texture")};
    model.materials.push_back(material);
    const struct {
        bool exportTextures;
        std::vector<std::string> names;
    } cases[] = {{true, {"sky.jpg", "wood.jpg", "panel.texture"}}, {false, {"sky.hdr", "wood.jpg", "panel.texture"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exportTextures);
        TextureSettings settings;
        settings.materialType = 3;
        settings.exportTextures = c.exportTextures;
        StoreTextures(settings);
        const zelto_reader::File file = Export();
        EXPECT_EQ(EmbeddedNames(file), c.names);
    }
}

// The lookups answer the first entry in list order, as a scan would, whatever the letter case;
// null says that no such file is in the export.
TEST(TextureListTest, LookupsAnswerTheFirstMatchingEntry)
{
    WRL::TextureList textures;
    textures.Add(2, "Wood.png", "Wood", "png");
    textures.Add(WRL::LibraryFileTextureIndex, "oak", "oak", "");
    textures.Add(2, "wood.jpg", "wood", "jpg");
    textures.Add(5, "Wood", "Wood", "");

    ASSERT_EQ(textures.GetSize(), 4u);
    EXPECT_EQ(WRL::EmbeddedName(textures[0]), "Wood.png");
    EXPECT_EQ(WRL::EmbeddedName(textures[1]), "oak.");
    EXPECT_EQ(WRL::EmbeddedName(textures[2]), "wood_1.jpg");
    EXPECT_EQ(WRL::EmbeddedName(textures[3]), "Wood_2.");
    EXPECT_EQ(textures.FirstWithModelIndex(2), &textures[0]);
    EXPECT_EQ(textures.FirstWithModelIndex(3), nullptr);
    EXPECT_EQ(textures.FirstWithBaseName("WOOD"), &textures[0]);
    EXPECT_EQ(textures.FirstWithFileName("WOOD.JPG"), &textures[2]);
    EXPECT_TRUE(textures.HasBaseName("Oak"));
    EXPECT_FALSE(textures.HasBaseName("pine"));
    // A value that is one entry's file name and an earlier entry's base name: the base name wins.
    EXPECT_EQ(textures.FindNamedFile("wood"), &textures[0]);
    EXPECT_EQ(textures.FindNamedFile("wood.jpg"), &textures[2]);
    EXPECT_EQ(textures.FindNamedFile("pine.jpg"), nullptr);
}

// A parameter may name a library file by its document name, which need not be its file name: the
// Cinema 4D shader record carries the name the file is embedded under, kept as stored or made a JPEG.
TEST_F(EngineTexturesTest, AMaterialAttachmentNamedByItsDocumentNameLeadsToTheEmbeddedFile)
{
    const std::string png = TestPictures::EncodePng(TestPictures::MakeColourBlocks(3));
    AddLibraryFile("Evening sky", "sky.png", png);
    AddLibraryFile("Studio", "studio.hdr", "#?RADIANCE");
    ZeltoHost::MaterialData material;
    material.name = "Backdrop";
    material.extraParameters = {TextParameter("C4D_SHIMAGE_FILE", "Evening sky"),
                                TextParameter("C4D_SHIMAGE_FILE_2", "studio"),
                                TextParameter("C4D_SHIMAGE_FILE_3", "evening SKY")};
    model.materials.push_back(material);
    const struct {
        bool original;
        std::vector<std::string> embedded;
    } cases[] = {{true, {"sky.png", "studio.hdr"}}, {false, {"sky.jpg", "studio.hdr"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.original);
        TextureSettings settings;
        settings.materialType = 3;
        settings.exportOriginalTextures = c.original;
        StoreTextures(settings);
        log.clear();

        const zelto_reader::File file = Export();

        ASSERT_EQ(EmbeddedNames(file), c.embedded);
        ASSERT_EQ(file.cinemaShaders.size(), 1u);
        const std::vector<zelto_reader::ExtraParameter>& records = file.cinemaShaders[0].parameters;
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[0].text, c.embedded[0]);
        EXPECT_EQ(records[1].text, "studio.hdr");
        EXPECT_EQ(records[2].text, c.embedded[0]);
        EXPECT_FALSE(Logged("cannot found C4D texture"));
    }
}
