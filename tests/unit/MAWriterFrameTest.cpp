// The frame of the export file: header, trailer, counts that do not fit the file, and a whole small
// file read back with the independent reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "GSException.hpp"
#include "MAWriterTest.hpp"
#include "ZeltoReader.hpp"

namespace {

using MAWriterFrameTest = MAWriterTest;

TEST_F(MAWriterFrameTest, HeaderBytesFollowTheHeaderTable)
{
    struct Case {
        const char* label;
        bool direct;
        Int32 unit;
        double scale;
        std::string realBytes;  // scale as an IEEE 754 double, little-endian
        const char* fileName;
        const char* projectName;
        std::string names;  // fields 4 and 5 as they must stand in the file
    };
    const Case cases[] = {
        {"save-as, metres x 100", false, 2, 100.0, B({0, 0, 0, 0, 0, 0, 0x59, 0x40}), "House", "Proj",
         B({5, 0, 0, 0}) + "House" + B({4, 0, 0, 0}) + "Proj"},
        {"direct, typed scale 2.5, no project name", true, 6, 2.5, B({0, 0, 0, 0, 0, 0, 0x04, 0x40}),
         "H\xC3\xA4us", "", B({5, 0, 0, 0}) + "H\xC3\xA4us" + B({0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        parameters->direct = c.direct;
        parameters->unit = c.unit;
        parameters->scale = c.scale;
        {
            auto writer = MakeWriter();
            writer->WriteHeader(c.fileName, c.projectName);
            const std::string bytes = FinishAndRead(*writer);

            // Bytes 0..267: marker, system name, format number 20500 = 0x5014.
            const std::string front =
                std::string("ZLTOBIN\0", 8) + "Macintosh" + std::string(247, '\0') + B({0x14, 0x50, 0, 0});
            ASSERT_EQ(front.size(), 268u);
            ASSERT_GE(bytes.size(), front.size());
            EXPECT_EQ(bytes.substr(0, 268), front);

            const std::string tail = c.names + std::string("2.62\0\0\0\0", 8) + B({1, 1, 1}) +
                                     B({c.unit, 0, 0, 0}) + c.realBytes + B({c.direct ? 1 : 0}) +
                                     B({AddonApiVersion, 0, 0, 0});
            EXPECT_EQ(bytes.substr(268), tail);
        }
        std::remove(temp.PathOf(TargetName).c_str());
    }
}

TEST_F(MAWriterFrameTest, TrailerIsFifteenInt32InFileOrder)
{
    // Each counter k holds 0x0k00000k, so both ends of every Int32 are seen.
    TotalIndex totals;
    auto value = [](int k) { return static_cast<Int64>(k) * 0x01000000 + k; };
    totals.Sh = value(1);
    totals.ShInt = value(2);
    totals.ShC4D = value(3);
    totals.Tex = value(4);
    totals.Layer = value(5);
    totals.Class = value(6);
    totals.Story = value(7);
    totals.Object = value(8);
    totals.Point = value(9);
    totals.Uvw = value(10);
    totals.Normals = value(11);
    totals.Poly = value(12);
    totals.Lights = value(13);
    totals.CameraSet = value(14);
    totals.Camera = value(15);
    totals.PointBase = Int64(1) << 40;  // not part of the trailer, so its size does not matter

    auto writer = MakeWriter();
    writer->ExportTotal(totals);
    const std::string bytes = FinishAndRead(*writer);

    // Sh, Tex, ShInt, ShC4D, Class, Story, Layer, Object, Point, Uvw, Normals, Poly, Lights, CameraSet, Camera.
    const std::string expected = B({1, 0, 0, 1}) + B({4, 0, 0, 4}) + B({2, 0, 0, 2}) + B({3, 0, 0, 3}) +
                                 B({6, 0, 0, 6}) + B({7, 0, 0, 7}) + B({5, 0, 0, 5}) + B({8, 0, 0, 8}) +
                                 B({9, 0, 0, 9}) + B({10, 0, 0, 10}) + B({11, 0, 0, 11}) + B({12, 0, 0, 12}) +
                                 B({13, 0, 0, 13}) + B({14, 0, 0, 14}) + B({15, 0, 0, 15});
    ASSERT_EQ(expected.size(), 60u);
    EXPECT_EQ(bytes, expected);
}

TEST_F(MAWriterFrameTest, CountsBeyondInt32FailTheTrailerInsteadOfWrapping)
{
    struct Case {
        const char* field;
        Int64 TotalIndex::*counter;
        Int64 value;
    };
    const Int64 beyond = Int64(std::numeric_limits<Int32>::max()) + 1;
    const Case cases[] = {
        {"Point", &TotalIndex::Point, beyond},   {"Poly", &TotalIndex::Poly, beyond},
        {"Uvw", &TotalIndex::Uvw, Int64(1) << 40}, {"Object", &TotalIndex::Object, beyond},
        {"Sh", &TotalIndex::Sh, beyond},         {"Camera", &TotalIndex::Camera, beyond},
        {"Layer", &TotalIndex::Layer, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        TotalIndex totals;
        totals.*c.counter = c.value;
        auto writer = MakeWriter();
        try {
            writer->ExportTotal(totals);
            ADD_FAILURE() << "no failure for " << c.value;
        } catch (const GS::GeneralException& failure) {
            EXPECT_EQ(failure.GetErrorCode(), -7003);
        }
        writer.reset();
        EXPECT_FALSE(temp.Exists(TargetName));
    }

    // The largest count that fits is written as it is.
    TotalIndex largest;
    largest.Point = std::numeric_limits<Int32>::max();
    auto writer = MakeWriter();
    writer->ExportTotal(largest);
    const std::string bytes = FinishAndRead(*writer);
    EXPECT_EQ(bytes.substr(32, 4), B({0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST_F(MAWriterFrameTest, WholeFileReadsBackWithTheIndependentReader)
{
    parameters->direct = true;
    TotalIndex totals;
    {
        auto writer = MakeWriter();
        writer->WriteHeader("House", "Proj");
        writer->WritePoint(-1.0, -2.0, -3.0, "scene bounds");
        writer->WritePoint(4.0, 5.0, 6.0, "scene bounds");
        writer->WriteInt32(0);  // the RGB section's opener: no materials, material mode 1
        writer->WriteInt32(1);

        writer->WriteClass(0, "Wall");
        writer->WriteClass(6, "Object");
        totals.Class = 2;
        writer->WriteStory(-1, "Basement", -300.0, 300.0);
        writer->WriteStory(0, "Ground", 10.0, 290.0);
        writer->WriteStory(1, "Roof", 300.0, 0.0);
        totals.Story = 3;
        writer->WriteLayer(1, "ArchiCAD Layer");
        writer->WriteLayer(40000, "Far");
        writer->WriteLayer(1, "Second one");
        totals.Layer = 3;

        const bool yes = true;
        const bool no = false;
        writer->WriteObjects(40000, 6, 1, SampleGuid(), no, "", 0, 0, 0, 0, 0, 0, no, 0, 0, 0, 0, no);
        writer->WriteObjects(1, 6, 0, SampleGuid(), yes, "Chair", 1.5, 2.5, 50.0, 90.0, 60.0, 45.0, yes, 50.0,
                             40.0, 80.0, 75.0, yes);
        writer->WriteObjects(0, 0, 0, APINULLGuid, no, "", 0, 0, 0, 0, 0, 0, no, 0, 0, 0, 0, no);
        totals.Object = 3;

        for (int i = 0; i < 4; ++i)
            writer->WritePoint(i, 10.0 * i, 100.0 * i, "point");
        totals.Point = 4;
        ModelerAPI::TextureCoordinate uv;
        writer->WriteUvwBegin(3);
        for (int k = 0; k < 3; ++k) {
            uv = {0.25 * k, 0.5};
            writer->WriteUvw(k == 2, &uv);
        }
        totals.Uvw = 1;
        writer->WriteCoordIndexParam(-1, 1, 3);
        writer->WriteCoordIndexPointNumber(0);
        writer->WriteCoordIndexPointNumber(1);
        writer->WriteCoordIndexPointNumber(3);
        totals.Poly = 1;
        writer->ExportTotal(totals);
        writer->Finish();
    }

    const zelto_reader::File file = zelto_reader::ReadFile(temp.PathOf(TargetName));
    EXPECT_EQ(file.header.fileName, "House");
    EXPECT_EQ(file.header.projectName, "Proj");
    EXPECT_TRUE(file.header.direct);
    EXPECT_EQ(file.header.apiVersion, AddonApiVersion);
    EXPECT_DOUBLE_EQ(file.bounds.min.z, -3.0);
    EXPECT_DOUBLE_EQ(file.bounds.max.y, 5.0);
    ASSERT_TRUE(file.materialOpener.has_value());

    ASSERT_EQ(file.stories.size(), 3u);
    EXPECT_EQ(file.stories[0].name, "-1. Basement");
    EXPECT_DOUBLE_EQ(file.stories[2].height, 0.0);
    ASSERT_EQ(file.layers.size(), 3u);
    ASSERT_EQ(file.elements.size(), 3u);
    // Layer 40000 is found at its own record, not confused with a 16-bit index.
    EXPECT_EQ(file.elements[0].layer, 1);
    EXPECT_EQ(file.elements[0].elementClass, 1);
    EXPECT_EQ(file.elements[0].story, 2);
    EXPECT_FALSE(file.elements[0].libraryPart.has_value());
    // The first of two layers with index 1; story 0 lifts the level by its elevation.
    EXPECT_EQ(file.elements[1].layer, 0);
    EXPECT_EQ(file.elements[1].story, 1);
    ASSERT_TRUE(file.elements[1].libraryPart.has_value());
    EXPECT_EQ(file.elements[1].libraryPart->name, "Chair");
    EXPECT_DOUBLE_EQ(file.elements[1].libraryPart->z, 60.0);
    EXPECT_DOUBLE_EQ(file.elements[1].libraryPart->defaultHeight, 75.0);
    EXPECT_TRUE(file.elements[1].libraryPart->hasGeometry);
    EXPECT_EQ(file.elements[2].guid, "{00000000-0000-0000-0000-000000000000}");

    ASSERT_EQ(file.points.size(), 4u);
    EXPECT_DOUBLE_EQ(file.points[3].z, 300.0);
    ASSERT_EQ(file.polygons.size(), 1u);
    EXPECT_EQ(file.polygons[0].objectNumber, 1);
    EXPECT_EQ(file.polygons[0].materialPosition, -1);
    EXPECT_EQ(file.polygons[0].pointNumbers, (std::vector<int32_t>{0, 1, 3}));
    EXPECT_DOUBLE_EQ(file.uvws[0].coords[2].u, 0.5);
    EXPECT_EQ(file.counts.objects, 3);
}

}  // namespace
