// Picture helpers and the MIME table: table positions and spelling, texture MIME choice, whole
// picture files in and out of memory handles, pixel copies into host pixel maps, and JPEG encoding
// of pixel maps with the texture quality. JPEG output is read back with libjpeg directly.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ACAPinc.h"
#include "BM.hpp"
#include "GX.hpp"
#include "LogHelpers.hpp"
#include "MimeTable.hpp"
#include "PictureHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"
#include "common/TestPictures.hpp"

namespace {

using TestPictures::ArgbPicture;

struct PixMapDeleter {
    void operator()(GSPixMap** pixMap) const { GXDeleteGSPixMap(pixMap); }
};
using OwnedPixMap = std::unique_ptr<GSPixMap*, PixMapDeleter>;

std::string BytesOf(GSConstHandle handle)
{
    return std::string(*handle, static_cast<std::size_t>(BMGetHandleSize(handle)));
}

class PictureHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        liveBlocks = BMLiveBlockCount();
        livePixMaps = GXLiveGSPixMapCount();
        SetLogSink([this](LogLevel level, const char* message) { logged.emplace_back(level, message); });
    }
    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        EXPECT_EQ(GXLiveGSPixMapCount(), livePixMaps) << "pixel maps leaked";
        HostTest::TearDown();
    }

    IO::Location LocationOf(const std::string& name) const { return IO::Location(temp.PathOf(name).c_str()); }

    // A host pixel map holding the picture, filled by the helper under test.
    OwnedPixMap PixMapOf(const ArgbPicture& picture)
    {
        OwnedPixMap pixMap(GXCreateGSPixMap(picture.width, picture.height, 72, 72, 0));
        EXPECT_TRUE(CopyARGBPixelsToPixMap(picture.argb.data(), picture.argb.size() / 4, pixMap.get(),
                                           GXGetGSPixMapBaseAddr(pixMap.get())));
        return pixMap;
    }

    // Encodes through the helper and reads the JPEG back independently; the handle is freed.
    TestPictures::DecodedJpeg EncodeAndDecode(GSPixMap** pixMap, int quality)
    {
        API_PictureHandle picture{};
        const int result = ConvertPixMapToJpegHandle(pixMap, picture, quality, 24);
        EXPECT_EQ(result, NoError);
        EXPECT_EQ(picture.storageFormat, APIPictForm_Bitmap);
        if (picture.pictHdl == nullptr)
            return TestPictures::DecodedJpeg();
        const std::string bytes = BytesOf(picture.pictHdl);
        BMKillHandle(&picture.pictHdl);
        return TestPictures::DecodeJpeg(bytes);
    }

    TemporaryFolder temp;
    std::vector<std::pair<LogLevel, std::string>> logged;
    Int64 liveBlocks = 0;
    Int64 livePixMaps = 0;
};

// ---- MIME table -----------------------------------------------------------------------------------

TEST(MimeTable, HoldsSixteenTextsInImageFormatOrderThenNull)
{
    const char* const expected[pictFormatCount] = {
        "image/unkown", "image/x-bmp",       "image/gif",        "image/tiff",
        "image/jpeg",   "image/jpg",         "image/jpe",        "image/pict",
        "image/x-sgi",  "image/x-photoshop", "image/png",        "image/x-macpaint",
        "image/x-targa", "image/x-quicktime", "image/hdri",      "image/ies",
    };
    for (int i = 0; i < pictFormatCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(pictFormat_STR[i], nullptr);
        EXPECT_STREQ(pictFormat_STR[i], expected[i]);
    }
    EXPECT_EQ(pictFormat_STR[pictFormatCount], nullptr);
    EXPECT_STREQ(pictFormat_STR[pictFormat_Unknown], "image/unkown");
    EXPECT_STREQ(pictFormat_STR[pictFormat_Jpeg], "image/jpeg");
    EXPECT_STREQ(pictFormat_STR[pictFormat_Png], "image/png");
    EXPECT_STREQ(pictFormat_STR[pictFormat_Hdri], "image/hdri");
    EXPECT_STREQ(pictFormat_STR[pictFormat_Ies], "image/ies");
}

TEST(MimeTable, ValidTextureMimeIsTheLowestTablePositionIgnoringLetterCase)
{
    struct Case {
        std::vector<const char*> mimes;
        int index;  // -1: not a texture MIME
    };
    const Case cases[] = {
        {{"image/jpg", "image/jpeg"}, 4},  // the table's order decides, not the type's
        {{"image/jpeg"}, 4},
        {{"IMAGE/PNG"}, 10},
        {{"Image/X-Targa"}, 12},
        {{"image/webp", "image/jpe", "image/x-bmp"}, 1},
        {{"image/unkown"}, 0},
        {{"image/ies"}, 15},
        {{"image/webp"}, -1},
        {{"image/jpeg2000"}, -1},  // whole texts are compared
        {{"image/jp"}, -1},
        {{}, -1},
    };
    for (const Case& c : cases) {
        FTM::FileType type("T", "t", 0, 0, 0);
        for (const char* mime : c.mimes)
            type.AddMime(mime);
        SCOPED_TRACE(c.mimes.empty() ? "(none)" : c.mimes.front());
        int index = 99;
        EXPECT_EQ(IsValidTextureMime(type, &index), c.index >= 0);
        EXPECT_EQ(index, c.index >= 0 ? c.index : 99) << "a false answer leaves the index as it was";
    }
}

TEST(MimeTable, HostPictureTypesMapOntoTheTable)
{
    struct Case {
        const char* hostMime;
        int index;
    };
    const Case cases[] = {{"image/png", 10}, {"image/jpeg", 4}, {"image/gif", 2},   {"image/tiff", 3},
                          {"image/bmp", 1},  {"image/pict", 7}, {"image/webp", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hostMime);
        FTM::FileType type;
        ASSERT_EQ(FTM::FileTypeManager::GetType(FTM::FileTypeManager::SearchForMime(c.hostMime, nullptr), &type),
                  NoError);
        int index = -1;
        EXPECT_EQ(IsValidTextureMime(type, &index), c.index >= 0);
        EXPECT_EQ(index, c.index);
    }
    FTM::FileType jpeg("JPEG", "jpg", 0, 0, 0, nullptr, "image/jpeg");
    EXPECT_TRUE(IsValidTextureMime(jpeg, nullptr));
}

// ---- Reading and writing whole picture files ------------------------------------------------------

TEST_F(PictureHelpersTest, ReadsTheWholeFileIntoANewHandle)
{
    const std::string png = TestPictures::EncodePng(TestPictures::MakeGradient(5, 4, true));
    temp.WriteFile("tex.png", png);
    temp.WriteFile("empty.jpg", "");

    for (const char* name : {"tex.png", "empty.jpg"}) {
        SCOPED_TRACE(name);
        const IO::Location location = LocationOf(name);
        char** handle = nullptr;
        EXPECT_EQ(ReadPictureFile(&location, &handle, true), NoError);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(BytesOf(handle), temp.ReadFile(name));
        BMKillHandle(&handle);
    }
    EXPECT_TRUE(logged.empty());
}

TEST_F(PictureHelpersTest, ReadFailuresGiveTheStepsErrorAndItsMessage)
{
    temp.WriteFile("tex.png", "0123456789");
    struct Case {
        const char* name;
        const char* point;  // planned failure, or null
        GSErrCode code;
        GSErrCode expected;
        const char* message;  // null: none
    };
    const Case cases[] = {
        {"missing.png", nullptr, 0, IO::NotFoundErr, "Error: Cannot find image file\n"},
        {"tex.png", "IO::File::Locate", IO::AccessDeniedErr, IO::AccessDeniedErr, "Error: Cannot find image file\n"},
        {"tex.png", "IO::File::Open", IO::AccessDeniedErr, IO::AccessDeniedErr, nullptr},
        {"tex.png", "IO::File::GetDataLength", IO::GeneralIOErr, IO::GeneralIOErr, nullptr},
        {"tex.png", "BM::Allocate", ErrMemoryFull, ErrMemoryFull, "Error: Cannot read image\n"},
        {"tex.png", "IO::File::ReadBin", IO::GeneralIOErr, IO::GeneralIOErr, "Error: Cannot read image\n"},
        {"tex.png", "IO::File::Close", IO::GeneralIOErr, IO::GeneralIOErr, nullptr},
    };
    for (const bool verbose : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << (c.point != nullptr ? c.point : c.name) << " verbose " << verbose);
            logged.clear();
            HostControl::ClearFailures();
            if (c.point != nullptr)
                HostControl::InjectError(c.point, c.code, 0, 1);
            const IO::Location location = LocationOf(c.name);
            char** handle = nullptr;
            EXPECT_EQ(ReadPictureFile(&location, &handle, verbose), c.expected);
            BMKillHandle(&handle);  // a handle made before the failure stays with the caller
            if (c.message == nullptr) {
                EXPECT_TRUE(logged.empty());
            } else {
                ASSERT_EQ(logged.size(), 1u);
                EXPECT_EQ(logged[0].first, verbose ? LogLevel_Error : LogLevel_Debug);
                EXPECT_EQ(logged[0].second, c.message);
            }
        }
    }
    char** handle = nullptr;
    EXPECT_EQ(ReadPictureFile(nullptr, &handle, false), APIERR_BADPARS);
    const IO::Location location = LocationOf("tex.png");
    EXPECT_EQ(ReadPictureFile(&location, nullptr, false), APIERR_BADPARS);
}

TEST_F(PictureHelpersTest, WritesTheHandleUnderTheNameOrWithTheGivenExtension)
{
    struct Case {
        const char* name;
        bool setExtension;
        const char* extension;
        const char* written;
    };
    const Case cases[] = {
        {"tex.png", true, "jpg", "tex.jpg"},
        {"tex", true, "jpg", "tex.jpg"},
        {"wall.brick.tif", true, "jpg", "wall.brick.jpg"},
        {"keep.png", false, "jpg", "keep.png"},
        {"keep2.png", false, nullptr, "keep2.png"},
    };
    const std::string bytes = TestPictures::EncodeJpeg(TestPictures::MakeColourBlocks(8), 80);
    char** handle = BMAllocateHandle(static_cast<Int32>(bytes.size()), 0, 0);
    std::memcpy(*handle, bytes.data(), bytes.size());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IO::Location location = LocationOf(c.name);
        EXPECT_EQ(WritePictureFile(&location, &handle, true, c.setExtension, c.extension), NoError);
        EXPECT_EQ(temp.ReadFile(c.written), bytes);
        if (std::string(c.name) != c.written) {
            EXPECT_FALSE(temp.Exists(c.name));
        }
    }
    temp.WriteFile("longer.png", std::string(4 * bytes.size(), 'x'));
    const IO::Location longer = LocationOf("longer.png");
    EXPECT_EQ(WritePictureFile(&longer, &handle, true, false, ""), NoError);
    EXPECT_EQ(temp.ReadFile("longer.png"), bytes) << "an existing file is emptied first";
    BMKillHandle(&handle);
    EXPECT_TRUE(logged.empty());
}

TEST_F(PictureHelpersTest, WriteFailuresAreReportedAndNothingGoesUnderAnotherName)
{
    char** handle = BMAllocateHandle(4, 0, 0);
    std::memcpy(*handle, "data", 4);

    const IO::Location inMissingFolder = LocationOf("no-folder/tex.jpg");
    EXPECT_EQ(WritePictureFile(&inMissingFolder, &handle, true, false, ""), IO::NotFoundErr);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], std::make_pair(LogLevel_Error, std::string("Error: Image File status error\n")));

    struct Case {
        const char* point;
        GSErrCode code;
    };
    const Case cases[] = {
        {"IO::File::Create", IO::AccessDeniedErr},
        {"IO::File::Open", IO::AccessDeniedErr},
        {"IO::File::WriteBin", IO::DiskFullErr},
        {"IO::File::Close", IO::GeneralIOErr},  // a failed close may have lost the bytes
    };
    const IO::Location location = LocationOf("tex.jpg");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        HostControl::InjectError(c.point, c.code, 0, 1);
        EXPECT_EQ(WritePictureFile(&location, &handle, false, false, ""), c.code);
        HostControl::ClearFailures();
    }

    // An extension that cannot be part of a name must not leave the bytes under the old name.
    const IO::Location original = LocationOf("fresh.png");
    EXPECT_EQ(WritePictureFile(&original, &handle, false, true, "a/b"), IO::BadNameErr);
    EXPECT_FALSE(temp.Exists("fresh.png"));

    char** none = nullptr;
    EXPECT_EQ(WritePictureFile(&location, &none, false, false, ""), APIERR_BADPARS);
    EXPECT_EQ(WritePictureFile(&location, nullptr, false, false, ""), APIERR_BADPARS);
    EXPECT_EQ(WritePictureFile(nullptr, &handle, false, false, ""), APIERR_BADPARS);
    BMKillHandle(&handle);
}

// ---- Pixel copies into host pixel maps ------------------------------------------------------------

TEST_F(PictureHelpersTest, PixelCopyFollowsThePixelMapsRowPitch)
{
    // 3 pixels make 12 bytes a row; the pixel map's rows are 16 bytes long.
    const ArgbPicture picture = TestPictures::MakeGradient(3, 4, true);
    OwnedPixMap pixMap(GXCreateGSPixMap(3, 4, 72, 72, 0));
    auto* base = static_cast<UInt8*>(GXGetGSPixMapBaseAddr(pixMap.get()));
    const Int32 rowBytes = GXGetGSPixMapRowBytes(pixMap.get());
    ASSERT_EQ(rowBytes, 16);

    ASSERT_TRUE(CopyARGBPixelsToPixMap(picture.argb.data(), 12, pixMap.get(), base));
    for (int y = 0; y < 4; ++y) {
        SCOPED_TRACE(y);
        const UInt8* row = base + y * rowBytes;
        EXPECT_EQ(std::vector<UInt8>(row, row + 12), std::vector<UInt8>(picture.PixelAt(0, y), picture.PixelAt(0, y) + 12));
        EXPECT_EQ(std::vector<UInt8>(row + 12, row + 16), std::vector<UInt8>(4, 0)) << "padding stays clear";
    }
}

TEST_F(PictureHelpersTest, PixelCopyRefusesWhatDoesNotFitThePixelMapExactly)
{
    const std::vector<UInt8> pixels(4 * 64, 0xAB);
    OwnedPixMap pixMap(GXCreateGSPixMap(3, 4, 72, 72, 0));
    void* base = GXGetGSPixMapBaseAddr(pixMap.get());
    struct Case {
        const char* what;
        const void* pixels;
        USize count;
        GSPixMap** pixMap;
        void* memory;
    };
    const Case cases[] = {
        {"more pixels than the map holds", pixels.data(), 64, pixMap.get(), base},
        {"one pixel more", pixels.data(), 13, pixMap.get(), base},
        {"fewer pixels than the map holds", pixels.data(), 11, pixMap.get(), base},
        {"no pixels", pixels.data(), 0, pixMap.get(), base},
        {"null pixels", nullptr, 12, pixMap.get(), base},
        {"null pixel map", pixels.data(), 12, nullptr, base},
        {"null pixel memory", pixels.data(), 12, pixMap.get(), nullptr},
    };
    const auto* bytes = static_cast<const UInt8*>(base);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(CopyARGBPixelsToPixMap(c.pixels, c.count, c.pixMap, c.memory));
        EXPECT_EQ(std::vector<UInt8>(bytes, bytes + 4 * 16), std::vector<UInt8>(4 * 16, 0)) << "nothing copied";
    }
}

// ---- JPEG encoding of pixel maps ------------------------------------------------------------------

TEST_F(PictureHelpersTest, JpegHandleDecodesToTheSameSizeAndColours)
{
    const ArgbPicture picture = TestPictures::MakeColourBlocks(16);
    const OwnedPixMap pixMap = PixMapOf(picture);
    const TestPictures::DecodedJpeg decoded = EncodeAndDecode(pixMap.get(), 90);
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(decoded.width, 32);
    ASSERT_EQ(decoded.height, 32);
    for (int y = 3; y < 32; y += 16) {  // away from the blocks' edges, which JPEG blurs
        for (int x = 3; x < 32; x += 16) {
            for (int i = 0; i < 10; ++i) {
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(decoded.PixelAt(x + i, y + i)[c], picture.PixelAt(x + i, y + i)[c + 1], 10);
            }
        }
    }
}

TEST_F(PictureHelpersTest, TextureQualityReachesTheEncoderClampedToOneToHundred)
{
    struct Case {
        int quality;
        int encoded;  // the JPEG quality whose tables the file carries
    };
    const Case cases[] = {{90, 90},   {1, 1},       {100, 100}, {55, 55},
                          {0, 1},     {-20, 1},     {101, 100}, {5000, 100},
                          {30000000, 100}};  // times 100 would not fit an int
    const OwnedPixMap pixMap = PixMapOf(TestPictures::MakeGradient(8, 8, false));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quality);
        EXPECT_EQ(EncodeAndDecode(pixMap.get(), c.quality).lumaQuantTable, TestPictures::LumaQuantTableFor(c.encoded));
    }
}

TEST_F(PictureHelpersTest, FailedConversionLeavesAClearedRecordWithoutHandle)
{
    const OwnedPixMap pixMap = PixMapOf(TestPictures::MakeGradient(4, 4, false));
    struct Case {
        const char* point;
        GSErrCode expected;
    };
    // A failed MIME search counts as type 0, which no encoder takes.
    const Case cases[] = {{"GX::Image::Encode", -7002}, {"FTM::FileTypeManager::SearchForMime", GX::NotSupportedErr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        HostControl::InjectError(c.point, -7002, 0, 1);
        API_PictureHandle picture{77, reinterpret_cast<GSHandle>(&picture)};  // stale contents are cleared
        EXPECT_EQ(ConvertPixMapToJpegHandle(pixMap.get(), picture, 90, 24), c.expected);
        EXPECT_EQ(picture.pictHdl, nullptr);
        EXPECT_EQ(picture.storageFormat, APIPictForm_Bitmap);
        HostControl::ClearFailures();
    }
    API_PictureHandle picture{};
    GSPixMap** none = nullptr;
    EXPECT_EQ(ConvertPixMapToJpegHandle(none, picture, 90, 24), GX::BadParameterErr);
    EXPECT_EQ(picture.pictHdl, nullptr);
}

TEST_F(PictureHelpersTest, PixelMapWrittenAsJpegFile)
{
    const ArgbPicture picture = TestPictures::MakeColourBlocks(16);
    const OwnedPixMap pixMap = PixMapOf(picture);
    EXPECT_EQ(WritePixmapToJpegFile(pixMap.get(), LocationOf("out.jpg"), 150, 24), NoError);
    const TestPictures::DecodedJpeg decoded = TestPictures::DecodeJpeg(temp.ReadFile("out.jpg"));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, 32);
    EXPECT_EQ(decoded.height, 32);
    EXPECT_EQ(decoded.lumaQuantTable, TestPictures::LumaQuantTableFor(100));
    EXPECT_NEAR(decoded.PixelAt(8, 8)[0], picture.PixelAt(8, 8)[1], 6);

    HostControl::InjectError("GX::Image::WriteToFile", -7001, 0, 1);
    EXPECT_EQ(WritePixmapToJpegFile(pixMap.get(), LocationOf("planned.jpg"), 90, 24), -7001);
    EXPECT_FALSE(temp.Exists("planned.jpg"));
}

TEST_F(PictureHelpersTest, LibraryPictureBecomesJpegThroughAHostPixelMap)
{
    // The path of a library picture exported as JPEG: file -> handle -> pixel map -> JPEG.
    const ArgbPicture picture = TestPictures::MakeColourBlocks(16);
    temp.WriteFile("brick.jpg", TestPictures::EncodePng(picture));  // a PNG under a JPEG name
    const IO::Location location = LocationOf("brick.jpg");
    char** data = nullptr;
    ASSERT_EQ(ReadPictureFile(&location, &data, false), NoError);
    GSPixMap** pixMap = nullptr;
    ASSERT_EQ(GX::ImageBase::ConvertToPixMap(data, pixMap, FTM::UnknownType, 4), NoError);
    BMKillHandle(&data);
    const OwnedPixMap owned(pixMap);
    const TestPictures::DecodedJpeg decoded = EncodeAndDecode(pixMap, 95);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, 32);
    EXPECT_NEAR(decoded.PixelAt(24, 24)[2], picture.PixelAt(24, 24)[3], 6);
}

}  // namespace
