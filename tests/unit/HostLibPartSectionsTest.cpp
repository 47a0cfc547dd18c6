// The stand-in host's library-part sections: a library part built section by section through the
// host calls, read back by list and by section, and the order those calls must keep.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BM.hpp"
#include "HostProject.hpp"
#include "LibPartWrappers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

API_LibPartSection Header(Int32 type, UInt16 subIdent = 0)
{
    API_LibPartSection section;
    std::memset(&section, 0, sizeof section);
    section.sectType = type;
    section.subIdent = subIdent;
    return section;
}

API_LibPart NewRecord()
{
    API_LibPart record;
    std::memset(&record, 0, sizeof record);
    record.typeID = 5;
    std::strcpy(record.ownUnID, "{LAMP-1}");
    return record;
}

class HostLibPartSectionsTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallProject(project);
        liveBlocks = BMLiveBlockCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        HostTest::TearDown();
    }

    ZeltoHost::HostProject project;
    Int64 liveBlocks = 0;
};

TEST_F(HostLibPartSectionsTest, APartBuiltSectionBySectionIsReadBack)
{
    API_LibPart record = NewRecord();
    ASSERT_EQ(LibPart::Create(&record), NoError);
    API_LibPartSection text = Header('CTXT');
    ASSERT_EQ(LibPart::NewSection(&text), NoError);
    char first[] = "one ";
    char second[] = "two";
    EXPECT_EQ(LibPart::WriteSection(4, first), NoError);
    EXPECT_EQ(LibPart::WriteSection(3, second), NoError);
    EXPECT_EQ(LibPart::EndSection(), NoError);
    GSHandle bytes = BMAllocateHandle(3, 0, 0);
    std::memcpy(*bytes, "a\0b", 3);
    API_LibPartSection picture = Header('GDLP', 7);
    EXPECT_EQ(LibPart::AddSection(&picture, bytes, nullptr), NoError);
    BMKillHandle(&bytes);
    API_LibPart saved = NewRecord();
    ASSERT_EQ(LibPart::Save(&saved), NoError);
    EXPECT_EQ(saved.index, 1);
    ASSERT_NE(project.FindLibPart(1), nullptr);
    EXPECT_EQ(project.FindLibPart(1)->ownUnID, "{LAMP-1}");
    EXPECT_EQ(project.FindLibPart(1)->typeID, 5);

    Int32 count = 0;
    API_LibPartSection** list = nullptr;
    ASSERT_EQ(LibPart::GetSectionList(1, &count, &list), NoError);
    ASSERT_EQ(count, 2);
    EXPECT_EQ((*list)[0].sectType, 'CTXT');
    EXPECT_EQ((*list)[1].sectType, 'GDLP');
    EXPECT_EQ((*list)[1].subIdent, 7);
    GSHandle listBytes = reinterpret_cast<GSHandle>(list);
    BMKillHandle(&listBytes);

    API_LibPartSection wanted = Header('GDLP', 7);
    GSHandle content = nullptr;
    GS::UniString asText;
    ASSERT_EQ(LibPart::GetSection(1, &wanted, &content, &asText, nullptr), NoError);
    EXPECT_EQ(std::string(*content, static_cast<std::size_t>(BMGetHandleSize(content))), std::string("a\0b", 3));
    EXPECT_EQ(asText.ToUtf8(), "a");
    BMKillHandle(&content);
    wanted = Header('CTXT');
    ASSERT_EQ(LibPart::GetSection(1, &wanted, nullptr, &asText, nullptr), NoError);
    EXPECT_EQ(asText.ToUtf8(), "one two");

    struct Missing {
        Int32 index;
        API_LibPartSection section;
        GSErrCode code;
    };
    for (Missing m : {Missing{1, Header('GDLP', 6), APIERR_NOLIBSECT}, Missing{2, Header('CTXT'), APIERR_BADINDEX}}) {
        content = nullptr;
        EXPECT_EQ(LibPart::GetSection(m.index, &m.section, &content, nullptr, nullptr), m.code);
        EXPECT_EQ(content, nullptr);
    }
}

TEST_F(HostLibPartSectionsTest, CallsOutOfOrderAreRefusedAndChangeNothing)
{
    API_LibPart record = NewRecord();
    API_LibPartSection section = Header('3DSC');
    char data[] = "x";
    GS::UniString text("y");
    const std::function<GSErrCode()> create = [&] { return LibPart::Create(&record); };
    const std::function<GSErrCode()> open = [&] { return LibPart::NewSection(&section); };
    const std::function<GSErrCode()> write = [&] { return LibPart::WriteSection(1, data); };
    const std::function<GSErrCode()> end = [&] { return LibPart::EndSection(); };
    const std::function<GSErrCode()> add = [&] { return LibPart::AddSection(&section, nullptr, &text); };
    const std::function<GSErrCode()> save = [&] { return LibPart::Save(&record); };
    struct Case {
        const char* what;
        std::vector<std::function<GSErrCode()>> before;
        std::function<GSErrCode()> refused;
    };
    const std::vector<Case> cases = {
        {"a section before the part", {}, open},
        {"a write before the part", {}, write},
        {"a whole section before the part", {}, add},
        {"a save before the part", {}, save},
        {"a second part", {create}, create},
        {"a write outside a section", {create}, write},
        {"an end outside a section", {create}, end},
        {"a section inside a section", {create, open}, open},
        {"a whole section inside a section", {create, open}, add},
        {"a save inside a section", {create, open}, save},
        {"a write after the save", {create, open, end, save}, write},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        project.libPartBuilder = ZeltoHost::HostLibPartBuilder();
        project.libParts.clear();
        for (const auto& step : c.before)
            ASSERT_EQ(step(), NoError);
        const std::size_t sections = project.libPartBuilder.Sections().size();
        const std::size_t parts = project.libParts.size();
        EXPECT_EQ(c.refused(), APIERR_REFUSEDCMD);
        EXPECT_EQ(project.libPartBuilder.Sections().size(), sections);
        EXPECT_EQ(project.libParts.size(), parts);
    }
}

}  // namespace
