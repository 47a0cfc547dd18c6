// The parameter record, as the Cinema 4D shader records of material type 3 carry it: names,
// type codes, array items, and the texture key that lets a value name an embedded file; and the
// lookup that turns such a value into the embedded file's name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExtraParameterRecord.hpp"
#include "MAExporterTest.hpp"
#include "TextureList.hpp"
#include "common/TestPictures.hpp"

using namespace engine_test;

namespace {

using ParameterType = zelto_reader::ParameterType;

ZeltoHost::ParameterData Parameter(const std::string& name, Int32 type, bool isArray)
{
    ZeltoHost::ParameterData parameter;
    parameter.name = GS::UniString::FromUtf8(name);
    parameter.type = type;
    parameter.isArray = isArray;
    return parameter;
}

ZeltoHost::ParameterData Number(const std::string& name, double value)
{
    ZeltoHost::ParameterData parameter = Parameter(name, 1, false);
    parameter.number = value;
    return parameter;
}

ZeltoHost::ParameterData Text(const std::string& name, const std::string& value)
{
    ZeltoHost::ParameterData parameter = Parameter(name, 2, false);
    parameter.text = GS::UniString::FromUtf8(value);
    return parameter;
}

ZeltoHost::ParameterData NumberArray(const std::string& name, Int32 rows, Int32 columns, std::vector<double> items)
{
    ZeltoHost::ParameterData parameter = Parameter(name, 3, true);
    parameter.dimension1 = rows;
    parameter.dimension2 = columns;
    parameter.numbers = std::move(items);
    return parameter;
}

ZeltoHost::ParameterData TextArray(const std::string& name, Int32 rows, Int32 columns,
                                   const std::vector<std::string>& items)
{
    ZeltoHost::ParameterData parameter = Parameter(name, 4, true);
    parameter.dimension1 = rows;
    parameter.dimension2 = columns;
    for (const std::string& item : items)
        parameter.texts.push_back(GS::UniString::FromUtf8(item));
    return parameter;
}

class ExtraParameterTest : public EngineTest {
protected:
    // A material type 3 export of one material with these extra parameters, the model's textures
    // exported or not, and library pictures kept as stored or made JPEGs.
    zelto_reader::File ExportMaterial(std::vector<ZeltoHost::ParameterData> parameters, bool exportTextures = false,
                                      bool originalTextures = true)
    {
        ZeltoHost::MaterialData material;
        material.name = "Shader";
        material.extraParameters = std::move(parameters);
        model.materials = {material};
        Settings settings;
        settings.materialType = 3;
        settings.exportTextures = exportTextures;
        Store(settings);
        GSPref::IRoot* root = nullptr;
        if (GSPref::OpenRootKey(0, &root) != NoError)
            throw std::runtime_error("no preference root");
        root->WriteBool(WRL::REG_Folder, WRL::REG_TexCompress, originalTextures);
        GSPref::CloseRootKey(root);
        const zelto_reader::File file = Export();
        if (file.cinemaShaders.size() != 1)
            throw std::runtime_error("not one Cinema 4D shader record");
        return file;
    }

    // The records of one material's extra parameters, read back from a material type 3 export.
    std::vector<zelto_reader::ExtraParameter> ExportParameters(std::vector<ZeltoHost::ParameterData> parameters)
    {
        return ExportMaterial(std::move(parameters)).cinemaShaders[0].parameters;
    }

    // A model texture of the picture's pixels, which the texture pass can encode.
    void AddTexture(const char* name, const TestPictures::ArgbPicture& picture)
    {
        ZeltoHost::TextureData texture;
        texture.name = name;
        texture.pixelWidth = picture.width;
        texture.pixelHeight = picture.height;
        for (std::size_t at = 0; at + 3 < picture.argb.size(); at += 4)
            texture.pixels.push_back({picture.argb[at], picture.argb[at + 1], picture.argb[at + 2], picture.argb[at + 3]});
        model.textures.push_back(texture);
    }

    // A library picture (library item type 11) holding the picture as PNG.
    void AddLibraryPicture(const char* documentName, const char* fileName, const TestPictures::ArgbPicture& picture)
    {
        library.WriteFile(fileName, TestPictures::EncodePng(picture));
        ZeltoHost::HostLibPart part;
        part.typeID = 11;
        part.documentName = documentName;
        part.fileName = fileName;
        part.location = IO::Location(library.PathOf(fileName).c_str());
        project.AddLibPart(part);
    }

    TemporaryFolder library;
};

std::vector<std::string> EmbeddedNames(const zelto_reader::File& file)
{
    std::vector<std::string> names;
    for (const zelto_reader::Texture& texture : file.textures)
        names.push_back(texture.name);
    return names;
}

// Files as the texture pass embeds them: (index, file name, base name, extension).
struct Embedded {
    Int32 index;
    const char* fileName;
    const char* baseName;
    const char* extension;
};

WRL::TextureList ListOf(const std::vector<Embedded>& files)
{
    WRL::TextureList list;
    for (const Embedded& file : files)
        list.Add(file.index, file.fileName, file.baseName, file.extension);
    return list;
}

std::string Resolved(const WRL::TextureList& list, const char* value)
{
    const WRL::TextureData* found = WRL::FindEmbeddedFile(list, value);
    return found == nullptr ? "(none)" : WRL::EmbeddedName(*found);
}

}  // namespace

TEST_F(ExtraParameterTest, AMaterialWithoutExtraParametersHasAnEmptyRecord)
{
    EXPECT_TRUE(ExportParameters({}).empty());
}

// Single values and arrays, with and without the array flag their type expects, and types the
// record does not know.
TEST_F(ExtraParameterTest, TypeCodesFollowTheHostTypeAndItsArrayFlag)
{
    ZeltoHost::ParameterData arrayFlaggedNumber = Number("A", 2.5);
    arrayFlaggedNumber.isArray = true;
    ZeltoHost::ParameterData arrayFlaggedText = Text("B", "x");
    arrayFlaggedText.isArray = true;
    ZeltoHost::ParameterData singleNumberArray = NumberArray("C", 1, 1, {1.0});
    singleNumberArray.isArray = false;
    ZeltoHost::ParameterData singleTextArray = TextArray("D", 1, 1, {"t"});
    singleTextArray.isArray = false;
    const std::vector<ZeltoHost::ParameterData> parameters = {
        Number("Intensity", 0.75),
        Text("Label", "Oak"),
        NumberArray("Weights", 1, 2, {1.0, 2.0}),
        TextArray("Tags", 2, 0, {"a", "b"}),
        Parameter("Flag", 5, false),
        Parameter("Flags", 5, true),
        Parameter("Undefined", 0, false),
        arrayFlaggedNumber,
        arrayFlaggedText,
        singleNumberArray,
        singleTextArray,
        Number("Last", -1.0),  // the reader finds it after all the records of code 0
    };

    const std::vector<zelto_reader::ExtraParameter> records = ExportParameters(parameters);

    ASSERT_EQ(records.size(), parameters.size());
    const ParameterType expected[] = {
        ParameterType::Numeric, ParameterType::Text,    ParameterType::NumericArray, ParameterType::TextArray,
        ParameterType::Unknown, ParameterType::Unknown, ParameterType::Unknown,      ParameterType::Unknown,
        ParameterType::Unknown, ParameterType::Unknown, ParameterType::Unknown,      ParameterType::Numeric,
    };
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].type, expected[i]) << records[i].name;
    EXPECT_EQ(records[0].name, "INTENSITY");
    EXPECT_DOUBLE_EQ(records[0].number, 0.75);
    EXPECT_EQ(records[1].text, "Oak");
    EXPECT_DOUBLE_EQ(records[11].number, -1.0);
}

// Names are upper-cased (letters with accents too) and cut to 255 bytes at a character boundary.
TEST_F(ExtraParameterTest, NamesAreUpperCasedAndCut)
{
    const std::string longName = std::string(254, 'a') + "\xC3\xA9" + "tail";  // é across byte 255
    const std::vector<zelto_reader::ExtraParameter> records =
        ExportParameters({Number("Intensity", 1.0), Number("c4d_Café", 1.0), Number(longName, 1.0)});

    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].name, "INTENSITY");
    EXPECT_EQ(records[1].name, "C4D_CAF\xC3\x89");
    EXPECT_EQ(records[2].name, std::string(254, 'A'));
}

// Items go row by row; a second dimension of 0 is one item per row, a negative one or no rows none.
TEST_F(ExtraParameterTest, ArrayItemsFollowTheDimensions)
{
    struct Case {
        Int32 rows;
        Int32 columns;
        std::vector<double> items;
        std::vector<double> written;
    };
    const std::vector<Case> cases = {
        {2, 3, {11, 12, 13, 21, 22, 23}, {11, 12, 13, 21, 22, 23}},
        {3, 0, {1, 2, 3}, {1, 2, 3}},
        {0, 3, {}, {}},
        {2, -1, {5, 6}, {}},
        {-2, 2, {}, {}},
    };
    std::vector<ZeltoHost::ParameterData> parameters;
    for (const Case& c : cases) {
        parameters.push_back(NumberArray("N", c.rows, c.columns, c.items));
        std::vector<std::string> texts;
        for (double item : c.items)
            texts.push_back("t" + std::to_string(static_cast<int>(item)));
        parameters.push_back(TextArray("T", c.rows, c.columns, texts));
    }

    const std::vector<zelto_reader::ExtraParameter> records = ExportParameters(parameters);

    ASSERT_EQ(records.size(), 2 * cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("(" + std::to_string(c.rows) + ", " + std::to_string(c.columns) + ")");
        const zelto_reader::ExtraParameter& numbers = records[2 * i];
        const zelto_reader::ExtraParameter& texts = records[2 * i + 1];
        EXPECT_EQ(numbers.rows, c.rows);
        EXPECT_EQ(numbers.columns, c.columns);
        EXPECT_EQ(numbers.numbers, c.written);
        EXPECT_EQ(texts.rows, c.rows);
        EXPECT_EQ(texts.columns, c.columns);
        std::vector<std::string> writtenTexts;
        for (double item : c.written)
            writtenTexts.push_back("t" + std::to_string(static_cast<int>(item)));
        EXPECT_EQ(texts.texts, writtenTexts);
    }
}

// Only text values under a name holding the key are looked up; one that names no embedded file is
// written as it is, after one debug line per value.
TEST_F(ExtraParameterTest, OnlyValuesUnderTheKeyAreLookedUp)
{
    const std::vector<zelto_reader::ExtraParameter> records = ExportParameters({
        Text("c4d_shimage_file_2", "wood.png"),
        Text("C4D_SHIMAGE", "stone.png"),
        Text("Color_C4D_SHIMAGE_FILE", "sky.hdr"),
        TextArray("C4D_SHIMAGE_FILE", 1, 0, {"brick.png"}),
    });

    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].text, "wood.png");
    EXPECT_EQ(records[1].text, "stone.png");
    EXPECT_EQ(records[2].text, "sky.hdr");
    EXPECT_EQ(records[3].texts, (std::vector<std::string>{"brick.png"}));
    EXPECT_TRUE(Logged("cannot found C4D texture:\twood.png"));
    EXPECT_FALSE(Logged("stone.png"));
    EXPECT_TRUE(Logged("cannot found C4D texture:\tsky.hdr"));
    EXPECT_FALSE(Logged("brick.png"));
}

// The values under the key name files as the texture pass embedded them: model textures by their
// base name or file name, a library picture that became a JPEG by the name it was asked for.
TEST_F(ExtraParameterTest, ValuesUnderTheKeyNameTheEmbeddedFiles)
{
    const TestPictures::ArgbPicture picture = TestPictures::MakeColourBlocks(2);
    AddTexture("Wood", picture);
    AddTexture("Wood", picture);
    AddLibraryPicture("tiles.png", "tiles.png", picture);

    const zelto_reader::File file =
        ExportMaterial({Text("C4D_SHIMAGE_FILE", "WOOD"), Text("C4D_SHIMAGE_FILE_BUMP", "wood.JPG"),
                        Text("c4d_shimage_file_3", "tiles.png"), Text("Label", "tiles.png")},
                       true, false);  // library pictures become JPEGs

    EXPECT_EQ(EmbeddedNames(file), (std::vector<std::string>{"Wood.jpg", "Wood_1.jpg", "tiles.jpg"}));
    const std::vector<zelto_reader::ExtraParameter>& records = file.cinemaShaders[0].parameters;
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].text, "Wood.jpg");
    EXPECT_EQ(records[0].textureIndex, 0);
    EXPECT_EQ(records[1].text, "Wood.jpg");
    EXPECT_EQ(records[1].textureIndex, 0);
    EXPECT_EQ(records[2].text, "tiles.jpg");
    EXPECT_EQ(records[2].textureIndex, 2);
    EXPECT_EQ(records[3].text, "tiles.png");
    EXPECT_FALSE(Logged("cannot found C4D texture"));
}

// A value's base name or file name decides before the name the library was searched with: "sky"
// names the embedded sky.png although a search for "sky" found clouds.png by its document name. A
// value that no name resolves is completed only with the file its own search found: wood.png, never
// searched for because the model texture wood is embedded already, is kept as it is (and logged)
// instead of naming that unrelated texture.
TEST_F(ExtraParameterTest, AValueNamesTheFileItsNamesResolveToAndOnlyItsOwnSearchCompletesIt)
{
    const TestPictures::ArgbPicture picture = TestPictures::MakeColourBlocks(2);
    AddTexture("wood", picture);
    AddLibraryPicture("sky", "clouds.png", picture);
    AddLibraryPicture("sky.png", "sky.png", picture);
    AddLibraryPicture("wood.png", "wood.png", picture);
    AddLibraryPicture("Evening", "dusk.png", picture);

    const zelto_reader::File file =
        ExportMaterial({Text("C4D_SHIMAGE_FILE", "sky"), Text("C4D_SHIMAGE_FILE_2", "sky.png"),
                        Text("C4D_SHIMAGE_FILE_3", "wood.png"), Text("C4D_SHIMAGE_FILE_4", "Evening")},
                       true);

    EXPECT_EQ(EmbeddedNames(file), (std::vector<std::string>{"wood.jpg", "clouds.png", "sky.png", "dusk.png"}));
    const std::vector<zelto_reader::ExtraParameter>& records = file.cinemaShaders[0].parameters;
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].text, "sky.png");
    EXPECT_EQ(records[1].text, "sky.png");
    EXPECT_EQ(records[2].text, "wood.png");
    EXPECT_EQ(records[2].textureIndex, -1);
    EXPECT_EQ(records[3].text, "dusk.png");
    EXPECT_TRUE(Logged("cannot found C4D texture:\twood.png"));
}

TEST(ExtraParameterKeyTest, TheKeyIsSearchedInTheUpperCasedName)
{
    EXPECT_TRUE(WRL::NamesEmbeddedFile("C4D_SHIMAGE_FILE_2", WRL::MaterialTextureKey));
    EXPECT_TRUE(WRL::NamesEmbeddedFile("MY_C4D_SHIMAGE_FILE", WRL::MaterialTextureKey));
    EXPECT_FALSE(WRL::NamesEmbeddedFile("C4D_SHIMAGE", WRL::MaterialTextureKey));
    EXPECT_FALSE(WRL::NamesEmbeddedFile("c4d_shimage_file", WRL::MaterialTextureKey));  // letter case counts
    EXPECT_FALSE(WRL::NamesEmbeddedFile("C4D_SHIMAGE_FILE", WRL::NoTextureKey));
}

// A value resolves by base name first, then by file name, letter case disregarded; nothing else
// about names resolves it: neither the name a file is embedded under nor the value's own base name.
TEST(ExtraParameterLookupTest, AValueResolvesByBaseNameThenByFileName)
{
    const WRL::TextureList list = ListOf({
        {1, "wood.jpg", "wood", "jpg"},            // wood.jpg
        {2, "wood.jpg", "wood", "jpg"},            // wood_1.jpg
        {-1, "tiles.jpg", "tiles", "jpg"},         // a library picture re-encoded as JPEG
        {-1, "roof", "stone", "png"},              // a file name that is another entry's base name
        {-1, "stone.tif", "roof", "tif"},
        {-1, "light.ies", "light", "ies"},
        {3, "Brick_1.jpg", "Brick_1", "jpg"},
    });
    struct Case {
        const char* value;
        const char* resolved;
    };
    const Case cases[] = {
        {"wood", "wood.jpg"},
        {"WOOD", "wood.jpg"},
        {"wood.jpg", "wood.jpg"},          // the file name of the first entry
        {"roof", "roof.tif"},              // a base name wins over a file name
        {"stone.tif", "roof.tif"},
        {"light.IES", "light.ies"},
        {"Brick_1", "Brick_1.jpg"},
        {"wood_1.jpg", "(none)"},          // only the name it is embedded under
        {"wood.png", "(none)"},            // only a base name of an entry
        {"tiles.png", "(none)"},           // not searched for in this list
        {"Brick", "(none)"},
        {"", "(none)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Resolved(list, c.value), c.resolved) << c.value;
    EXPECT_EQ(Resolved(WRL::TextureList(), "wood"), "(none)");
}

// The library finds a file by its document name too. A value that the names leave unresolved leads
// to the file that the texture pass embedded when it searched the library with that very value,
// whatever the letter case; the names decide first, and a name that found nothing, or one noted
// again later, changes nothing.
TEST(ExtraParameterLookupTest, AValueTheNamesLeaveUnresolvedLeadsToTheFileItsSearchFound)
{
    WRL::TextureList list;
    list.NoteSearchedName("ignored");  // no entry yet
    list.Add(1, "Evening.jpg", "Evening", "jpg");
    list.Add(-1, "sky.jpg", "sky", "jpg");
    list.NoteSearchedName("Evening sky");
    list.Add(-1, "dusk.hdr", "dusk", "hdr");
    list.NoteSearchedName("Evening");  // a model texture's base name already
    list.NoteSearchedName("evening SKY");
    list.Add(-1, "clouds.png", "clouds", "png");
    list.NoteSearchedName("sky.png");

    const struct {
        const char* value;
        const char* resolved;
    } cases[] = {
        {"Evening sky", "sky.jpg"},
        {"EVENING SKY", "sky.jpg"},
        {"Evening", "Evening.jpg"},  // its base name names a file: the search does not count
        {"sky.png", "clouds.png"},
        {"sky", "sky.jpg"},
        {"Morning sky", "(none)"},
        {"ignored", "(none)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Resolved(list, c.value), c.resolved) << c.value;
}
