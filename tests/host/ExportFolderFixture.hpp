// Host-level tests of exports: the module of the test's host API version loaded and started, the
// host's user data (preferences) in home/ and the exports in out/ of a fresh folder under /tmp,
// which goes with everything in it when the test ends.
#ifndef TESTS_HOST_EXPORTFOLDERFIXTURE_HPP
#define TESTS_HOST_EXPORTFOLDERFIXTURE_HPP

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "DGScriptedUser.hpp"
#include "GSPrefHost.hpp"
#include "HostTestFiles.hpp"
#include "ModuleFixture.hpp"

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
