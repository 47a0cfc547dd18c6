// The stand-in host's picture framework: the file-type registry, pixel maps and their layout,
// PNG and JPEG decoding, JPEG encoding, type detection from a file's own bytes, and the failures
// tests can plan at each operation. Pictures are made and read back with libpng and libjpeg
// directly, never with the framework's own code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BM.hpp"
#include "GX.hpp"
#include "GSException.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"
#include "common/TestPictures.hpp"

namespace {

using TestPictures::ArgbPicture;

struct HandleDeleter {
    void operator()(char** handle) const { BMKillHandle(&handle); }
};
using OwnedHandle = std::unique_ptr<char*, HandleDeleter>;

struct PixMapDeleter {
    void operator()(GSPixMap** pixMap) const { GXDeleteGSPixMap(pixMap); }
};
using OwnedPixMap = std::unique_ptr<GSPixMap*, PixMapDeleter>;

OwnedHandle HandleWith(const std::string& bytes)
{
    OwnedHandle handle(BMAllocateHandle(static_cast<Int32>(bytes.size()), 0, 0));
    if (handle != nullptr && !bytes.empty())
        std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

std::string BytesOf(GSConstHandle handle)
{
    return std::string(*handle, static_cast<std::size_t>(BMGetHandleSize(handle)));
}

// The pixel map's pixels, packed (padding left out), and whether every padding byte is zero.
std::vector<UInt8> PackedPixelsOf(GSPixMap** pixMap, bool* paddingIsZero = nullptr)
{
    const auto* base = static_cast<const UInt8*>(GXGetGSPixMapBaseAddr(pixMap));
    const Int32 width = GXGetGSPixMapWidth(pixMap);
    const Int32 rowBytes = GXGetGSPixMapRowBytes(pixMap);
    std::vector<UInt8> packed;
    bool zero = true;
    for (Int32 y = 0; y < GXGetGSPixMapHeight(pixMap); ++y) {
        const UInt8* row = base + std::size_t(y) * rowBytes;
        packed.insert(packed.end(), row, row + 4 * width);
        for (Int32 i = 4 * width; i < rowBytes; ++i)
            zero = zero && row[i] == 0;
    }
    if (paddingIsZero != nullptr)
        *paddingIsZero = zero;
    return packed;
}

OwnedPixMap PixMapWith(const ArgbPicture& picture)
{
    OwnedPixMap pixMap(GXCreateGSPixMap(picture.width, picture.height, 72, 72, 0));
    auto* base = static_cast<UInt8*>(GXGetGSPixMapBaseAddr(pixMap.get()));
    const Int32 rowBytes = GXGetGSPixMapRowBytes(pixMap.get());
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(base + std::size_t(y) * rowBytes, picture.PixelAt(0, y), std::size_t(picture.width) * 4);
    return pixMap;
}

FTM::TypeID TypeOfMime(const char* mime)
{
    return FTM::FileTypeManager::SearchForMime(mime, nullptr);
}

std::string FirstMimeOf(FTM::TypeID type)
{
    FTM::FileType fileType;
    if (FTM::FileTypeManager::GetType(type, &fileType) != NoError)
        return "(no type)";
    return fileType.GetMime(0);
}

// JPEG blurs colour edges (its colour planes have half the resolution), so flat blocks are
// compared away from their edges.
constexpr int BlockSize = 16;
constexpr int EdgeMargin = 3;

bool IsBlockInterior(int x, int y)
{
    const auto inside = [](int v) { return v % BlockSize >= EdgeMargin && v % BlockSize < BlockSize - EdgeMargin; };
    return inside(x) && inside(y);
}

void ExpectBlockColours(const TestPictures::DecodedJpeg& decoded, const ArgbPicture& blocks, int tolerance)
{
    ASSERT_TRUE(decoded.ok);
    ASSERT_EQ(decoded.width, blocks.width);
    ASSERT_EQ(decoded.height, blocks.height);
    for (int y = 0; y < blocks.height; ++y) {
        for (int x = 0; x < blocks.width; ++x) {
            for (int c = 0; c < 3 && IsBlockInterior(x, y); ++c) {
                EXPECT_NEAR(decoded.PixelAt(x, y)[c], blocks.PixelAt(x, y)[c + 1], tolerance)
                    << "pixel " << x << "," << y << " channel " << c;
            }
        }
    }
}

class GXImageTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        liveBlocks = BMLiveBlockCount();
        livePixMaps = GXLiveGSPixMapCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        EXPECT_EQ(GXLiveGSPixMapCount(), livePixMaps) << "pixel maps leaked";
        HostTest::TearDown();
    }

    IO::Location LocationOf(const std::string& name) const { return IO::Location(temp.PathOf(name).c_str()); }

    TemporaryFolder temp;
    Int64 liveBlocks = 0;
    Int64 livePixMaps = 0;
};

// ---- File-type registry ---------------------------------------------------------------------------

TEST_F(GXImageTest, RegistryKnowsTheHostsPictureTypesByMimeAndExtension)
{
    struct Case {
        const char* mime;
        const char* extension;  // one of the type's extensions
    };
    const Case cases[] = {
        {"image/png", "png"},         {"image/jpeg", "jpg"},        {"image/jpg", "jpeg"},
        {"IMAGE/JPEG", "JPE"},        {"image/gif", "gif"},         {"image/tiff", "tif"},
        {"image/x-bmp", "bmp"},       {"image/x-photoshop", "psd"}, {"image/x-sgi", "sgi"},
        {"image/pict", "pct"},        {"image/x-macpaint", "pntg"}, {"image/x-targa", "tga"},
        {"image/x-quicktime", "qtif"}, {"image/webp", "webp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mime);
        const FTM::TypeID type = TypeOfMime(c.mime);
        ASSERT_GT(type, FTM::UnknownType);
        FTM::FileType fileType;
        ASSERT_EQ(FTM::FileTypeManager::GetType(type, &fileType), NoError);
        EXPECT_TRUE(fileType.HasMime(c.mime));
        EXPECT_TRUE(fileType.HasExtension(c.extension));
        EXPECT_EQ(FTM::FileTypeManager::SearchForExtension(c.extension), type);
    }
    EXPECT_EQ(TypeOfMime("image/unkown"), FTM::NoType);
    EXPECT_EQ(TypeOfMime(nullptr), FTM::NoType);
    EXPECT_EQ(FTM::FileTypeManager::SearchForExtension("txt"), FTM::NoType);

    const FTM::GroupID root = FTM::RootGroup;
    const FTM::GroupID other = 7;
    EXPECT_EQ(FTM::FileTypeManager::SearchForMime("image/png", &root), TypeOfMime("image/png"));
    EXPECT_EQ(FTM::FileTypeManager::SearchForMime("image/png", &other), FTM::NoType);

    FTM::FileType untouched("kept", "x", 0, 0, 0);
    EXPECT_EQ(FTM::FileTypeManager::GetType(987654, &untouched), FTM::TypeNotFoundErr);
    EXPECT_STREQ(untouched.GetDescription(), "kept");
    EXPECT_EQ(FTM::FileTypeManager::GetType(TypeOfMime("image/png"), nullptr), FTM::BadParameterErr);
}

TEST_F(GXImageTest, ManagerAddsItsOwnTypesForAsLongAsItLives)
{
    // The host has no executable type of its own: applications are bundles.
    EXPECT_EQ(FTM::EXEFileType, FTM::UnknownType);

    FTM::TypeID added = FTM::UnknownType;
    {
        FTM::FileTypeManager manager("Applications");
        EXPECT_STREQ(manager.GetName(), "Applications");
        const FTM::FileType appType("Application", "app", FTM::FourCharCode("C4D1"), 0x00415050, 0, nullptr,
                                    nullptr, true);
        added = manager.AddType(appType, FTM::RootGroup);
        ASSERT_GT(added, FTM::UnknownType);

        FTM::FileType found;
        ASSERT_EQ(FTM::FileTypeManager::GetType(added, &found), NoError);
        EXPECT_STREQ(found.GetDescription(), "Application");
        EXPECT_STREQ(found.GetExtension(0), "app");
        EXPECT_EQ(found.GetMacType(), 0x43344431u);
        EXPECT_EQ(found.GetMacCreator(), 0x00415050u);
        EXPECT_EQ(found.CountMimeTypes(), 0u);
        EXPECT_STREQ(found.GetMime(0), "");  // out of range gives an empty text, never null
        EXPECT_TRUE(found.IsBundle());
        EXPECT_EQ(found.GetContentChecker(), nullptr);
    }
    FTM::FileType gone;
    EXPECT_EQ(FTM::FileTypeManager::GetType(added, &gone), FTM::TypeNotFoundErr);

    FTM::FileTypeManager second("Again");
    const FTM::TypeID next = second.AddType(FTM::FileType("Other", "oth", 0, 0, 0));
    EXPECT_GT(next, added) << "identifiers are never given twice";
}

TEST_F(GXImageTest, RegistryFailuresCanBePlanned)
{
    FTM::FileTypeManager manager("Planned");
    HostControl::InjectError("FTM::FileTypeManager::AddType", -1, 0, 1);
    EXPECT_EQ(manager.AddType(FTM::FileType("T", "t", 0, 0, 0)), FTM::UnknownType);

    HostControl::InjectError("FTM::FileTypeManager::GetType", -4711, 0, 1);
    FTM::FileType type;
    EXPECT_EQ(FTM::FileTypeManager::GetType(TypeOfMime("image/png"), &type), -4711);
    EXPECT_EQ(FTM::FileTypeManager::GetType(TypeOfMime("image/png"), &type), NoError);

    HostControl::InjectError("FTM::FileTypeManager::SearchForMime", -1, 0, 1);
    EXPECT_EQ(TypeOfMime("image/jpeg"), FTM::NoType);
    EXPECT_GT(TypeOfMime("image/jpeg"), FTM::UnknownType);
}

// ---- Type detection from a file's own bytes -------------------------------------------------------

TEST_F(GXImageTest, ContentTellsThePictureType)
{
    struct Case {
        std::string head;
        const char* mime;  // empty: no type
    };
    const std::string pad(32, '\0');
    const Case cases[] = {
        {std::string("\x89PNG\r\n\x1a\n", 8) + pad, "image/png"},
        {std::string("\xff\xd8\xff\xe0", 4) + pad, "image/jpeg"},
        {"GIF89a" + pad, "image/gif"},
        {"GIF87a" + pad, "image/gif"},
        {std::string("II*\0", 4) + pad, "image/tiff"},
        {std::string("MM\0*", 4) + pad, "image/tiff"},
        {std::string("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18) + pad, "image/x-bmp"},
        {"8BPS" + pad, "image/x-photoshop"},
        {std::string("\x01\xda\x01\x01", 4) + pad, "image/x-sgi"},
        {std::string("RIFF\x10\0\0\0WEBPVP8 ", 16) + pad, "image/webp"},
        {std::string("\0\0\0\x56idsc", 8) + pad, "image/x-quicktime"},
        {std::string("\x89PNG", 4), ""},    // a cut signature
        {"BMP is the word" + pad, ""},       // "BM" alone is not a bitmap
        {"plain text, no picture", ""},
        {std::string(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mime);
        const FTM::TypeID type = FTM::FileTypeManager::SearchForContent(c.head.data(), c.head.size());
        if (*c.mime == '\0')
            EXPECT_EQ(type, FTM::NoType);
        else
            EXPECT_EQ(FirstMimeOf(type), c.mime);
    }
}

TEST_F(GXImageTest, FileTypeComesFromTheBytesNotFromTheName)
{
    const ArgbPicture picture = TestPictures::MakeGradient(3, 2, true);
    temp.WriteFile("photo.jpg", TestPictures::EncodePng(picture));  // a PNG under a JPEG name
    temp.WriteFile("drawing.png", "not a picture at all");
    temp.WriteFile("scan.tga", std::string(18, '\0'));  // Targa has no signature: its extension tells
    temp.WriteFile("anim.gif", "GIF89a" + std::string(20, '\0'));

    const GX::Image png(LocationOf("photo.jpg"));
    EXPECT_EQ(png.GetStatus(), NoError);
    EXPECT_EQ(FirstMimeOf(png.GetTypeID()), "image/png");
    EXPECT_EQ(png.GetWidth(false), 3);
    EXPECT_EQ(png.GetHeight(false), 2);

    const GX::Image text(LocationOf("drawing.png"));
    EXPECT_EQ(text.GetTypeID(), FTM::UnknownType);
    EXPECT_EQ(text.GetStatus(), GX::NotSupportedErr);
    EXPECT_TRUE(text.IsEmpty());

    const GX::Image targa(LocationOf("scan.tga"));
    EXPECT_EQ(FirstMimeOf(targa.GetTypeID()), "image/x-targa");
    EXPECT_EQ(targa.GetStatus(), GX::NotSupportedErr);

    const GX::Image gif(LocationOf("anim.gif"));
    EXPECT_EQ(FirstMimeOf(gif.GetTypeID()), "image/gif");
    EXPECT_EQ(gif.GetStatus(), GX::NotSupportedErr);
    EXPECT_EQ(gif.GetWidth(false), 0);

    const GX::Image missing(LocationOf("none.png"));
    EXPECT_EQ(missing.GetStatus(), IO::NotFoundErr);
    EXPECT_EQ(missing.GetTypeID(), FTM::UnknownType);
}

// ---- Pixel maps -----------------------------------------------------------------------------------

TEST_F(GXImageTest, PixelMapRowsArePaddedToSixteenBytesAndStartZero)
{
    struct Case {
        Int32 width;
        Int32 rowBytes;
    };
    const Case cases[] = {{1, 16}, {3, 16}, {4, 16}, {5, 32}, {8, 32}, {9, 48}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        OwnedPixMap pixMap(GXCreateGSPixMap(c.width, 3, 72, 72, GSPixMapDefaultFormat));
        ASSERT_NE(pixMap, nullptr);
        EXPECT_EQ(GXGetGSPixMapWidth(pixMap.get()), c.width);
        EXPECT_EQ(GXGetGSPixMapHeight(pixMap.get()), 3);
        EXPECT_EQ(GXGetGSPixMapRowBytes(pixMap.get()), c.rowBytes);
        EXPECT_EQ(GXGetGSPixMapPixelBits(pixMap.get()), 32);
        const auto* base = static_cast<const UInt8*>(GXGetGSPixMapBaseAddr(pixMap.get()));
        ASSERT_NE(base, nullptr);
        EXPECT_EQ(std::vector<UInt8>(base, base + 3 * c.rowBytes), std::vector<UInt8>(3 * c.rowBytes, 0));
    }
    OwnedPixMap explicitFormat(GXCreateGSPixMap(2, 2, 144, 36, GSPixMapARGB32));
    ASSERT_NE(explicitFormat, nullptr);
    EXPECT_EQ(GXGetGSPixMapHRes(explicitFormat.get()), 144);
    EXPECT_EQ(GXGetGSPixMapVRes(explicitFormat.get()), 36);
}

TEST_F(GXImageTest, PixelMapsRefuseBadSizesAndFormats)
{
    struct Case {
        Int32 width, height, format;
    };
    const Case cases[] = {
        {0, 4, 0}, {4, 0, 0}, {-1, 4, 0}, {GSPixMapMaxSide + 1, 1, 0}, {GSPixMapMaxSide, GSPixMapMaxSide, 0},
        {4, 4, 1}, {4, 4, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " format " << c.format);
        EXPECT_EQ(GXCreateGSPixMap(c.width, c.height, 72, 72, c.format), nullptr);
    }
    GXDeleteGSPixMap(nullptr);
    EXPECT_EQ(GXGetGSPixMapBaseAddr(nullptr), nullptr);
    EXPECT_EQ(GXGetGSPixMapWidth(nullptr), 0);
    EXPECT_EQ(GXGetGSPixMapRowBytes(nullptr), 0);
}

TEST_F(GXImageTest, PixelMapFailuresCanBePlanned)
{
    HostControl::InjectError("GXCreateGSPixMap", -108, 0, 1);
    EXPECT_EQ(GXCreateGSPixMap(2, 2, 72, 72, 0), nullptr);
    OwnedPixMap pixMap(GXCreateGSPixMap(2, 2, 72, 72, 0));
    ASSERT_NE(pixMap, nullptr);

    HostControl::InjectError("GXGetGSPixMapBaseAddr", -50, 0, 1);
    EXPECT_EQ(GXGetGSPixMapBaseAddr(pixMap.get()), nullptr);
    EXPECT_NE(GXGetGSPixMapBaseAddr(pixMap.get()), nullptr);
}

// ---- Decoding -------------------------------------------------------------------------------------

TEST_F(GXImageTest, PngDecodesIntoArgbRowsAtThePixelMapsPitch)
{
    const ArgbPicture picture = TestPictures::MakeGradient(3, 2, true);  // 12 bytes a row, 16 with padding
    const OwnedHandle data = HandleWith(TestPictures::EncodePng(picture));

    GSPixMap** decoded = nullptr;
    ASSERT_EQ(GX::ImageBase::ConvertToPixMap(data.get(), decoded, FTM::UnknownType, GSPixMapARGB32), NoError);
    const OwnedPixMap owned(decoded);
    EXPECT_EQ(GXGetGSPixMapWidth(decoded), 3);
    EXPECT_EQ(GXGetGSPixMapHeight(decoded), 2);
    bool paddingIsZero = false;
    EXPECT_EQ(PackedPixelsOf(decoded, &paddingIsZero), picture.argb) << "straight alpha, A R G B, top row first";
    EXPECT_TRUE(paddingIsZero);
}

TEST_F(GXImageTest, JpegDecodesOpaqueWithinJpegTolerance)
{
    const ArgbPicture picture = TestPictures::MakeColourBlocks(BlockSize);
    temp.WriteFile("blocks.jpeg", TestPictures::EncodeJpeg(picture, 95));
    const OwnedHandle data = HandleWith(temp.ReadFile("blocks.jpeg"));

    const GX::Image image(LocationOf("blocks.jpeg"));
    EXPECT_EQ(image.GetStatus(), NoError);
    EXPECT_EQ(FirstMimeOf(image.GetTypeID()), "image/jpeg");
    EXPECT_EQ(image.GetWidth(false), 2 * BlockSize);
    EXPECT_EQ(image.GetHeight(true), 2 * BlockSize);

    GSPixMap** decoded = nullptr;
    ASSERT_EQ(GX::ImageBase::ConvertToPixMap(data.get(), decoded, TypeOfMime("image/jpeg"), 0), NoError);
    const OwnedPixMap owned(decoded);
    const std::vector<UInt8> pixels = PackedPixelsOf(decoded);
    ASSERT_EQ(pixels.size(), picture.argb.size());
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        const int x = static_cast<int>(i / 4) % picture.width;
        const int y = static_cast<int>(i / 4) / picture.width;
        EXPECT_EQ(pixels[i], 255) << "pixel " << x << "," << y << " is opaque";
        for (int c = 1; c < 4 && IsBlockInterior(x, y); ++c)
            EXPECT_NEAR(pixels[i + c], picture.argb[i + c], 8) << "pixel " << x << "," << y << " channel " << c;
    }
}

TEST_F(GXImageTest, DamagedOrUnsupportedBytesAreReportedAndGiveNoPixelMap)
{
    const std::string png = TestPictures::EncodePng(TestPictures::MakeGradient(4, 4, false));
    const std::string jpeg = TestPictures::EncodeJpeg(TestPictures::MakeColourBlocks(BlockSize), 80);
    struct Case {
        const char* name;
        std::string bytes;
        GSErrCode expected;
    };
    const Case cases[] = {
        {"PNG signature then rubbish", png.substr(0, 8) + std::string(64, 'x'), GX::BadImageErr},
        {"PNG cut short", png.substr(0, png.size() / 2), GX::BadImageErr},
        {"JPEG start then rubbish", jpeg.substr(0, 3) + std::string(64, 'x'), GX::BadImageErr},
        {"GIF", "GIF89a" + std::string(32, '\0'), GX::NotSupportedErr},
        {"text", "hello", GX::NotSupportedErr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OwnedHandle data = HandleWith(c.bytes);
        GSPixMap** decoded = nullptr;
        EXPECT_EQ(GX::ImageBase::ConvertToPixMap(data.get(), decoded, FTM::UnknownType, 4), c.expected);
        EXPECT_EQ(decoded, nullptr);
    }
}

TEST_F(GXImageTest, ConversionRefusesBadArgumentsAndKeepsTheCallersPixelMap)
{
    const OwnedHandle data = HandleWith(TestPictures::EncodePng(TestPictures::MakeGradient(2, 2, false)));
    OwnedPixMap existing(GXCreateGSPixMap(1, 1, 72, 72, 0));
    GSPixMap** pixMap = existing.get();
    EXPECT_EQ(GX::ImageBase::ConvertToPixMap(data.get(), pixMap, FTM::UnknownType, 4), GX::BadParameterErr);
    EXPECT_EQ(pixMap, existing.get());

    GSPixMap** none = nullptr;
    EXPECT_EQ(GX::ImageBase::ConvertToPixMap(nullptr, none, FTM::UnknownType, 4), GX::BadParameterErr);
    EXPECT_EQ(GX::ImageBase::ConvertToPixMap(data.get(), none, FTM::UnknownType, 24), GX::NotSupportedErr);
    EXPECT_EQ(none, nullptr);
}

TEST_F(GXImageTest, DecodeFailuresCanBePlanned)
{
    temp.WriteFile("a.png", TestPictures::EncodePng(TestPictures::MakeGradient(2, 2, false)));
    const OwnedHandle data = HandleWith(temp.ReadFile("a.png"));

    HostControl::InjectError("GX::Image::Decode", -5555, 0, 1);
    const GX::Image failed(LocationOf("a.png"));
    EXPECT_EQ(failed.GetStatus(), -5555);
    EXPECT_EQ(FirstMimeOf(failed.GetTypeID()), "image/png");
    EXPECT_EQ(failed.GetWidth(false), 0);

    HostControl::InjectError("GX::Image::Decode", -5556, 0, 1);
    GSPixMap** decoded = nullptr;
    EXPECT_EQ(GX::ImageBase::ConvertToPixMap(data.get(), decoded, FTM::UnknownType, 4), -5556);
    EXPECT_EQ(decoded, nullptr);

    HostControl::InjectError("IO::File::ReadBin", IO::GeneralIOErr, 0, 1);
    EXPECT_EQ(GX::Image(LocationOf("a.png")).GetStatus(), IO::GeneralIOErr);

    HostControl::Inject("GX::Image::Decode", HostControl::Failure{HostControl::Failure::Kind::HostException, -7, 0, 1});
    EXPECT_THROW(GX::Image{LocationOf("a.png")}, GS::GSException);
    EXPECT_EQ(GX::Image(LocationOf("a.png")).GetStatus(), NoError);
}

// ---- Encoding -------------------------------------------------------------------------------------

TEST_F(GXImageTest, JpegFromPixelMapDecodesToTheSameSizeAndColours)
{
    const ArgbPicture picture = TestPictures::MakeColourBlocks(BlockSize);
    const OwnedPixMap pixMap = PixMapWith(picture);
    GX::ImageSaveOptions options;
    options.SetPixelBits(24);
    options.SetQuality(9000);

    GSHandle data = nullptr;
    ASSERT_EQ(GX::ImageBase::ConvertFromPixMap(pixMap.get(), TypeOfMime("image/jpeg"), data, options), NoError);
    const OwnedHandle owned(data);
    const TestPictures::DecodedJpeg decoded = TestPictures::DecodeJpeg(BytesOf(data));
    ExpectBlockColours(decoded, picture, 10);
    EXPECT_EQ(decoded.lumaQuantTable, TestPictures::LumaQuantTableFor(90));
}

TEST_F(GXImageTest, EncoderQualityIsHundredthsOfAPercent)
{
    struct Case {
        Int32 quality;
        int jpegQuality;  // 0: refused
    };
    const Case cases[] = {{9000, 90}, {5049, 50}, {5050, 51}, {100, 1}, {0, 1}, {10000, 100}, {-1, 0}, {10001, 0}};
    const OwnedPixMap pixMap = PixMapWith(TestPictures::MakeGradient(8, 8, false));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quality);
        GX::ImageSaveOptions options;
        options.SetQuality(c.quality);
        GSHandle data = nullptr;
        const GSErrCode result = GX::ImageBase::ConvertFromPixMap(pixMap.get(), TypeOfMime("image/jpeg"), data, options);
        const OwnedHandle owned(data);
        if (c.jpegQuality == 0) {
            EXPECT_EQ(result, GX::BadParameterErr);
            EXPECT_EQ(data, nullptr);
        } else {
            ASSERT_EQ(result, NoError);
            EXPECT_EQ(TestPictures::DecodeJpeg(BytesOf(data)).lumaQuantTable,
                      TestPictures::LumaQuantTableFor(c.jpegQuality));
        }
    }
}

TEST_F(GXImageTest, EncodingReusesTheCallersHandleAndLeavesItOnFailure)
{
    const OwnedPixMap pixMap = PixMapWith(TestPictures::MakeGradient(5, 3, false));
    const GX::ImageSaveOptions options;
    GSHandle data = BMAllocateHandle(3, 0, 0);
    std::memcpy(*data, "old", 3);

    EXPECT_EQ(GX::ImageBase::ConvertFromPixMap(pixMap.get(), TypeOfMime("image/png"), data, options),
              GX::NotSupportedErr);
    EXPECT_EQ(GX::ImageBase::ConvertFromPixMap(nullptr, TypeOfMime("image/jpeg"), data, options), GX::BadParameterErr);
    EXPECT_EQ(GX::ImageBase::ConvertFromPixMap(pixMap.get(), FTM::UnknownType, data, options), GX::NotSupportedErr);
    GX::ImageSaveOptions sixteenBits;
    sixteenBits.SetPixelBits(16);
    EXPECT_EQ(GX::ImageBase::ConvertFromPixMap(pixMap.get(), TypeOfMime("image/jpeg"), data, sixteenBits),
              GX::NotSupportedErr);
    HostControl::InjectError("GX::Image::Encode", -6000, 0, 1);
    EXPECT_EQ(GX::ImageBase::ConvertFromPixMap(pixMap.get(), TypeOfMime("image/jpeg"), data, options), -6000);
    EXPECT_EQ(BytesOf(data), "old");

    ASSERT_EQ(GX::ImageBase::ConvertFromPixMap(pixMap.get(), TypeOfMime("image/jpeg"), data, options), NoError);
    const TestPictures::DecodedJpeg decoded = TestPictures::DecodeJpeg(BytesOf(data));
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, 5);
    BMKillHandle(&data);
}

TEST_F(GXImageTest, ImageFromPixelMapCopiesItAndWritesAJpegFile)
{
    const ArgbPicture picture = TestPictures::MakeColourBlocks(BlockSize);
    OwnedPixMap pixMap = PixMapWith(picture);
    const GX::Image image(pixMap.get());
    pixMap.reset();  // the picture keeps a copy of its own

    EXPECT_EQ(image.GetStatus(), NoError);
    EXPECT_EQ(image.GetTypeID(), FTM::UnknownType);
    EXPECT_EQ(image.GetWidth(false), 2 * BlockSize);
    GX::ImageSaveOptions options;
    options.SetQuality(9500);
    ASSERT_EQ(image.WriteToFile(LocationOf("out.jpg"), TypeOfMime("image/jpeg"), options), NoError);
    ExpectBlockColours(TestPictures::DecodeJpeg(temp.ReadFile("out.jpg")), picture, 8);

    OwnedPixMap hiRes(GXCreateGSPixMap(30, 20, 144, 36, 0));
    const GX::Image fine(hiRes.get());
    EXPECT_EQ(fine.GetWidth(true), 15);
    EXPECT_EQ(fine.GetHeight(true), 40);

    const GX::Image empty(static_cast<GSPixMap**>(nullptr));
    EXPECT_EQ(empty.GetStatus(), GX::BadParameterErr);
    EXPECT_EQ(empty.WriteToFile(LocationOf("none.jpg"), TypeOfMime("image/jpeg"), options), GX::BadParameterErr);
    EXPECT_FALSE(temp.Exists("none.jpg"));
}

TEST_F(GXImageTest, WriteFailuresCanBePlanned)
{
    const OwnedPixMap pixMap = PixMapWith(TestPictures::MakeGradient(4, 4, false));
    const GX::Image image(pixMap.get());
    const GX::ImageSaveOptions options;
    const FTM::TypeID jpeg = TypeOfMime("image/jpeg");
    struct Case {
        const char* point;
        GSErrCode code;
    };
    const Case cases[] = {
        {"GX::Image::WriteToFile", -7001},
        {"GX::Image::Encode", -7002},
        {"IO::File::Open", IO::AccessDeniedErr},
        {"IO::File::WriteBin", IO::DiskFullErr},
        {"IO::File::Close", IO::GeneralIOErr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        HostControl::InjectError(c.point, c.code, 0, 1);
        EXPECT_EQ(image.WriteToFile(LocationOf("planned.jpg"), jpeg, options), c.code);
        HostControl::ClearFailures();
    }
    EXPECT_EQ(image.WriteToFile(LocationOf("no-folder/x.jpg"), jpeg, options), IO::NotFoundErr);
}

}  // namespace
