// Host-level tests of exports: the module of the test's host API version loaded and started, the
// host's user data (preferences) in home/ and the exports in out/ of a fresh folder under /tmp,
// which goes with everything in it when the test ends. And the test side's own file access.
#ifndef TESTS_HOST_EXPORTFOLDERFIXTURE_HPP
#define TESTS_HOST_EXPORTFOLDERFIXTURE_HPP

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "DGScriptedUser.hpp"
#include "GSPrefHost.hpp"
#include "ModuleFixture.hpp"

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Names of the entries in a folder, sorted: what an export left there.
inline std::vector<std::string> EntriesOf(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ExportFolderTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        char folderTemplate[] = "/tmp/zelto-export-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        root = folderTemplate;
        std::filesystem::create_directories(Home());
        std::filesystem::create_directories(Out());
        GSPref::SetUserDataFolder(Home().string());
        DGScriptedUser::Reset();
        LoadModule();
        std::string error;
        ASSERT_EQ(host->RunStartupProtocol(&error), NoError) << error;
    }

    void TearDown() override
    {
        ModuleTest::TearDown();
        DGScriptedUser::Reset();
        GSPref::SetUserDataFolder("");
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path Home() const { return root / "home"; }
    std::filesystem::path Out() const { return root / "out"; }
    std::filesystem::path Target() const { return Out() / "House.Zelto"; }

    // The host's 3D save-as into the add-on's file type.
    GSErrCode SaveAs(const std::filesystem::path& target) { return host->SaveAs3D(IO::Location(target.c_str())); }

    std::filesystem::path root;
};

#endif
