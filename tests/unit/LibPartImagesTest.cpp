// Pictures written into the library part being built: the section calls the host receives and the
// bytes of every section, for pictures told by their bytes and by their extension.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ACAPinc.h"
#include "BM.hpp"
#include "LibPartImages.hpp"
#include "LogHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"
#include "common/TestPictures.hpp"

namespace {

struct Section {
    Int32 type = 0;
    UInt16 subIdent = 0;
    std::string data;
    bool ended = false;
};

class LibPartImagesTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        liveBlocks = BMLiveBlockCount();
        SetLogSink([this](LogLevel, const char* message) { logged.emplace_back(message); });
        Host().ACAPI_LibraryPart_NewSection = [this](const API_LibPartSection* section) {
            sections.push_back(Section{section->sectType, section->subIdent, "", false});
            return NoError;
        };
        Host().ACAPI_LibraryPart_WriteSection = [this](Int32 byteCount, char* data) {
            if (sections.empty() || sections.back().ended)
                return APIERR_GENERAL;
            sections.back().data.append(data, static_cast<std::size_t>(byteCount));
            return NoError;
        };
        Host().ACAPI_LibraryPart_EndSection = [this]() {
            if (sections.empty() || sections.back().ended)
                return APIERR_GENERAL;
            sections.back().ended = true;
            return NoError;
        };
        Host().ACAPI_LibraryPart_AddSection = [this](const API_LibPartSection* section, GSHandle handle,
                                                      GS::UniString*) {
            sections.push_back(Section{section->sectType, section->subIdent,
                                       std::string(*handle, static_cast<std::size_t>(BMGetHandleSize(handle))),
                                       true});
            return addSectionResult;
        };
    }
    void TearDown() override
    {
        SetLogSink(nullptr);
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        HostTest::TearDown();
    }

    IO::Location LocationOf(const std::string& name) const { return IO::Location(temp.PathOf(name).c_str()); }
    IO::Location Folder() const { return IO::Location(temp.Path().c_str()); }

    std::string Jpeg() const { return TestPictures::EncodeJpeg(TestPictures::MakeGradient(8, 4, false), 90); }

    TemporaryFolder temp;
    std::vector<Section> sections;
    std::vector<std::string> logged;
    GSErrCode addSectionResult = NoError;
    Int64 liveBlocks = 0;
};

// A section the host refuses is no picture: the answer is false, a refused start gets nothing more,
// and a started section is ended whatever else was refused.
TEST_F(LibPartImagesTest, AddImageAnswersFalseWhenTheHostRefusesTheSection)
{
    temp.WriteFile("photo.jpg", Jpeg());
    struct Case {
        const char* point;
        GSErrCode code;
        std::size_t writes;
        std::size_t ends;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"ACAPI_LibraryPart_NewSection", APIERR_REFUSEDCMD, 0, 0,
         "Error: Cannot start Libpart Section: #APIERR_REFUSEDCMD"},
        {"ACAPI_LibraryPart_WriteSection", APIERR_MEMFULL, 1, 1, "Error: Cannot write Libpart Section: #APIERR_MEMFULL"},
        {"ACAPI_LibraryPart_EndSection", APIERR_REFUSEDCMD, 1, 1, "Error: Cannot end Libpart Section: #APIERR_REFUSEDCMD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        HostControl::ResetAll();
        HostControl::InjectError(c.point, c.code);
        logged.clear();
        sections.clear();
        EXPECT_FALSE(AddImage(7, GdlPictureSection, LocationOf("photo.jpg")));
        EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_NewSection"), 1u);
        EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_WriteSection"), c.writes);
        EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_EndSection"), c.ends);
        EXPECT_EQ(logged, std::vector<std::string>{c.message});
    }
}

// Each way AddGdlImage fails, with the line it logs and the code it answers.
TEST_F(LibPartImagesTest, AddGdlImageLogsWhatFailed)
{
    temp.WriteFile("door.jpg", Jpeg());
    struct Case {
        const char* title;
        const char* point;  // a failure planned for it, or null
        GSErrCode code;
        std::function<GSErrCode()> call;
        GSErrCode expected;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"the add-on's own location cannot be read", "ACAPI_GetOwnLocation", APIERR_NOTSUPPORTED,
         [] { return AddGdlImage(3, "door.jpg"); }, APIERR_NOTSUPPORTED,
         {"Error: not found API location #APIERR_NOTSUPPORTED"}},
        {"no such picture beside the add-on", nullptr, NoError, [] { return AddGdlImage(3, "window.jpg"); },
         APIERR_GENERAL, {"Error: image is missing: 'window.jpg'"}},
        {"no such picture in the folder", nullptr, NoError,
         [this] { return AddGdlImage(3, "window.jpg", Folder()); }, APIERR_GENERAL,
         {"Error: image is missing: 'window.jpg'"}},
        {"no library part is being built", "ACAPI_LibraryPart_NewSection", APIERR_REFUSEDCMD,
         [this] { return AddGdlImage(3, "door.jpg", Folder()); }, APIERR_GENERAL,
         {"Error: Cannot start Libpart Section: #APIERR_REFUSEDCMD", "Error: Cannot attach picture: 'door.jpg'"}},
        {"the picture's bytes are refused", "ACAPI_LibraryPart_WriteSection", APIERR_MEMFULL,
         [this] { return AddGdlImage(3, "door.jpg", Folder()); }, APIERR_GENERAL,
         {"Error: Cannot write Libpart Section: #APIERR_MEMFULL", "Error: Cannot attach picture: 'door.jpg'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        HostControl::ResetAll();
        if (c.point != nullptr)
            HostControl::InjectError(c.point, c.code);
        logged.clear();
        EXPECT_EQ(c.call(), c.expected);
        EXPECT_EQ(logged, c.messages);
    }
}

TEST_F(LibPartImagesTest, GetImageMimeNamesTheFirstMimeOfThePictureType)
{
    temp.WriteFile("photo.bin", Jpeg());
    temp.WriteFile("picture.png", TestPictures::EncodePng(TestPictures::MakeGradient(4, 4, true)));
    temp.WriteFile("painting.pntg", "not really a picture");
    temp.WriteFile("notes.txt", "plain text");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"photo.bin", "image/jpeg"},
        {"picture.png", "image/png"},
        {"painting.pntg", "image/x-macpaint"},
        {"notes.txt", ""},
        {"missing.png", ""},
    };
    for (const auto& [name, mime] : cases)
        EXPECT_EQ(GetImageMime(LocationOf(name)).ToCStr().Get(), mime) << name;
}

TEST_F(LibPartImagesTest, AddImageWritesTheMimeTextThenTheWholeFile)
{
    const std::string jpeg = Jpeg();
    temp.WriteFile("photo.jpg", jpeg);
    temp.WriteFile("painting.pntg", "paint");
    temp.WriteFile("empty.jpg", "");
    struct Case {
        std::string name;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"photo.jpg", std::string("image/jpeg\0", 11) + jpeg},
        {"painting.pntg", std::string("image/x-macpaint\0paint", 22)},
        {"empty.jpg", std::string("\0", 1)},
    };
    for (const Case& c : cases) {
        sections.clear();
        EXPECT_TRUE(AddImage(0x12345, GdlPictureSection, LocationOf(c.name))) << c.name;
        ASSERT_EQ(sections.size(), 1u) << c.name;
        EXPECT_EQ(sections[0].type, static_cast<Int32>(0x47444C50)) << c.name;
        EXPECT_EQ(sections[0].subIdent, 0x2345) << c.name << ": only the low 16 bits";
        EXPECT_EQ(sections[0].data, c.expected) << c.name;
        EXPECT_TRUE(sections[0].ended) << c.name;
    }
    EXPECT_EQ(sections.size(), 1u);
}

TEST_F(LibPartImagesTest, AddImageOfAnUnreadableFileEndsAnEmptySection)
{
    temp.WriteFile("photo.jpg", Jpeg());
    struct Case {
        const char* name;
        const char* failurePoint;
    };
    const std::vector<Case> cases = {
        {"missing.jpg", nullptr},
        {"photo.jpg", "IO::File::GetDataLength"},
        {"photo.jpg", "IO::File::ReadBin"},
        {"photo.jpg", "BM::Allocate"},
    };
    for (const Case& c : cases) {
        HostControl::ClearFailures();
        if (c.failurePoint != nullptr)
            HostControl::InjectError(c.failurePoint, -36);
        sections.clear();
        EXPECT_FALSE(AddImage(7, GdlPictureSection, LocationOf(c.name))) << c.failurePoint;
        ASSERT_EQ(sections.size(), 1u);
        EXPECT_TRUE(sections[0].data.empty()) << c.failurePoint << ": no damaged picture is written";
        EXPECT_TRUE(sections[0].ended);
    }
}

TEST_F(LibPartImagesTest, AddGdlImageFindsTheFileInTheFolder)
{
    const std::string jpeg = Jpeg();
    temp.WriteFile("door.jpg", jpeg);
    EXPECT_EQ(AddGdlImage(3, "door.jpg", Folder()), NoError);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].subIdent, 3);
    EXPECT_EQ(sections[0].data, std::string("image/jpeg\0", 11) + jpeg);
    EXPECT_TRUE(logged.empty());
}

TEST_F(LibPartImagesTest, AddGdlImageOfAMissingFileLeavesTheLibraryPartAlone)
{
    EXPECT_EQ(AddGdlImage(3, "window.jpg", Folder()), APIERR_GENERAL);
    EXPECT_EQ(AddGdlImage(3, nullptr, Folder()), APIERR_GENERAL);
    // Beside the add-on there is no such resource folder either.
    EXPECT_EQ(AddGdlImage(3, "window.jpg"), APIERR_GENERAL);
    EXPECT_TRUE(sections.empty());
    EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_NewSection"), 0u);
}

TEST_F(LibPartImagesTest, AddGdlImageReportsAFileItCannotRead)
{
    temp.WriteFile("door.jpg", Jpeg());
    HostControl::InjectError("IO::File::ReadBin", -36);
    EXPECT_EQ(AddGdlImage(3, "door.jpg", Folder()), APIERR_GENERAL);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_TRUE(sections[0].ended);
}

TEST_F(LibPartImagesTest, SetPreviewPictureAddsOneSectionWithAShortMime)
{
    const std::string jpeg = Jpeg();
    temp.WriteFile("preview.jpg", jpeg);
    temp.WriteFile("preview.pntg", "paint");
    temp.WriteFile("preview.txt", "text");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"preview.jpg", std::string("image/jpeg\0", 11) + jpeg},
        {"preview.pntg", std::string("image/x-macpain\0paint", 21)},
        {"preview.txt", std::string("\0text", 5)},
    };
    for (const auto& [name, expected] : cases) {
        sections.clear();
        EXPECT_EQ(SetPreviewPicture(LocationOf(name)), NoError) << name;
        ASSERT_EQ(sections.size(), 1u) << name;
        EXPECT_EQ(sections[0].type, static_cast<Int32>(0x47494646)) << name;
        EXPECT_EQ(sections[0].subIdent, 0) << name;
        EXPECT_EQ(sections[0].data, expected) << name;
    }
    EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_NewSection"), 0u);
}

TEST_F(LibPartImagesTest, SetPreviewPictureTurnsEveryFailureIntoAGeneralError)
{
    temp.WriteFile("preview.jpg", Jpeg());
    struct Case {
        const char* name;
        const char* failurePoint;
        GSErrCode addSection;
    };
    const std::vector<Case> cases = {
        {"missing.jpg", nullptr, NoError},
        {"preview.jpg", "IO::File::GetDataLength", NoError},
        {"preview.jpg", "BM::Allocate", NoError},
        {"preview.jpg", "IO::File::Open", NoError},
        {"preview.jpg", "IO::File::ReadBin", NoError},
        {"preview.jpg", nullptr, APIERR_BADPARS},
    };
    for (const Case& c : cases) {
        HostControl::ClearFailures();
        if (c.failurePoint != nullptr)
            HostControl::InjectError(c.failurePoint, -36);
        addSectionResult = c.addSection;
        logged.clear();
        sections.clear();
        EXPECT_EQ(SetPreviewPicture(LocationOf(c.name)), APIERR_GENERAL) << c.name << " " << c.failurePoint;
        EXPECT_EQ(logged, std::vector<std::string>{"Error: while attaching preview picture!"}) << c.failurePoint;
        EXPECT_EQ(sections.size(), c.addSection == NoError ? 0u : 1u) << c.failurePoint;
    }
}

}  // namespace
