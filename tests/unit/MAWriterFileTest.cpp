// How the writer treats the file system: the temporary file beside the target, the target replaced
// only by Finish, construction failures, and write errors that fail the export.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

#include "GSException.hpp"
#include "HostControl.hpp"
#include "IOErrors.hpp"
#include "MAWriterTest.hpp"

namespace {

using MAWriterFileTest = MAWriterTest;

// Enough points to fill the writer's 1 MiB buffer more than twice.
constexpr int PointsOverTwoBuffers = 100000;  // 2.4 MB

std::size_t EntryCount(const std::string& folder)
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++count;
    }
    return count;
}

TEST_F(MAWriterFileTest, TargetIsUntouchedUntilFinishPutsTheTemporaryFileThere)
{
    temp.WriteFile(TargetName, "previous export");
    auto writer = MakeWriter();
    EXPECT_EQ(writer->TemporaryLocation().ToUtf8Path(), temp.PathOf(TemporaryName()));
    EXPECT_TRUE(temp.Exists(TemporaryName()));

    writer->WriteHeader("House", "Proj");
    for (int i = 0; i < PointsOverTwoBuffers; ++i)
        writer->WritePoint(i, i, i);
    EXPECT_EQ(temp.ReadFile(TargetName), "previous export");

    writer->Finish();
    EXPECT_TRUE(writer->IsFinished());
    EXPECT_FALSE(temp.Exists(TemporaryName()));
    EXPECT_GT(temp.ReadFile(TargetName).size(), std::size_t(24) * PointsOverTwoBuffers);
    writer->Finish();  // a second Finish changes nothing
    writer.reset();
    EXPECT_TRUE(temp.Exists(TargetName));
    EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

TEST_F(MAWriterFileTest, WriterDestroyedWithoutFinishLeavesTheFolderAsItWas)
{
    struct Case {
        const char* label;
        bool existingTarget;
    };
    for (const Case& c : {Case{"existing target", true}, Case{"no target", false}}) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(temp.PathOf(TargetName));
        if (c.existingTarget)
            temp.WriteFile(TargetName, "previous export");
        {
            auto writer = MakeWriter();
            writer->WriteHeader("House", "Proj");
            for (int i = 0; i < PointsOverTwoBuffers; ++i)
                writer->WritePoint(i, i, i);
        }
        EXPECT_FALSE(temp.Exists(TemporaryName()));
        EXPECT_EQ(temp.Exists(TargetName), c.existingTarget);
        if (c.existingTarget) {
            EXPECT_EQ(temp.ReadFile(TargetName), "previous export");
        }
    }
}

TEST_F(MAWriterFileTest, StaleTemporaryFileOrLinkIsReplacedWithoutWritingThroughTheLink)
{
    temp.WriteFile("outside.txt", "keep me");
    ASSERT_EQ(::symlink(temp.PathOf("outside.txt").c_str(), temp.PathOf(TemporaryName()).c_str()), 0);
    {
        auto writer = MakeWriter();
        writer->WriteInt32(7);
        EXPECT_EQ(FinishAndRead(*writer), B({7, 0, 0, 0}));
    }
    EXPECT_EQ(temp.ReadFile("outside.txt"), "keep me");

    temp.WriteFile(TemporaryName(), "left by an export that ended abruptly");
    auto writer = MakeWriter();
    writer->WriteInt32(8);
    EXPECT_EQ(FinishAndRead(*writer), B({8, 0, 0, 0}));
}

TEST_F(MAWriterFileTest, LongTargetNameGivesALegalTemporaryNameCutAtACharacterBoundary)
{
    std::string longName;
    while (longName.size() + 2 <= 249)
        longName += "\xC3\xA9";
    longName += ".Zelto";  // 254 bytes
    target = IO::Location(temp.PathOf(longName).c_str());
    auto writer = MakeWriter();
    IO::Name temporaryName;
    ASSERT_EQ(writer->TemporaryLocation().GetLastLocalName(&temporaryName), NoError);
    const std::string name = temporaryName.ToUtf8();
    EXPECT_TRUE(temporaryName.IsLegal());
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.front(), '.');
    EXPECT_EQ(name.substr(name.size() - 14), ".zelto-partial");
    EXPECT_NE(static_cast<unsigned char>(name[name.size() - 15]) & 0xC0, 0xC0u);  // no lead byte left alone
    writer->WriteInt32(1);
    writer->Finish();
    EXPECT_EQ(temp.ReadFile(longName), B({1, 0, 0, 0}));
}

TEST_F(MAWriterFileTest, ConstructionFailuresKeepTheirCodesAndLeaveNothingBehind)
{
    struct Case {
        const char* label;
        std::function<void()> arrange;
        bool withModel;
        bool withParameters;
        GSErrCode code;
    };
    const Case cases[] = {
        {"no model", [] {}, false, true, -50},
        {"no settings record", [] {}, true, false, -50},
        {"no file location", [this] { io.fileLoc = nullptr; }, true, true, -108},
        {"target is a folder",
         [this] { std::filesystem::create_directory(temp.PathOf(TargetName)); }, true, true, -108},
        {"folder missing", [this] { target = IO::Location(temp.PathOf("missing/House.Zelto").c_str()); }, true,
         true, -108},
        {"file cannot be made", [] { HostControl::InjectError("IO::File::Create", IO::DiskFullErr); }, true, true,
         -108},
        {"file cannot be opened", [] { HostControl::InjectError("IO::File::Open", IO::AccessDeniedErr); }, true,
         true, -108},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
        c.arrange();
        const std::size_t entriesBefore = EntryCount(temp.Path());
        try {
            WRL::MAWriter writer(io, c.withParameters ? parameters.get() : nullptr, c.withModel ? &model : nullptr);
            ADD_FAILURE() << "the writer was made";
        } catch (const GS::NullPointerException& failure) {
            EXPECT_EQ(c.code, -50);
            EXPECT_EQ(failure.GetErrorCode(), -50);
        } catch (const GS::OutOfMemoryException& failure) {
            EXPECT_EQ(c.code, -108);
            EXPECT_EQ(failure.GetErrorCode(), -108);
        }
        EXPECT_EQ(EntryCount(temp.Path()), entriesBefore);
        EXPECT_FALSE(temp.Exists(TemporaryName()));
        HostControl::ClearFailures();
        std::filesystem::remove_all(temp.PathOf(TargetName));
    }
}

TEST_F(MAWriterFileTest, WriteErrorsFailTheExportAndKeepThePreviousFile)
{
    struct Case {
        const char* label;
        const char* point;
        int skip;
        int points;          // points written before Finish
        bool failsInWrites;  // the error comes from a write that empties the full buffer
    };
    const Case cases[] = {
        {"write at Finish", "IO::File::WriteBin", 0, 10, false},
        {"write of a full buffer", "IO::File::WriteBin", 0, PointsOverTwoBuffers, true},
        {"write of the second block", "IO::File::WriteBin", 1, PointsOverTwoBuffers, true},
        {"write of the last block", "IO::File::WriteBin", 2, PointsOverTwoBuffers, false},
        {"flush to disk", "IO::File::Flush", 0, 10, false},
        {"close", "IO::File::Close", 0, 10, false},
        {"rename over the target", "IO::fileSystem::Rename", 0, 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        temp.WriteFile(TargetName, "previous export");
        HostControl::InjectError(c.point, IO::DiskFullErr, c.skip);
        bool failed = false;
        bool failedInWrites = false;
        {
            auto writer = MakeWriter();
            try {
                for (int i = 0; i < c.points; ++i)
                    writer->WritePoint(i, i, i);
            } catch (const GS::GeneralException& failure) {
                failed = failedInWrites = true;
                EXPECT_EQ(failure.GetErrorCode(), -7003);
            }
            if (!failed) {
                try {
                    writer->Finish();
                } catch (const GS::GeneralException& failure) {
                    failed = true;
                    EXPECT_EQ(failure.GetErrorCode(), -7003);
                }
            }
            EXPECT_FALSE(writer->IsFinished());
        }
        EXPECT_TRUE(failed);
        EXPECT_EQ(failedInWrites, c.failsInWrites);
        EXPECT_EQ(temp.ReadFile(TargetName), "previous export");
        EXPECT_FALSE(temp.Exists(TemporaryName()));
        HostControl::ClearFailures();
    }
}

TEST_F(MAWriterFileTest, ValuesReachTheFileInLargeBlocks)
{
    // Thousands of values, but the file is written in as many calls as 1 MiB blocks are filled
    // (here three): a failure planned for a fourth write never comes.
    HostControl::InjectError("IO::File::WriteBin", IO::DiskFullErr, 3);
    auto writer = MakeWriter();
    writer->WriteHeader("House", "Proj");
    for (int i = 0; i < PointsOverTwoBuffers; ++i)
        writer->WritePoint(i, i, i);
    EXPECT_NO_THROW(writer->Finish());
    EXPECT_TRUE(temp.Exists(TargetName));
}

}  // namespace
