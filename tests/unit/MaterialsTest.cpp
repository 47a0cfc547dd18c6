// The shader sections as the file shows them: how materials are named and classified, how materials
// of one name merge into one shader position that the polygons carry, the three runs of the
// material types with their phases, the RGB opener when the host cannot list its material
// attributes, and a cancel in each run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostControl.hpp"
#include "MAExporterTest.hpp"
#include "common/TestPictures.hpp"

using namespace engine_test;

namespace {

constexpr API_AttrTypeID MaterialAttribute = 5;
constexpr API_AttrTypeID LayerAttribute = 1;
constexpr const char* RgbTitle = "Saving colours";
constexpr const char* InternalTitle = "Saving materials";
constexpr const char* CinemaTitle = "Saving Cinema 4D materials";

class MaterialsTest : public EngineTest {
protected:
    // Material n (from 1) of the model.
    ZeltoHost::MaterialData& AddMaterial(const std::string& name, Int32 externalReference = 0)
    {
        ZeltoHost::MaterialData material;
        material.name = GS::UniString::FromUtf8(name);
        material.externalReference = externalReference;
        model.materials.push_back(material);
        return model.materials.back();
    }

    // One element with one square per material number, in the given order.
    void AddSquaresOf(const std::vector<Int32>& materialNumbers)
    {
        std::vector<ZeltoHost::BodyData> bodies;
        for (std::size_t i = 0; i < materialNumbers.size(); ++i)
            bodies.push_back(SquareBody(0.0, 0.0, static_cast<double>(i), materialNumbers[i]));
        AddElement(1, bodies);
    }

    // Texture n (from 1) of the model, with pixels the texture pass can encode.
    ZeltoHost::TextureData& AddTexture(const std::string& name)
    {
        const TestPictures::ArgbPicture picture = TestPictures::MakeColourBlocks(2);
        ZeltoHost::TextureData texture;
        texture.name = GS::UniString::FromUtf8(name);
        texture.pixelWidth = picture.width;
        texture.pixelHeight = picture.height;
        for (std::size_t at = 0; at + 3 < picture.argb.size(); at += 4)
            texture.pixels.push_back({picture.argb[at], picture.argb[at + 1], picture.argb[at + 2], picture.argb[at + 3]});
        model.textures.push_back(texture);
        return model.textures.back();
    }

    static std::vector<Int32> MaterialPositions(const zelto_reader::File& file)
    {
        std::vector<Int32> positions;
        for (const zelto_reader::Polygon& polygon : file.polygons)
            positions.push_back(polygon.materialPosition);
        return positions;
    }

    static std::vector<std::string> ShaderNames(const zelto_reader::File& file)
    {
        std::vector<std::string> names;
        for (const zelto_reader::RgbShader& shader : file.rgbShaders)
            names.push_back(shader.name);
        return names;
    }

    // The number (from 1) of the first cancel poll made inside the phase of this title, found by a run
    // without a cancel; 0 when the phase polls not at all.
    int FirstPollIn(const std::string& title)
    {
        Recorder().Clear();
        if (Run().kind != Outcome::Kind::Completed)
            return 0;
        int polls = 0;
        bool inPhase = false;
        for (const std::string& event : ProcessEvents()) {
            if (event.rfind("Next \"", 0) == 0)
                inPhase = event.rfind("Next \"" + title + "\"", 0) == 0;
            if (event.rfind("IsCanceled", 0) == 0) {
                ++polls;
                if (inPhase)
                    return polls;
            }
        }
        return 0;
    }

    static int CountPhases(const Events& events, const std::string& title)
    {
        int count = 0;
        for (const std::string& event : events)
            count += event.rfind("Next \"" + title + "\"", 0) == 0 ? 1 : 0;
        return count;
    }
};

}  // namespace

// Every naming rule, one material each: attribute names by external reference, GDL names rebuilt,
// pen numbers read within Int32, attribute hits by name, and the empty name.
TEST_F(MaterialsTest, MaterialsAreNamedAndClassifiedByTheirOrigin)
{
    project.AddAttribute(MaterialAttribute, 7, "Marble");
    project.AddAttribute(MaterialAttribute, 3, "Brick");
    project.AddAttribute(MaterialAttribute, 12, "PEN_MATERIAL5");
    project.AddAttribute(MaterialAttribute, 4, "GDLM_Stone");
    project.AddAttribute(LayerAttribute, 90, "Walls");  // not a material: the opener ignores it

    struct Case {
        const char* name;
        Int32 externalReference;
        const char* writtenName;
        Int32 attributeReference;
        Int32 materialType;
    };
    const Case cases[] = {
        {"Anything", 7, "Marble", 7, 1},                 // the attribute's name, not the material's
        {"Lost", 9, "Unknown material", 9, 1},           // an attribute the host cannot read
        {"GDLM12_Oak", 0, "GDLM_Oak", 0, 2},
        {"GDLMOak", 0, "GDLMOak", 0, 2},
        {"GDLM_Ash", 0, "GDLM_Ash", 0, 2},
        {"GDLM3_a_b", 0, "GDLM_a_b", 0, 2},              // from the first "_" on
        {"gdlm12_Elm", 0, "gdlm12_Elm", 0, 0},           // letter case counts
        {"Wood GDLM_1", 0, "Wood GDLM_1", 0, 0},
        {"PEN_MATERIAL17", 0, "PEN_MATERIAL17", -17, 3},
        {"PEN_MATERIAL", 0, "PEN_MATERIAL", 0, 3},
        {"PEN_MATERIALx", 0, "PEN_MATERIALx", 0, 3},
        {"PEN_MATERIAL18", -4, "PEN_MATERIAL18", -4, 3},  // a host reference stays
        {"PEN_MATERIAL 42x", 0, "PEN_MATERIAL 42x", -42, 3},
        {"PEN_MATERIAL+43", 0, "PEN_MATERIAL+43", -43, 3},
        {"PEN_MATERIAL-5", 0, "PEN_MATERIAL-5", 0, 3},   // no pen: not a positive reference
        {"PEN_MATERIAL2147483647", 0, "PEN_MATERIAL2147483647", -2147483647, 3},
        {"PEN_MATERIAL2147483648", 0, "PEN_MATERIAL2147483648", 0, 3},
        {"PEN_MATERIAL99999999999999999999", 0, "PEN_MATERIAL99999999999999999999", 0, 3},
        {"PEN_MATERIAL0", 0, "PEN_MATERIAL0", 0, 3},
        {"Brick", 0, "Brick", 3, 1},
        {"PEN_MATERIAL5", 0, "PEN_MATERIAL5", 12, 1},     // the attribute wins over the pen
        {"GDLM7_Stone", -2, "GDLM_Stone", 4, 1},          // found under the rebuilt name
        {"", 0, "Unknown material", 0, 0},
        {"", -6, "Unknown material", -6, 0},
    };
    for (const Case& c : cases) {
        ZeltoHost::MaterialData& material = AddMaterial(c.name, c.externalReference);
        material.surfaceColor = {0.25, 0.5, static_cast<double>(model.materials.size()) / 100.0};
    }

    const zelto_reader::File file = Export();

    ASSERT_TRUE(file.materialOpener.has_value());
    EXPECT_EQ(file.materialOpener->maxAttributeIndex, 12);
    EXPECT_EQ(file.materialOpener->materialMode, 1);
    EXPECT_EQ(file.counts.rgbShaders, static_cast<Int32>(std::size(cases)));
    ASSERT_EQ(file.rgbShaders.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string("material \"") + c.name + "\"");
        EXPECT_EQ(file.rgbShaders[i].name, c.writtenName);
        EXPECT_EQ(file.rgbShaders[i].attributeReference, c.attributeReference);
        EXPECT_EQ(file.rgbShaders[i].materialType, c.materialType);
        EXPECT_DOUBLE_EQ(file.rgbShaders[i].color.red, 0.25);
        EXPECT_DOUBLE_EQ(file.rgbShaders[i].color.green, 0.5);
        EXPECT_DOUBLE_EQ(file.rgbShaders[i].color.blue, static_cast<double>(i + 1) / 100.0);
    }
}

// Non-GDL materials of one name merge with the first; GDL materials only with one of the same
// content, each differing one before it raising the suffix.
TEST_F(MaterialsTest, MaterialsOfOneNameShareAShaderPosition)
{
    AddMaterial("Brick").surfaceColor = {1, 0, 0};          // 1
    AddMaterial("Brick").surfaceColor = {0, 1, 0};          // 2: merged, although it differs
    AddMaterial("GDLM1_N").shining = 1.0;                   // 3: N
    AddMaterial("GDLM2_N").shining = 2.0;                   // 4: differs from 3
    AddMaterial("GDLM3_N").shining = 3.0;                   // 5: differs from 3 and 4
    AddMaterial("GDLM2_N").shining = 2.0;                   // 6: the same content as 4
    AddMaterial("GDLM9_N").shining = 9.0;                   // 7: differs from all before, 6 included
    AddMaterial("PEN_MATERIAL3");                           // 8
    AddMaterial("PEN_MATERIAL3").surfaceColor = {0, 0, 1};  // 9: merged
    AddMaterial("brick");                                   // 10: letter case counts
    AddSquaresOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0});

    const zelto_reader::File file = Export();

    EXPECT_EQ(ShaderNames(file),
              (std::vector<std::string>{"Brick", "Brick", "GDLM_N", "GDLM_N :: 1", "GDLM_N :: 2", "GDLM_N :: 1",
                                        "GDLM_N :: 4", "PEN_MATERIAL3", "PEN_MATERIAL3", "brick"}));
    EXPECT_EQ(MaterialPositions(file), (std::vector<Int32>{0, 0, 2, 3, 4, 3, 6, 7, 7, 9, -1}));
    EXPECT_DOUBLE_EQ(file.rgbShaders[1].color.green, 1.0);  // a merged material still has its own record
}

// The material list holds material numbers in 16 bits: a material numbered above 32767 is not found
// by its number, so its polygons take its own record's position even when it was merged into an
// earlier material of its name; up to 32767 the merged position counts.
TEST_F(MaterialsTest, MaterialNumbersAboveThirtyTwoThousandKeepTheirOwnPosition)
{
    constexpr Int32 materialCount = 32770;
    for (Int32 number = 1; number <= materialCount; ++number) {
        const bool merged = number == 32767 || number == materialCount;
        AddMaterial(merged ? "Material 1" : "Material " + std::to_string(number));
    }
    AddSquaresOf({materialCount, 32768, 32767, 1});

    const zelto_reader::File file = Export();

    EXPECT_EQ(file.counts.rgbShaders, materialCount);
    EXPECT_EQ(MaterialPositions(file), (std::vector<Int32>{32769, 32767, 0, 0}));
}

// Material type 1 writes the RGB run only, 2 adds the internal run and 3 the Cinema 4D run; each run
// has one record per material and its own phase.
TEST_F(MaterialsTest, EachMaterialTypeWritesItsRunsWithOnePhaseEach)
{
    AddMaterial("Oak");
    AddMaterial("Ash");
    AddMaterial("Elm");
    for (Int32 materialType = 1; materialType <= 3; ++materialType) {
        SCOPED_TRACE(materialType);
        Settings settings;
        settings.materialType = materialType;
        Store(settings);
        Recorder().Clear();

        const zelto_reader::File file = Export();

        ASSERT_TRUE(file.materialOpener.has_value());
        EXPECT_EQ(file.materialOpener->materialMode, materialType);
        EXPECT_EQ(file.counts.rgbShaders, 3);
        EXPECT_EQ(file.counts.internalShaders, materialType >= 2 ? 3 : 0);
        EXPECT_EQ(file.counts.cinemaShaders, materialType == 3 ? 3 : 0);
        EXPECT_EQ(CountPhases(ProcessEvents(), RgbTitle), 1);
        EXPECT_EQ(CountPhases(ProcessEvents(), InternalTitle), materialType >= 2 ? 1 : 0);
        EXPECT_EQ(CountPhases(ProcessEvents(), CinemaTitle), materialType == 3 ? 1 : 0);
        for (const std::string& event : ProcessEvents()) {
            if (event.rfind("Next \"" + std::string(RgbTitle) + "\"", 0) == 0) {
                EXPECT_EQ(event.rfind("Next \"Saving colours\" 3", 0), 0u) << event;
            }
        }
    }
}

// A model without materials: the opener alone, and no runs' records.
TEST_F(MaterialsTest, AModelWithoutMaterialsWritesTheOpenerOnly)
{
    project.AddAttribute(MaterialAttribute, 2, "Glass");
    Settings settings;
    settings.materialType = 3;
    Store(settings);

    const zelto_reader::File file = Export();

    ASSERT_TRUE(file.materialOpener.has_value());
    EXPECT_EQ(file.materialOpener->maxAttributeIndex, 2);
    EXPECT_EQ(file.materialOpener->materialMode, 3);
    EXPECT_EQ(file.counts.rgbShaders, 0);
    EXPECT_EQ(file.counts.internalShaders, 0);
    EXPECT_EQ(file.counts.cinemaShaders, 0);
}

// The internal record carries the material's values as the model has them; without exported
// textures no texture block, whatever texture the material uses.
TEST_F(MaterialsTest, InternalShadersCarryTheMaterialsValues)
{
    ZeltoHost::TextureData texture;
    texture.name = "Bricks";
    model.textures.push_back(texture);
    ZeltoHost::MaterialData& material = AddMaterial("Oak");
    material.textureIndex = 1;
    material.transparency = 0.1;
    material.transparencyAttenuation = 0.2;
    material.emissionAttenuation = 0.3;
    material.emissionColor = {0.4, 0.5, 0.6};
    material.ambientReflection = 0.7;
    material.diffuseReflection = 0.8;
    material.shining = 0.9;
    material.specularReflection = 1.1;
    material.specularColor = {1.2, 1.3, 1.4};
    Settings settings;
    settings.materialType = 2;
    Store(settings);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.internalShaders.size(), 1u);
    const zelto_reader::InternalShader& shader = file.internalShaders[0];
    EXPECT_FALSE(shader.hasTexture);
    EXPECT_DOUBLE_EQ(shader.transparency, 0.1);
    EXPECT_DOUBLE_EQ(shader.transparencyAttenuation, 0.2);
    EXPECT_DOUBLE_EQ(shader.emissionAttenuation, 0.3);
    EXPECT_DOUBLE_EQ(shader.emissionColor.red, 0.4);
    EXPECT_DOUBLE_EQ(shader.emissionColor.green, 0.5);
    EXPECT_DOUBLE_EQ(shader.emissionColor.blue, 0.6);
    EXPECT_DOUBLE_EQ(shader.ambientReflection, 0.7);
    EXPECT_DOUBLE_EQ(shader.diffuseReflection, 0.8);
    EXPECT_DOUBLE_EQ(shader.shining, 0.9);
    EXPECT_DOUBLE_EQ(shader.specularReflection, 1.1);
    EXPECT_DOUBLE_EQ(shader.specularColor.red, 1.2);
    EXPECT_DOUBLE_EQ(shader.specularColor.green, 1.3);
    EXPECT_DOUBLE_EQ(shader.specularColor.blue, 1.4);
}

// With textures exported, the texture block names the texture as the texture pass embedded it (its
// unique name); sizes go out unscaled and the rotation in degrees. A texture that got no record has
// no block, also when a later texture took the name it would have had; a texture number the pass
// did not name gives no block either.
TEST_F(MaterialsTest, InternalShadersNameTheirTextureAsItWasEmbedded)
{
    AddTexture("Wood");
    ZeltoHost::TextureData& second = AddTexture("Wood.png");
    second.xSize = 1.5;
    second.ySize = 0.25;
    second.bumpMapPattern = true;
    second.mirroredInY = true;
    AddTexture("NoPixels").pixels.clear();  // cannot be encoded: named NoPixels.jpg, but no record
    AddTexture("NoPixels.png");             // embedded as NoPixels.jpg
    ZeltoHost::MaterialData& wood = AddMaterial("Wood");
    wood.textureIndex = 2;
    wood.textureRotationAngle = 0.5;
    AddMaterial("Blank").textureIndex = 3;
    AddMaterial("Lost").textureIndex = 9;
    AddMaterial("Plain");
    AddMaterial("Painted").textureIndex = 4;
    Settings settings;
    settings.materialType = 2;
    settings.exportTextures = true;
    settings.scale = 2.0;
    Store(settings);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.textures.size(), 3u);
    EXPECT_EQ(file.textures[1].name, "Wood_1.jpg");
    EXPECT_EQ(file.textures[2].name, "NoPixels.jpg");
    ASSERT_EQ(file.internalShaders.size(), 5u);
    const zelto_reader::InternalShader& shader = file.internalShaders[0];
    ASSERT_TRUE(shader.hasTexture);
    EXPECT_EQ(shader.textureName, "Wood_1.jpg");
    EXPECT_EQ(shader.textureIndex, 1);
    EXPECT_DOUBLE_EQ(shader.rotationDegrees, 0.5 * 57.29577951308232);
    EXPECT_DOUBLE_EQ(shader.textureSizeX, 1.5);
    EXPECT_DOUBLE_EQ(shader.textureSizeY, 0.25);
    EXPECT_TRUE(shader.bumpMap);
    EXPECT_FALSE(shader.transparentPattern);
    EXPECT_FALSE(shader.mirroredX);
    EXPECT_TRUE(shader.mirroredY);
    EXPECT_FALSE(file.internalShaders[1].hasTexture) << "the texture that got no record";
    EXPECT_FALSE(file.internalShaders[2].hasTexture);
    EXPECT_FALSE(file.internalShaders[3].hasTexture);
    ASSERT_TRUE(file.internalShaders[4].hasTexture);
    EXPECT_EQ(file.internalShaders[4].textureName, "NoPixels.jpg");
    EXPECT_EQ(file.internalShaders[4].textureIndex, 2);
}

// The file stays walkable: the opener is written with 0 as the largest index, every material still
// gets its record, and the failure is logged.
TEST_F(MaterialsTest, MaterialsAreWrittenWhenTheHostCannotListItsMaterialAttributes)
{
    project.AddAttribute(MaterialAttribute, 8, "Brick");
    AddMaterial("Brick");
    AddMaterial("PEN_MATERIAL4");
    AddSquaresOf({2, 1});
    for (Int32 materialType = 1; materialType <= 3; ++materialType) {
        SCOPED_TRACE(materialType);
        Settings settings;
        settings.materialType = materialType;
        Store(settings);
        HostControl::ClearFailures();
        HostControl::InjectError("ACAPI_Attribute_GetAttributesByType", APIERR_GENERAL);
        log.clear();

        const zelto_reader::File file = Export();

        ASSERT_TRUE(file.materialOpener.has_value());
        EXPECT_EQ(file.materialOpener->maxAttributeIndex, 0);
        EXPECT_EQ(file.materialOpener->materialMode, materialType);
        ASSERT_EQ(file.rgbShaders.size(), 2u);
        EXPECT_EQ(file.rgbShaders[0].attributeReference, 8);  // the search by name still works
        EXPECT_EQ(file.rgbShaders[1].attributeReference, -4);
        EXPECT_EQ(MaterialPositions(file), (std::vector<Int32>{1, 0}));
        EXPECT_EQ(file.counts.internalShaders, materialType >= 2 ? 2 : 0);
        EXPECT_TRUE(Logged("Cannot list the material attributes: #"));
    }
}

// A cancel noticed in any run ends the export with WRL::Cancel, the window closed and the target
// file as it was.
TEST_F(MaterialsTest, ACancelInEachRunEndsTheExport)
{
    AddMaterial("Oak");
    AddMaterial("Ash");
    AddSquaresOf({1, 2});
    Settings settings;
    settings.materialType = 3;
    Store(settings);
    for (const char* title : {RgbTitle, InternalTitle, CinemaTitle}) {
        for (int pollInRun : {0, 1}) {
            SCOPED_TRACE(std::string(title) + ", material " + std::to_string(pollInRun + 1));
            const int firstPoll = FirstPollIn(title);
            ASSERT_GT(firstPoll, 0);
            Recorder().Clear();
            folder.WriteFile("House.Zelto", "the previous export");
            window.CancelAtPoll(firstPoll + pollInRun);

            const Outcome outcome = Run();

            EXPECT_EQ(outcome.kind, Outcome::Kind::Cancelled);
            EXPECT_EQ(outcome.code, -7003);
            EXPECT_FALSE(window.IsOpen());
            ASSERT_GE(ProcessEvents().size(), 2u);
            EXPECT_EQ(ProcessEvents()[ProcessEvents().size() - 2].rfind("Close", 0), 0u);  // by the pass
            EXPECT_EQ(ProcessEvents().back().rfind("Close", 0), 0u);                       // by the driver
            EXPECT_EQ(folder.ReadFile("House.Zelto"), "the previous export");
            window.CancelAtPoll(0);
        }
    }
}
