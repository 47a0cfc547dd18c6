// One export of a small scene file that mixes what the engine must keep apart: an invalid element
// and one the project does not know, stories below and above ground, the built-in layer, an
// object and a lamp, a body without polygons, and a polygon without material.
#include <gtest/gtest.h>

#include <string>

#include "HostModel.hpp"
#include "MAExporterTest.hpp"
#include "SceneLoader.hpp"

using namespace engine_test;

namespace {

class EngineSceneTest : public EngineTest {
protected:
    void Load(const std::string& name)
    {
        ZeltoHost::HostProject loaded;
        ZeltoHost::HostModel loadedModel;
        std::string error;
        ASSERT_TRUE(ZeltoHost::LoadScene(std::string(ZELTO_TEST_FIXTURES) + "/engine/" + name, loaded, loadedModel,
                                         &error))
            << error;
        project = loaded;
        model = loadedModel.Data();
    }
};

}  // namespace

TEST_F(EngineSceneTest, AMixedModelExportsWithConsistentNumbers)
{
    Load("mixed-model.json");
    Settings settings;
    settings.scale = 100.0;
    Store(settings);

    const zelto_reader::File file = Export();

    // Elements 2 (invalid) and 4 (unknown to the project) take no object number.
    ASSERT_EQ(file.elements.size(), 3u);
    EXPECT_EQ(file.elements[0].guid, "{22222222-0000-0000-0000-000000000001}");
    EXPECT_EQ(file.elements[1].guid, "{22222222-0000-0000-0000-000000000003}");
    EXPECT_EQ(file.elements[2].guid, "{22222222-0000-0000-0000-000000000005}");
    EXPECT_EQ(file.elements[0].storyPosition, 0);
    EXPECT_EQ(file.elements[1].storyPosition, 1);
    EXPECT_EQ(file.elements[2].storyPosition, 2);
    EXPECT_EQ(file.elements[0].layerPosition, 0);
    EXPECT_EQ(file.elements[1].layerPosition, 1);

    ASSERT_EQ(file.layers.size(), 2u);
    EXPECT_EQ(file.layers[0].name, "ArchiCAD Layer");
    EXPECT_EQ(file.layers[1].name, "Furniture");
    ASSERT_EQ(file.stories.size(), 3u);
    EXPECT_EQ(file.stories[0].name, "-1. Basement");
    EXPECT_DOUBLE_EQ(file.stories[2].elevation, 300.0);
    EXPECT_DOUBLE_EQ(file.stories[2].height, 0.0);

    const zelto_reader::LibraryPartData& table = *file.elements[1].libraryPart;
    EXPECT_EQ(table.name, "Table");
    EXPECT_DOUBLE_EQ(table.z, 50.0);
    EXPECT_DOUBLE_EQ(table.sizeA, 100.0);
    EXPECT_DOUBLE_EQ(table.sizeB, 200.0);
    EXPECT_DOUBLE_EQ(table.defaultA, 120.0);
    EXPECT_DOUBLE_EQ(table.defaultB, 80.0);
    EXPECT_DOUBLE_EQ(table.height, 75.0);
    EXPECT_DOUBLE_EQ(table.defaultHeight, 100.0);
    EXPECT_TRUE(table.hasGeometry);
    const zelto_reader::LibraryPartData& lamp = *file.elements[2].libraryPart;
    EXPECT_EQ(lamp.name, "12-A");
    EXPECT_DOUBLE_EQ(lamp.z, 250.0 + 300.0);
    EXPECT_DOUBLE_EQ(lamp.defaultHeight, 30.0);
    EXPECT_FALSE(lamp.hasGeometry);

    // The wall's eight vertices are points 0..7; the table's body without polygons adds none.
    ASSERT_EQ(file.points.size(), 12u);
    ASSERT_EQ(file.polygons.size(), 3u);
    EXPECT_EQ(file.polygons[0].pointNumbers, (std::vector<Int32>{0, 3, 2, 1}));
    EXPECT_EQ(file.polygons[1].pointNumbers, (std::vector<Int32>{4, 5, 6, 7}));
    EXPECT_EQ(file.polygons[2].pointNumbers, (std::vector<Int32>{8, 9, 10, 11}));
    EXPECT_EQ(file.polygons[0].objectNumber, 0);
    EXPECT_EQ(file.polygons[2].objectNumber, 1);
    EXPECT_EQ(file.polygons[0].materialPosition, -1);
    EXPECT_EQ(file.polygons[2].materialPosition, 1);

    // Neither the invalid element nor the unknown one reaches the bounds.
    EXPECT_DOUBLE_EQ(file.bounds.min.x, 0.0);
    EXPECT_DOUBLE_EQ(file.bounds.min.z, -300.0);
    EXPECT_DOUBLE_EQ(file.bounds.max.x, 400.0);
    EXPECT_DOUBLE_EQ(file.bounds.max.y, 400.0);
    EXPECT_EQ(file.counts.uvws, 3);
}
