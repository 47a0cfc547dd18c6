// The mesh sections: point numbering across bodies, which bodies and convex polygons are exported,
// texture coordinates and material positions.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "HostControl.hpp"
#include "MAExporterTest.hpp"

using namespace engine_test;

namespace {

class EnginePolygonsTest : public EngineTest {
protected:
    // Model materials 1..count, each of its own name.
    void AddMaterials(int count)
    {
        for (int i = 1; i <= count; ++i) {
            ZeltoHost::MaterialData material;
            material.name = GS::UniString::Printf("Material %d", i);
            model.materials.push_back(material);
        }
    }
};

// Eight corners of a unit cube and its six faces.
ZeltoHost::BodyData CubeBody()
{
    return MakeBody({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
                    {{{1, 4, 3, 2}}, {{5, 6, 7, 8}}, {{1, 2, 6, 5}}, {{2, 3, 7, 6}}, {{3, 4, 8, 7}}, {{4, 1, 5, 8}}});
}

}  // namespace

// Bodies of 8 and 4 vertices: the first body's vertex 8 is point 7, the second body's vertex 1 is
// point 8. A body with vertices but no polygons in between contributes nothing at all.
TEST_F(EnginePolygonsTest, PointNumbersRunOnAcrossExportedBodies)
{
    const ZeltoHost::BodyData pointsOnly = MakeBody({{5, 5, 5}, {6, 5, 5}, {6, 6, 5}}, {});
    AddElement(1, {CubeBody(), pointsOnly});
    AddElement(1, {SquareBody(10, 0, 0)});

    const zelto_reader::File file = Export();

    EXPECT_EQ(file.points.size(), 12u);
    ASSERT_EQ(file.polygons.size(), 7u);
    EXPECT_EQ(file.polygons[1].pointNumbers, (std::vector<Int32>{4, 5, 6, 7}));
    EXPECT_EQ(file.polygons[6].pointNumbers, (std::vector<Int32>{8, 9, 10, 11}));
    EXPECT_EQ(file.polygons[6].objectNumber, 1);
    EXPECT_DOUBLE_EQ(file.points[8].x, 10.0);
    EXPECT_EQ(file.counts.uvws, file.counts.polygons);
}

// Convex polygons with fewer than three corners, or with a corner that names no vertex of the body,
// give no records; their body's vertices are still points and advance the numbering.
TEST_F(EnginePolygonsTest, OnlyConvexPolygonsOfThreeCornersWithinTheirBodyAreExported)
{
    AddElement(1, {MakeBody({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{{1, 2}, {3}}, {{}}}),
                   MakeBody({{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}, {{{1, 2, 9}, {1, 2, 3}}, {{0, 3, 4}}}),
                   SquareBody(0, 0, 2)});

    const zelto_reader::File file = Export();

    EXPECT_EQ(file.points.size(), 11u);
    ASSERT_EQ(file.polygons.size(), 2u);
    EXPECT_EQ(file.polygons[0].pointNumbers, (std::vector<Int32>{3, 4, 5}));
    EXPECT_EQ(file.polygons[1].pointNumbers, (std::vector<Int32>{7, 8, 9, 10}));
    ASSERT_EQ(file.uvws.size(), 2u);
    EXPECT_EQ(file.uvws[0].coords.size(), 3u);
    EXPECT_EQ(file.uvws[1].coords.size(), 4u);
}

// A polygon carries the position of its material's shader record; one without material carries -1.
TEST_F(EnginePolygonsTest, MaterialPositionsNameTheShaderRecords)
{
    AddMaterials(3);
    AddElement(1, {SquareBody(0, 0, 0, 0), SquareBody(0, 0, 1, 3)});
    const zelto_reader::File file = Export();
    ASSERT_EQ(file.polygons.size(), 2u);
    EXPECT_EQ(file.polygons[0].materialPosition, -1);
    EXPECT_EQ(file.polygons[1].materialPosition, 2);
}

// The material is read only for a polygon that gives a record: a failing material read of a polygon
// whose convex polygons are all left out does not end the export.
TEST_F(EnginePolygonsTest, APolygonWithoutExportedConvexPolygonsReadsNoMaterial)
{
    AddMaterials(2);
    AddElement(1, {MakeBody({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{{1, 2}}, {{1, 2, 3}}, {{3}, {1, 2, 9}}}, 2)});
    for (const Int32 polygon : {1, 3}) {
        ZeltoHost::ModelFault fault;
        fault.read = ZeltoHost::ModelRead::MaterialIndex;
        fault.element = 1;
        fault.body = 1;
        fault.item = polygon;
        model.faults.push_back(fault);
    }

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.polygons.size(), 1u);
    EXPECT_EQ(file.polygons[0].materialPosition, 1);
}

// The host material index - 1 is computed without overflow: for the smallest index it is a position
// that the record's Int32 cannot hold, which fails the export and is logged instead of going out as
// another number.
TEST_F(EnginePolygonsTest, AMaterialIndexWhosePositionDoesNotFitTheRecordFailsTheExport)
{
    AddElement(1, {SquareBody(0, 0, 0, std::numeric_limits<Int32>::min())});

    const Outcome outcome = Run();

    EXPECT_EQ(outcome.kind, Outcome::Kind::GeneralFailure);
    EXPECT_EQ(outcome.code, -7003);
    EXPECT_TRUE(Logged("The material position -2147483649 does not fit the file format"));
    EXPECT_FALSE(window.IsOpen());
}

TEST_F(EnginePolygonsTest, TextureCoordinatesNearZeroAreZeroAndUnreadableOnesTooAtThatPolygon)
{
    ZeltoHost::BodyData body = MakeBody({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}},
                                        {{{1, 2, 3}}, {{4, 5, 6}}});
    body.textureCoordinates = {{3e-11, 0.5}, {-2e-10, 1.0}, {-5e-11, -9e-11}, {1, 1}, {2, 2}, {3, 3}};
    AddElement(1, {body});
    ZeltoHost::ModelFault fault;
    fault.read = ZeltoHost::ModelRead::TextureCoordinate;
    fault.element = 1;
    fault.body = 1;
    fault.item = 2;
    model.faults.push_back(fault);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.uvws.size(), 2u);
    const std::vector<zelto_reader::TexCoord>& first = file.uvws[0].coords;
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].u, 0.0);
    EXPECT_EQ(first[0].v, 0.5);
    EXPECT_EQ(first[1].u, -2e-10);
    EXPECT_EQ(first[1].v, 1.0);
    EXPECT_EQ(first[2].u, 0.0);
    EXPECT_EQ(first[2].v, 0.0);
    for (const zelto_reader::TexCoord& uv : file.uvws[1].coords) {
        EXPECT_EQ(uv.u, 0.0);
        EXPECT_EQ(uv.v, 0.0);
    }
}

// The same walk in the texture-coordinate and polygon runs, over many elements with mixed bodies:
// the two sections pair up one to one and every point number stays below the point count.
TEST_F(EnginePolygonsTest, TextureCoordinateAndPolygonRecordsPairUp)
{
    AddMaterials(4);
    for (int i = 0; i < 40; ++i) {
        std::vector<ZeltoHost::BodyData> bodies;
        if (i % 3 != 0)
            bodies.push_back(CubeBody());
        if (i % 4 == 0)
            bodies.push_back(MakeBody({{0, 0, 0}, {1, 0, 0}}, {{{1, 2}}}));
        bodies.push_back(SquareBody(i, 0, 0, i % 5));
        const Int32 number = AddElement(1, bodies);
        if (i % 7 == 0)
            ModelElement(number).invalid = true;
    }
    const zelto_reader::File file = Export();
    EXPECT_EQ(file.counts.uvws, file.counts.polygons);
    EXPECT_EQ(file.counts.normals, 0);
    for (const zelto_reader::Polygon& polygon : file.polygons)
        for (Int32 point : polygon.pointNumbers)
            EXPECT_LT(point, file.counts.points);
}
