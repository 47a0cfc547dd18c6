// The engine's frame and structure passes as the file shows them: header names, scene bounds with
// scale and offset, element classes, stories and layers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BM.hpp"
#include "HostControl.hpp"
#include "MAExporterTest.hpp"

using namespace engine_test;

namespace {

class EngineStructureTest : public EngineTest {};

void ExpectPoint(const zelto_reader::Point3& point, double x, double y, double z)
{
    EXPECT_DOUBLE_EQ(point.x, x);
    EXPECT_DOUBLE_EQ(point.y, y);
    EXPECT_DOUBLE_EQ(point.z, z);
}

}  // namespace

TEST_F(EngineStructureTest, TheHeaderNamesTheFileWithoutItsExtensionAndTheProject)
{
    Settings settings;
    settings.scale = 2.5;
    settings.unit = 4;
    Store(settings);
    const zelto_reader::File file = Export();
    EXPECT_EQ(file.header.fileName, "House");
    EXPECT_EQ(file.header.projectName, "Villa Project");
    EXPECT_EQ(file.header.unit, 4);
    EXPECT_DOUBLE_EQ(file.header.scale, 2.5);
    EXPECT_FALSE(file.header.direct);
}

TEST_F(EngineStructureTest, AModelWithoutValidElementsGivesTheInvertedBox)
{
    Settings settings;
    settings.scale = 100.0;
    Store(settings);
    for (bool withInvalidElement : {false, true}) {
        SCOPED_TRACE(withInvalidElement);
        if (withInvalidElement)
            ModelElement(AddElement(1)).invalid = true;
        const zelto_reader::File file = Export();
        ExpectPoint(file.bounds.min, 1e13, 1e13, 1e13);
        ExpectPoint(file.bounds.max, -1e13, -1e13, -1e13);
    }
}

// Every corner of every convex polygon counts, whatever its number of corners: a vertex that only a
// two-corner ring or a one-corner ring uses reaches the box (scaled like any other), while an unused
// vertex and a corner that names no vertex of the body stay out.
TEST_F(EngineStructureTest, TheBoundsHoldTheCornersOfConvexPolygonsOfAnySize)
{
    Settings settings;
    settings.scale = 2.0;
    Store(settings);
    const std::vector<ModelerAPI::Vertex> vertices = {{0, 0, 0}, {4, 0, 0}, {4, 2, 1}, {1, 1, 9}, {-3, 5, -2},
                                                      {50, 50, 50}};
    const struct {
        const char* title;
        std::vector<std::vector<std::vector<Int32>>> polygons;
        zelto_reader::Point3 min;
        zelto_reader::Point3 max;
    } cases[] = {
        {"a triangle alone", {{{1, 2, 3}}}, {0, 0, 0}, {8, 4, 2}},
        {"a two-corner ring reaching z = 9", {{{1, 2, 3}}, {{3, 4}}}, {0, 0, 0}, {8, 4, 18}},
        {"a one-corner ring beside a triangle", {{{1, 2, 3}, {5}}}, {-6, 0, -4}, {8, 10, 2}},
        {"corners beyond the body", {{{1, 2, 3}}, {{4, 9}}, {{0, 5, -1}}}, {-6, 0, -4}, {8, 10, 18}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        model.elements.clear();
        project.elements.clear();
        AddElement(1, {MakeBody(vertices, c.polygons)});
        const zelto_reader::File file = Export();
        ExpectPoint(file.bounds.min, c.min.x, c.min.y, c.min.z);
        ExpectPoint(file.bounds.max, c.max.x, c.max.y, c.max.z);
    }
}

// Scale and offset apply alike to bounds, points and placements: X and Y get the offset before
// scaling, Z never does; an element's Z adds its story's elevation.
TEST_F(EngineStructureTest, ScaleAndOffsetApplyToEveryPosition)
{
    const Int32 object = AddElement(6, {MakeBody({{1, 2, 3}, {2, 2, 3}, {2, 4, 5}}, {{{1, 2, 3}}})});
    project.AddStory(0, 3.0, "Ground");
    ZeltoHost::HostLibPart part;
    part.documentName = "Chair";
    ProjectRecord(object).object.libInd = project.AddLibPart(part);
    ProjectRecord(object).object.pos = {1.0, 2.0};
    ProjectRecord(object).object.level = 0.5;
    project.offset = {10.0, -20.0};

    for (double scale : {1.0, 100.0, 0.001})
        for (bool useOffset : {false, true}) {
            SCOPED_TRACE("scale " + std::to_string(scale) + (useOffset ? " with offset" : ""));
            Settings settings;
            settings.scale = scale;
            settings.useOffset = useOffset;
            Store(settings);
            const double ox = useOffset ? 10.0 : 0.0;
            const double oy = useOffset ? -20.0 : 0.0;

            const zelto_reader::File file = Export();

            ExpectPoint(file.bounds.min, (1 + ox) * scale, (2 + oy) * scale, 3 * scale);
            ExpectPoint(file.bounds.max, (2 + ox) * scale, (4 + oy) * scale, 5 * scale);
            ASSERT_EQ(file.points.size(), 3u);
            ExpectPoint(file.points[2], (2 + ox) * scale, (4 + oy) * scale, 5 * scale);
            ASSERT_EQ(file.stories.size(), 1u);
            EXPECT_DOUBLE_EQ(file.stories[0].elevation, 3.0 * scale);
            ASSERT_EQ(file.elements.size(), 1u);
            ASSERT_TRUE(file.elements[0].libraryPart.has_value());
            EXPECT_DOUBLE_EQ(file.elements[0].libraryPart->x, (1 + ox) * scale);
            EXPECT_DOUBLE_EQ(file.elements[0].libraryPart->y, (2 + oy) * scale);
            EXPECT_DOUBLE_EQ(file.elements[0].libraryPart->z, 0.5 * scale + 3.0 * scale);
        }
}

TEST_F(EngineStructureTest, FortySixClassesNamedByTheHostOrUnknown)
{
    project.elementTypeNames[1] = "Wall";
    project.elementTypeNames[40] = "Skylight";
    const zelto_reader::File file = Export();
    ASSERT_EQ(file.classes.size(), 46u);
    std::vector<Int32> ids;
    for (const zelto_reader::ElementClass& elementClass : file.classes)
        ids.push_back(elementClass.typeId);
    std::vector<Int32> expected;
    for (Int32 id = 0; id <= 72; ++id)
        if (id <= 10 || (id >= 37 && id <= 45) || id >= 47)
            expected.push_back(id);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(file.classes[1].name, "Wall");
    EXPECT_EQ(file.classes[40 - 26].name, "Skylight");
    EXPECT_EQ(file.classes[0].name, "Unknown");
    EXPECT_EQ(file.counts.classes, 46);
}

// Stories -1, 0 and 1 take positions 0, 1 and 2; each reaches up to the next one, the highest has
// height 0; an unnamed story is called "Story".
TEST_F(EngineStructureTest, StoriesInTheHostsOrderWithHeightsUpToTheNextStory)
{
    project.AddStory(-1, -3.0, "Basement");
    project.AddStory(0, 0.0, "");
    project.AddStory(1, 2.75, "First");
    const Int32 onGround = AddElement(1);
    ProjectRecord(onGround).header.floorInd = 0;
    const Int32 onFirst = AddElement(1);
    ProjectRecord(onFirst).header.floorInd = 1;
    Settings settings;
    settings.scale = 100.0;
    Store(settings);

    const Int64 blocksBefore = BMLiveBlockCount();
    const zelto_reader::File file = Export();
    EXPECT_EQ(BMLiveBlockCount(), blocksBefore);

    ASSERT_EQ(file.stories.size(), 3u);
    const struct {
        Int32 index;
        const char* name;
        double elevation;
        double height;
    } expected[] = {{-1, "-1. Basement", -300.0, 300.0}, {0, "0. Story", 0.0, 275.0}, {1, "1. First", 275.0, 0.0}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(file.stories[i].index, expected[i].index);
        EXPECT_EQ(file.stories[i].name, expected[i].name);
        EXPECT_DOUBLE_EQ(file.stories[i].elevation, expected[i].elevation);
        EXPECT_DOUBLE_EQ(file.stories[i].height, expected[i].height);
    }
    ASSERT_EQ(file.elements.size(), 2u);
    EXPECT_EQ(file.elements[0].storyPosition, 1);
    EXPECT_EQ(file.elements[1].storyPosition, 2);
}

TEST_F(EngineStructureTest, UnreadableStoriesAndLayersLeaveTheirSectionsEmpty)
{
    project.AddStory(0, 3.0, "Ground");
    project.AddAttribute(1, 2, "Walls");
    const Int32 object = AddElement(6);
    ZeltoHost::HostLibPart part;
    part.documentName = "Chair";
    ProjectRecord(object).object.libInd = project.AddLibPart(part);
    ProjectRecord(object).object.level = 0.5;
    ProjectRecord(object).header.layer = 2;
    HostControl::InjectError("ACAPI_ProjectSetting_GetStorySettings", APIERR_GENERAL);
    HostControl::InjectError("ACAPI_Attribute_GetAttributesByType", APIERR_GENERAL);

    const zelto_reader::File file = Export();

    EXPECT_TRUE(file.stories.empty());
    EXPECT_TRUE(file.layers.empty());
    ASSERT_EQ(file.elements.size(), 1u);
    EXPECT_EQ(file.elements[0].storyPosition, 0);
    EXPECT_EQ(file.elements[0].layerPosition, 0);
    EXPECT_DOUBLE_EQ(file.elements[0].libraryPart->z, 0.5);
}

TEST_F(EngineStructureTest, TheLayerWithIndexOneIsAlwaysTheArchiCADLayer)
{
    project.AddAttribute(1, 1, "Own name of layer 1");
    project.AddAttribute(1, 3, "Walls");
    project.AddAttribute(5, 1, "A material, no layer");
    project.AddAttribute(1, 2, "Roofs");
    const Int32 element = AddElement(1);
    ProjectRecord(element).header.layer = 2;

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.layers.size(), 3u);
    EXPECT_EQ(file.layers[0].name, "ArchiCAD Layer");
    EXPECT_EQ(file.layers[1].name, "Walls");
    EXPECT_EQ(file.layers[2].name, "Roofs");
    EXPECT_EQ(file.elements[0].layerPosition, 2);
}
