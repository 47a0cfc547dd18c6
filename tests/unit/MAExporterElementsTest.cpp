// Element records: which elements get one and under which object number, zombie records, and the
// library-part data of objects and lamps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "BM.hpp"
#include "HostControl.hpp"
#include "MAExporterTest.hpp"

using namespace engine_test;

namespace {

class EngineElementsTest : public EngineTest {
protected:
    // An object (6) or lamp (7) placed from a new library part.
    Int32 AddPlacedPart(API_ElemTypeID typeId, ZeltoHost::HostLibPart part,
                        std::vector<ZeltoHost::BodyData> bodies = {SquareBody()})
    {
        const Int32 number = AddElement(typeId, std::move(bodies));
        ProjectRecord(number).object.libInd = project.AddLibPart(std::move(part));
        return number;
    }
    static ZeltoHost::HostLibPart Part(const char* name, double a = 1.0, double b = 1.0)
    {
        ZeltoHost::HostLibPart part;
        part.documentName = name;
        part.a = a;
        part.b = b;
        return part;
    }
    static ZeltoHost::HostParameter Number(const char* name, double value)
    {
        return ZeltoHost::HostParameter::Number(name, 2, value);
    }
};

enum class Invalidity { ModelSaysInvalid, NotInProject, TypeIdZero };

}  // namespace

// Elements 2 and 4 are not exported, in each way an element can be invalid: the others are
// objects 0, 1, 2 in the element records and in the polygon records alike.
TEST_F(EngineElementsTest, InvalidElementsTakeNoObjectNumber)
{
    for (Invalidity invalidity : {Invalidity::ModelSaysInvalid, Invalidity::NotInProject, Invalidity::TypeIdZero}) {
        SCOPED_TRACE(static_cast<int>(invalidity));
        model = ZeltoHost::ModelData();
        project.elements.clear();
        for (int i = 0; i < 5; ++i)
            AddElement(1, {SquareBody(i, 0, 0)});
        for (Int32 number : {2, 4}) {
            switch (invalidity) {
            case Invalidity::ModelSaysInvalid:
                ModelElement(number).invalid = true;
                break;
            case Invalidity::NotInProject:
                ModelElement(number).guid = GuidNumber(900 + static_cast<UInt32>(number));
                break;
            case Invalidity::TypeIdZero:
                ProjectRecord(number).header.typeID = 0;
                break;
            }
        }

        const zelto_reader::File file = Export();

        ASSERT_EQ(file.elements.size(), 3u);
        EXPECT_EQ(file.elements[0].guid, GuidText(1));
        EXPECT_EQ(file.elements[1].guid, GuidText(3));
        EXPECT_EQ(file.elements[2].guid, GuidText(5));
        ASSERT_EQ(file.polygons.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(file.polygons[i].objectNumber, static_cast<Int32>(i));
            // Each square's first corner lies at x = its element number - 1.
            EXPECT_DOUBLE_EQ(file.points[static_cast<std::size_t>(file.polygons[i].pointNumbers[0])].x,
                             i == 0 ? 0.0 : i == 1 ? 2.0 : 4.0);
        }
    }
}

TEST_F(EngineElementsTest, AnElementWithoutBodiesKeepsItsObjectNumber)
{
    AddElement(1);
    AddElement(1, {});
    AddElement(1);
    const zelto_reader::File file = Export();
    EXPECT_EQ(file.elements.size(), 3u);
    ASSERT_EQ(file.polygons.size(), 2u);
    EXPECT_EQ(file.polygons[0].objectNumber, 0);
    EXPECT_EQ(file.polygons[1].objectNumber, 2);
}

// An element whose record the host gives at the validity check but not at its record still gets
// exactly one (zombie) record, so the polygon records keep their object numbers.
TEST_F(EngineElementsTest, AZombieRecordKeepsTheNumberingAligned)
{
    project.AddStory(-1, -3.0, "Basement");
    project.AddStory(0, 0.0, "Ground");
    project.AddAttribute(1, 5, "Walls");
    for (int i = 0; i < 3; ++i) {
        const Int32 number = AddElement(1);
        ProjectRecord(number).header.layer = 5;
    }
    // The validity check reads the three records first; the second record read of the element pass fails.
    HostControl::InjectError("ACAPI_Element_Get", APIERR_BADID, 3 + 1, 1);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.elements.size(), 3u);
    const zelto_reader::Element& zombie = file.elements[1];
    EXPECT_EQ(zombie.guid, "{00000000-0000-0000-0000-000000000000}");
    EXPECT_FALSE(zombie.libraryPart.has_value());
    EXPECT_EQ(zombie.classPosition, 0);
    EXPECT_EQ(zombie.storyPosition, 1);  // the story with index 0
    EXPECT_EQ(zombie.layerPosition, 0);
    EXPECT_EQ(file.elements[2].guid, GuidText(3));
    ASSERT_EQ(file.polygons.size(), 3u);
    EXPECT_EQ(file.polygons[2].objectNumber, 2);
    EXPECT_EQ(Recorder().beeps, 1);
}

TEST_F(EngineElementsTest, AnElementOtherThanObjectOrLampCarriesNoLibraryPartData)
{
    project.elementTypeNames[1] = "Wall";
    const Int32 wall = AddElement(1);
    ProjectRecord(wall).object.libInd = project.AddLibPart(Part("Not used"));
    const zelto_reader::File file = Export();
    ASSERT_EQ(file.elements.size(), 1u);
    EXPECT_FALSE(file.elements[0].libraryPart.has_value());
    EXPECT_EQ(file.elements[0].classPosition, 1);
    EXPECT_EQ(file.elements[0].guid, GuidText(1));
}

// Objects and lamps, with and without the height parameter in their own memo and in the library
// part's defaults, with and without an item number.
TEST_F(EngineElementsTest, ObjectsAndLampsCarryNamesHeightsAndItemNumbers)
{
    struct Case {
        const char* what;
        API_ElemTypeID typeId;
        bool ownHeight;
        bool defaultHeight;
        bool itemNumber;
        const char* name;
        double height;
        double defaultHeightValue;
    };
    const Case cases[] = {
        {"object with both heights", 6, true, true, false, "Chair", 0.8, 0.9},
        {"object without heights", 6, false, false, false, "Chair", 1.0, 1.0},
        {"object with an item number", 6, false, true, true, "Chair", 1.0, 0.9},
        {"lamp with an item number", 7, true, false, true, "12-A", 0.8, 1.0},
        {"lamp without an item number", 7, false, false, false, "Chair", 1.0, 1.0},
    };
    Settings settings;
    settings.scale = 100.0;
    Store(settings);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model = ZeltoHost::ModelData();
        project.elements.clear();
        project.libParts.clear();
        ZeltoHost::HostLibPart part = Part("Chair", 0.6, 0.7);
        if (c.defaultHeight)
            part.parameters.push_back(Number("ZZYZX", 0.9));
        const Int32 number = AddPlacedPart(c.typeId, part);
        if (c.ownHeight)
            ProjectElement(number).parameters.push_back(Number("zzyzx", 0.8));
        if (c.itemNumber)
            ProjectElement(number).parameters.push_back(ZeltoHost::HostParameter::Text("TAVO_item_no", "12-A"));
        API_ObjectType& object = ProjectRecord(number).object;
        object.angle = 0.5;
        object.xRatio = 2.0;
        object.yRatio = 3.0;

        const zelto_reader::File file = Export();

        ASSERT_EQ(file.elements.size(), 1u);
        ASSERT_TRUE(file.elements[0].libraryPart.has_value());
        const zelto_reader::LibraryPartData& data = *file.elements[0].libraryPart;
        EXPECT_EQ(data.name, c.name);
        EXPECT_DOUBLE_EQ(data.height, c.height * 100.0);
        EXPECT_DOUBLE_EQ(data.defaultHeight, c.defaultHeightValue * 100.0);
        EXPECT_DOUBLE_EQ(data.defaultA, 60.0);
        EXPECT_DOUBLE_EQ(data.defaultB, 70.0);
        EXPECT_DOUBLE_EQ(data.sizeA, 200.0);
        EXPECT_DOUBLE_EQ(data.sizeB, 300.0);
        EXPECT_DOUBLE_EQ(data.angleDegrees, 0.5 * 57.29577951308232);
        EXPECT_TRUE(data.hasGeometry);
    }
}

TEST_F(EngineElementsTest, SizesAndHeightsBelowOneHundredThousandthCountAsOne)
{
    Settings settings;
    settings.scale = 100.0;
    Store(settings);
    const struct {
        double given;
        double written;
    } cases[] = {{0.0, 100.0}, {0.000009, 100.0}, {-0.000009, 100.0}, {0.00001, 0.001}, {-2.0, -200.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        model = ZeltoHost::ModelData();
        project.elements.clear();
        project.libParts.clear();
        ZeltoHost::HostLibPart part = Part("Chair", c.given, c.given);
        part.parameters.push_back(Number("ZZYZX", c.given));
        const Int32 number = AddPlacedPart(6, part);
        ProjectElement(number).parameters.push_back(Number("ZZYZX", c.given));
        ProjectRecord(number).object.xRatio = c.given;
        ProjectRecord(number).object.yRatio = c.given;

        const zelto_reader::LibraryPartData data = *Export().elements.at(0).libraryPart;

        for (double value : {data.sizeA, data.sizeB, data.defaultA, data.defaultB, data.height, data.defaultHeight})
            EXPECT_DOUBLE_EQ(value, c.written);
    }
}

// A host that fails to read the library part's parameters may leave anything in the sizes it was
// handed: the record carries 1.0, and every handle is still released.
TEST_F(EngineElementsTest, DefaultSizesAreOneWhenTheLibraryPartsParametersCannotBeRead)
{
    const Int32 number = AddPlacedPart(6, Part("Chair", 0.6, 0.7));
    ProjectElement(number).parameters.push_back(Number("ZZYZX", 0.8));
    Host().ACAPI_LibraryPart_GetParams = [](Int32, double* a, double* b, Int32*, API_AddParType***) {
        *a = 7.0;
        *b = 9.0;
        return APIERR_GENERAL;
    };
    const Int64 blocksBefore = BMLiveBlockCount();

    const zelto_reader::LibraryPartData data = *Export().elements.at(0).libraryPart;

    EXPECT_DOUBLE_EQ(data.defaultA, 1.0);
    EXPECT_DOUBLE_EQ(data.defaultB, 1.0);
    EXPECT_DOUBLE_EQ(data.height, 1.0);
    EXPECT_DOUBLE_EQ(data.defaultHeight, 1.0);
    EXPECT_EQ(BMLiveBlockCount(), blocksBefore);
}

TEST_F(EngineElementsTest, AnObjectWhoseLibraryPartOrMemoCannotBeReadBecomesAPlainRecord)
{
    for (const char* failing : {"ACAPI_LibraryPart_Get", "ACAPI_Element_GetMemo"}) {
        SCOPED_TRACE(failing);
        model = ZeltoHost::ModelData();
        project.elements.clear();
        AddPlacedPart(6, Part("Chair"));
        HostControl::ClearFailures();
        HostControl::InjectError(failing, APIERR_GENERAL);
        const Int64 blocksBefore = BMLiveBlockCount();

        const zelto_reader::File file = Export();

        ASSERT_EQ(file.elements.size(), 1u);
        EXPECT_FALSE(file.elements[0].libraryPart.has_value());
        EXPECT_EQ(file.elements[0].guid, GuidText(1));
        EXPECT_EQ(BMLiveBlockCount(), blocksBefore);
    }
}

// A lamp has geometry only when its bodies hold vertices and polygons; an object always has.
TEST_F(EngineElementsTest, LampGeometryFollowsItsBodies)
{
    const ZeltoHost::BodyData pointsOnly = MakeBody({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {});
    AddPlacedPart(7, Part("Lamp"), {pointsOnly});
    AddPlacedPart(7, Part("Lamp"), {pointsOnly, SquareBody()});
    AddPlacedPart(6, Part("Chair"), {});
    const zelto_reader::File file = Export();
    ASSERT_EQ(file.elements.size(), 3u);
    EXPECT_FALSE(file.elements[0].libraryPart->hasGeometry);
    EXPECT_TRUE(file.elements[1].libraryPart->hasGeometry);
    EXPECT_TRUE(file.elements[2].libraryPart->hasGeometry);
}

// The flag byte of the host record goes out as 0 or 1, whatever the byte holds.
TEST_F(EngineElementsTest, TheFlagIsWrittenAsZeroOrOne)
{
    const UInt8 rawBytes[] = {0, 1, 2, 0xFF};
    for (UInt8 raw : rawBytes) {
        SCOPED_TRACE(static_cast<int>(raw));
        model = ZeltoHost::ModelData();
        project.elements.clear();
        const Int32 number = AddPlacedPart(6, Part("Chair"));
        std::memcpy(&ProjectRecord(number).object.reflected, &raw, 1);

        const zelto_reader::File file = Export();

        EXPECT_EQ(file.elements.at(0).libraryPart->flag, raw != 0);
    }
}

TEST_F(EngineElementsTest, TheDirectExportSelectsThe3DSightAndGoesOnWhenItCannot)
{
    AddElement(1);
    EXPECT_EQ(Export(true).header.direct, true);
    EXPECT_EQ(Recorder().CountOf("ACAPI_Sight_SelectSight"), 1u);
    EXPECT_EQ(Recorder().beeps, 0);

    Recorder().Clear();
    HostControl::InjectError("ACAPI_Sight_SelectSight", APIERR_GENERAL);
    EXPECT_EQ(Export(true).elements.size(), 1u);
    EXPECT_EQ(Recorder().beeps, 1);

    Recorder().Clear();
    Export(false);
    EXPECT_EQ(Recorder().CountOf("ACAPI_Sight_SelectSight"), 0u);
}

// The lamp-name and default-height readers that no export path calls.
TEST_F(EngineElementsTest, TheOfferedLampTypeAndDefaultHeightReaders)
{
    ZeltoHost::HostLibPart part = Part("Spot");
    part.ownUnID = "{11111111-2222-3333-4444-555555555555}-{66666666-7777-8888-9999-000000000000}";
    const Int32 lamp = AddPlacedPart(7, part);
    ProjectElement(lamp).parameters.push_back(ZeltoHost::HostParameter::Text("TAVO_item_no", "12-A"));
    ProjectElement(lamp).parameters.push_back(ZeltoHost::HostParameter::Text("lamp_type", "LED"));
    const Int32 plain = AddPlacedPart(7, Part("Spot"));
    ProjectElement(plain).parameters.push_back(ZeltoHost::HostParameter::Text("TAVO_item_no", "7"));
    Host().ACAPI_Element_GetDefaults = [](API_Element* element, API_ElementMemo* memo) {
        EXPECT_EQ(element->header.typeID, 7);
        ZeltoHost::HostParameterList defaults{ZeltoHost::HostParameter::Number("ZZYZX", 2, 2.5)};
        memo->params = ZeltoHost::NewParameterHandle(defaults);
        return NoError;
    };
    const Int64 blocksBefore = BMLiveBlockCount();

    const Outcome outcome = Run(false, [&](WRL::MAExporter& exporter) {
        API_Element record = ProjectRecord(lamp);
        char name[256] = "Spot";
        EXPECT_TRUE(exporter.GetTavoLampType(&record, record.lamp.libInd, name[0]));
        EXPECT_STREQ(name, "Spot / 12-A (LED)");

        API_Element other = ProjectRecord(plain);
        char kept[256] = "Spot";
        EXPECT_FALSE(exporter.GetTavoLampType(&other, other.lamp.libInd, kept[0]));
        EXPECT_STREQ(kept, "Spot");

        API_LibPart libPart{};
        std::strcpy(libPart.ownUnID, part.ownUnID.c_str());
        double height = 0.0;
        EXPECT_TRUE(exporter.GetLibPartDefaultParams(&libPart, height, true));
        EXPECT_DOUBLE_EQ(height, 2.5);
    });

    EXPECT_EQ(outcome.kind, Outcome::Kind::Completed);
    EXPECT_EQ(BMLiveBlockCount(), blocksBefore);
}
