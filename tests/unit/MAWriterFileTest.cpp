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
    IO::Name temporaryName;
    ASSERT_EQ(writer->TemporaryLocation().GetLastLocalName(&temporaryName), NoError);
    EXPECT_EQ(writer->TemporaryLocation().ToUtf8Path(), temp.PathOf(temporaryName.ToUtf8()));
    EXPECT_EQ(TemporaryNames(), std::vector<std::string>{temporaryName.ToUtf8()});
    EXPECT_EQ(temporaryName.ToUtf8().rfind(std::string(".") + TargetName + ".", 0), 0u) << temporaryName.ToUtf8();

    writer->WriteHeader("House", "Proj");
    for (int i = 0; i < PointsOverTwoBuffers; ++i)
        writer->WritePoint(i, i, i, "point");
    EXPECT_EQ(temp.ReadFile(TargetName), "previous export");

    writer->CloseFile();
    EXPECT_EQ(temp.ReadFile(TargetName), "previous export") << "a closed file is not yet published";
    writer->Publish();
    EXPECT_TRUE(writer->IsFinished());
    EXPECT_TRUE(TemporaryNames().empty());
    EXPECT_GT(temp.ReadFile(TargetName).size(), std::size_t(24) * PointsOverTwoBuffers);
    writer->Publish();  // a second Publish changes nothing
    writer.reset();
    EXPECT_TRUE(temp.Exists(TargetName));
    EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

TEST_F(MAWriterFileTest, WriterDestroyedWithoutFinishLeavesTheFolderAsItWas)
{
    struct Case {
        const char* label;
        bool existingTarget;
        bool closed;  // CloseFile ran, Publish did not
    };
    for (const Case& c : {Case{"existing target", true, false}, Case{"no target", false, false},
                          Case{"closed, not published", true, true}}) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(temp.PathOf(TargetName));
        if (c.existingTarget)
            temp.WriteFile(TargetName, "previous export");
        {
            auto writer = MakeWriter();
            writer->WriteHeader("House", "Proj");
            for (int i = 0; i < PointsOverTwoBuffers; ++i)
                writer->WritePoint(i, i, i, "point");
            if (c.closed)
                writer->CloseFile();
        }
        EXPECT_TRUE(TemporaryNames().empty());
        EXPECT_EQ(temp.Exists(TargetName), c.existingTarget);
        if (c.existingTarget) {
            EXPECT_EQ(temp.ReadFile(TargetName), "previous export");
        }
    }
}

TEST_F(MAWriterFileTest, EachWriterOwnsItsTemporaryFileAndPublishesOnlyIt)
{
    // Two exports to one target at once, as two hosts make them: neither removes or publishes the
    // other's file, and the target holds whichever was published last.
    temp.WriteFile(TargetName, "previous export");
    auto first = MakeWriter();
    auto second = MakeWriter();
    EXPECT_NE(first->TemporaryLocation(), second->TemporaryLocation());
    EXPECT_EQ(TemporaryNames().size(), 2u);
    first->WriteInt32(1);
    second->WriteInt32(2);

    second->Finish();
    EXPECT_EQ(temp.ReadFile(TargetName), B({2, 0, 0, 0}));
    first->Finish();
    EXPECT_EQ(temp.ReadFile(TargetName), B({1, 0, 0, 0}));

    auto failing = MakeWriter();
    auto succeeding = MakeWriter();
    succeeding->WriteInt32(3);
    failing.reset();  // its temporary file goes, the other one stays
    EXPECT_EQ(TemporaryNames(), std::vector<std::string>{
                                    succeeding->TemporaryLocation().ToUtf8Path().substr(temp.Path().size() + 1)});
    succeeding->Finish();
    EXPECT_EQ(temp.ReadFile(TargetName), B({3, 0, 0, 0}));
    EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

TEST_F(MAWriterFileTest, FilesNamedLikeTemporaryFilesAreNeverTouched)
{
    // Another export's file, one left by an export that ended abruptly, and a link: all are left as
    // they are, and nothing is written through the link.
    temp.WriteFile("outside.txt", "keep me");
    const std::string others[] = {std::string(".") + TargetName + ".zelto-partial",
                                  std::string(".") + TargetName + ".0123abcd.zelto-partial"};
    temp.WriteFile(others[0], "left by an export that ended abruptly");
    ASSERT_EQ(::symlink(temp.PathOf("outside.txt").c_str(), temp.PathOf(others[1]).c_str()), 0);
    {
        auto writer = MakeWriter();
        writer->WriteInt32(7);
        EXPECT_EQ(FinishAndRead(*writer), B({7, 0, 0, 0}));
    }
    EXPECT_EQ(temp.ReadFile("outside.txt"), "keep me");
    EXPECT_EQ(temp.ReadFile(others[0]), "left by an export that ended abruptly");
    EXPECT_EQ(TemporaryNames().size(), 2u);
}

TEST_F(MAWriterFileTest, LongTargetNamesGiveLegalTemporaryNamesThatNeverCollide)
{
    // Two names of 254 bytes that differ only past the part a temporary name keeps.
    std::string stem;
    while (stem.size() + 2 <= 246)
        stem += "\xC3\xA9";
    const std::string names[] = {stem + "-1.Zelto", stem + "-2.Zelto"};
    std::vector<std::unique_ptr<WRL::MAWriter>> writers;
    std::vector<IO::Location> targets(2);
    for (int i = 0; i < 2; ++i) {
        targets[i] = IO::Location(temp.PathOf(names[i]).c_str());
        io.fileLoc = &targets[i];
        writers.push_back(MakeWriter());
        IO::Name temporaryName;
        ASSERT_EQ(writers.back()->TemporaryLocation().GetLastLocalName(&temporaryName), NoError);
        const std::string name = temporaryName.ToUtf8();
        EXPECT_TRUE(temporaryName.IsLegal());
        EXPECT_LE(name.size(), 255u);
        EXPECT_EQ(name.front(), '.');
        EXPECT_EQ(name.substr(name.size() - 14), ".zelto-partial");
        const std::size_t cut = name.size() - 14 - 9;  // before ".<unique part>"
        EXPECT_NE(static_cast<unsigned char>(name[cut - 1]) & 0xC0, 0xC0u) << "no lead byte left alone";
    }
    EXPECT_NE(writers[0]->TemporaryLocation(), writers[1]->TemporaryLocation());
    for (int i = 0; i < 2; ++i) {
        writers[i]->WriteInt32(i + 1);
        writers[i]->Finish();
        EXPECT_EQ(temp.ReadFile(names[i]), B({i + 1, 0, 0, 0}));
    }
    EXPECT_TRUE(TemporaryNames().empty());
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
        {"file cannot be made", [] { HostControl::InjectError("IO::fileSystem::CreateFile", IO::DiskFullErr); },
         true, true, -108},
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
        EXPECT_TRUE(TemporaryNames().empty());
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
                    writer->WritePoint(i, i, i, "point");
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
        EXPECT_TRUE(TemporaryNames().empty());
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
        writer->WritePoint(i, i, i, "point");
    EXPECT_NO_THROW(writer->Finish());
    EXPECT_TRUE(temp.Exists(TargetName));
}

}  // namespace
