// The add-on protocol with every built module: the record, the glue's refusals before the host's
// table arrives, naming, registration and handler installation, and their failures.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ModuleFixture.hpp"

namespace {

constexpr UInt32 ZltTypeCode = 0x005A4C54;  // "ZLT" in the low three bytes
constexpr UInt32 GsacCreatorCode = 0x47534143;

std::string FirstDispatcherOf(const std::string& function)
{
    const auto calls = HostControl::TheRecorder().CallsOf(function);
    return calls.empty() ? "<no call>" : calls.front().dispatcher;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(AllModules, ModuleTest, ::testing::ValuesIn(BuiltModuleVersions()), VersionName);

TEST_P(ModuleTest, RecordNamesTheModulesHostVersion)
{
    LoadModule();
    const int version = GetParam();
    EXPECT_EQ(host->Exported().apiVersion, (version << 16) | 1);
    EXPECT_EQ(host->Exported().hostVersion, version * 1000);
    if (version == 28) {
        EXPECT_EQ(host->Exported().apiVersion, 0x001C0001);
        EXPECT_EQ(host->Exported().hostVersion, 28000);
    }
}

TEST_P(ModuleTest, HostOfAnotherVersionRefusesTheModule)
{
    const int otherVersion = GetParam() == 29 ? 28 : GetParam() + 1;
    ZeltoHost::HostApp otherHost(otherVersion);
    std::string error;
    EXPECT_FALSE(otherHost.Load(BuiltModulePath(GetParam()), &error));
    EXPECT_NE(error.find("another host API version"), std::string::npos) << error;
}

TEST_P(ModuleTest, EntryPointsRefuseBeforeTheHostTableArrives)
{
    LoadModule(false);
    EXPECT_EQ(host->CallCheckEnvironment(), APIAddon_Unknown);
    EXPECT_TRUE(host->Environment().addOnInfo.name.IsEmpty());
    EXPECT_EQ(host->CallRegisterInterface(), APIERR_GENERAL);
    EXPECT_EQ(host->CallInitialize(), APIERR_GENERAL);
    EXPECT_EQ(host->CallFreeData(), APIERR_GENERAL);
    EXPECT_TRUE(Recorder().calls.empty()) << "no add-on code may reach the host without its table";
}

TEST_P(ModuleTest, CheckEnvironmentNamesTheAddOnFromListItemsTwoAndFour)
{
    LoadModule();
    EXPECT_EQ(host->CallCheckEnvironment(), APIAddon_Normal);
    EXPECT_EQ(host->Environment().addOnInfo.name.ToUtf8(), "Zelto Exporter");
    EXPECT_EQ(host->Environment().addOnInfo.description.ToUtf8(),
              "Exports the 3D model with materials, textures, lights and cameras for Cinema 4D.");
}

TEST_P(ModuleTest, CheckEnvironmentLeavesNameAndDescriptionEmptyWithoutTheList)
{
    // A copy of the module beside a resource file that lacks list 32000.
    char folderTemplate[] = "/tmp/zelto-module-XXXXXX";
    ASSERT_NE(mkdtemp(folderTemplate), nullptr);
    const std::filesystem::path folder = folderTemplate;
    std::filesystem::copy_file(BuiltModulePath(GetParam()), folder / "Zelto_export.so");
    std::ofstream(folder / "Zelto_export.rsrc") << "strings 32500\n  5 \"Untitled\"\nend\n";

    std::string error;
    ASSERT_TRUE(host->Load((folder / "Zelto_export.so").string(), &error)) << error;
    EXPECT_EQ(host->CallCheckEnvironment(), APIAddon_Normal);
    EXPECT_TRUE(host->Environment().addOnInfo.name.IsEmpty());
    EXPECT_TRUE(host->Environment().addOnInfo.description.IsEmpty());
    host->Unload();
    std::filesystem::remove_all(folder);
}

TEST_P(ModuleTest, RegisterInterfaceRegistersTheFileTypeThenTheMenu)
{
    LoadModule();
    ASSERT_EQ(host->CallRegisterInterface(), NoError);

    ASSERT_EQ(host->FileTypes().size(), 1u);
    const ZeltoHost::RegisteredFileType& type = host->FileTypes()[0];
    EXPECT_EQ(type.refCon, 1);
    EXPECT_EQ(type.fileType, ZltTypeCode);
    EXPECT_EQ(type.creator, GsacCreatorCode);
    EXPECT_EQ(type.extension, "Zelto");
    EXPECT_EQ(type.iconId, 0);
    EXPECT_EQ(type.descriptionListId, 32000);
    EXPECT_EQ(type.descriptionItem, 3) << "the description is item 3, not the add-on's name";
    EXPECT_EQ(type.methodFlags, 16);

    ASSERT_EQ(host->Menus().size(), 1u);
    EXPECT_EQ(host->Menus()[0].menuListId, 32510);
    EXPECT_EQ(host->Menus()[0].promptListId, 32520);
    EXPECT_EQ(host->Menus()[0].menuCode, 1);
    EXPECT_EQ(host->Menus()[0].menuFlags, 4u);

    ASSERT_EQ(Recorder().calls.size(), 2u);
    EXPECT_EQ(Recorder().calls[0].function, "ACAPI_AddOnIntegration_RegisterFileType");
    EXPECT_EQ(Recorder().calls[1].function, "ACAPI_MenuItem_RegisterMenu");
}

TEST_P(ModuleTest, OlderHostsAreReachedThroughTheirDispatchFunction)
{
    LoadModule();
    ASSERT_EQ(host->CallRegisterInterface(), NoError);
    const std::string expected = GetParam() <= 26 ? "ACAPI_Interface" : "";
    EXPECT_EQ(FirstDispatcherOf("ACAPI_AddOnIntegration_RegisterFileType"), expected);
    EXPECT_EQ(FirstDispatcherOf("ACAPI_MenuItem_RegisterMenu"), expected);
}

TEST_P(ModuleTest, FailedFileTypeRegistrationIsReturnedAndNoMenuIsRegistered)
{
    LoadModule();
    HostControl::InjectError("ACAPI_AddOnIntegration_RegisterFileType", APIERR_REFUSEDCMD);
    EXPECT_EQ(host->CallRegisterInterface(), APIERR_REFUSEDCMD);
    EXPECT_TRUE(host->Menus().empty());
    EXPECT_EQ(Recorder().CountOf("ACAPI_MenuItem_RegisterMenu"), 0u);
}

TEST_P(ModuleTest, FailedMenuRegistrationIsReturned)
{
    LoadModule();
    HostControl::InjectError("ACAPI_MenuItem_RegisterMenu", APIERR_BADID);
    EXPECT_EQ(host->CallRegisterInterface(), APIERR_BADID);
    EXPECT_EQ(host->FileTypes().size(), 1u);
}

TEST_P(ModuleTest, InitializeInstallsTheSaveAsAndMenuHandlers)
{
    LoadModule();
    ASSERT_EQ(host->CallInitialize(), NoError);
    EXPECT_NE(host->FileTypeHandler3D(1), nullptr);
    EXPECT_NE(host->MenuHandler(32510), nullptr);
    EXPECT_EQ(host->CallFreeData(), NoError);
}

TEST_P(ModuleTest, FailedHandlerInstallationStopsInitialize)
{
    struct Case {
        const char* failingCall;
        bool expectFileTypeHandler;
        std::size_t menuInstallCalls;
    };
    const Case cases[] = {
        {"ACAPI_AddOnIntegration_InstallFileTypeHandler3D", false, 0},
        {"ACAPI_MenuItem_InstallMenuHandler", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failingCall);
        host.reset();
        HostControl::ResetAll();
        host = std::make_unique<ZeltoHost::HostApp>(GetParam());
        LoadModule();
        HostControl::InjectError(c.failingCall, APIERR_GENERAL);
        EXPECT_EQ(host->CallInitialize(), APIERR_GENERAL);
        EXPECT_EQ(host->FileTypeHandler3D(1) != nullptr, c.expectFileTypeHandler);
        EXPECT_EQ(host->MenuHandler(32510), nullptr);
        EXPECT_EQ(Recorder().CountOf("ACAPI_MenuItem_InstallMenuHandler"), c.menuInstallCalls);
        EXPECT_EQ(host->CallFreeData(), NoError) << "FreeData succeeds after a failed Initialize";
    }
}

TEST_P(ModuleTest, OnlyTheProtocolFunctionsAreExported)
{
    const std::string command = "nm -D --defined-only " + BuiltModulePath(GetParam()) + " | awk '{print $3}' | sort";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string symbols;
    char line[256];
    while (fgets(line, sizeof line, pipe) != nullptr)
        symbols += line;
    pclose(pipe);
    EXPECT_EQ(symbols, "GetExportedFuncAddrs\nSetImportedFuncAddrs\n");
}
