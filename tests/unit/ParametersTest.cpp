// The export settings record: defaults, loading the ten preference keys (with the values that are
// brought back into range), saving them in order with the scale in millionths, and a preference
// root that cannot be opened.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "GSException.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

constexpr Int32 Int32Max = std::numeric_limits<Int32>::max();
constexpr Int32 Int32Min = std::numeric_limits<Int32>::min();

using KeyValue = std::variant<Int32, bool>;

// The ten keys in load and save order.
const char* const SettingKeys[] = {
    WRL::REG_MaterialType, WRL::REG_Textures, WRL::REG_TexCompress, WRL::REG_TexQuality, WRL::REG_Lights,
    WRL::REG_Cameras,      WRL::REG_3Dcameras, WRL::REG_Unit,       WRL::REG_Scale,      WRL::REG_Offset,
};

class ParametersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        GSPref::SetUserDataFolder(home.Path());
    }
    void TearDown() override
    {
        EXPECT_EQ(GSPref::CountOpenRoots(), 0) << "a preference root was left open";
        GSPref::SetUserDataFolder("");
        HostTest::TearDown();
    }

    // Test-side access to the store, beside the record under test.
    static void Store(const char* key, KeyValue value)
    {
        GSPref::IRoot* root = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(0, &root), NoError);
        if (const Int32* number = std::get_if<Int32>(&value))
            EXPECT_EQ(root->WriteInt32("Zelto", key, *number), NoError);
        else
            EXPECT_EQ(root->WriteBool("Zelto", key, std::get<bool>(value)), NoError);
        GSPref::CloseRootKey(root);
    }
    static std::optional<Int32> StoredInt32(const char* key)
    {
        GSPref::IRoot* root = nullptr;
        if (GSPref::OpenRootKey(0, &root) != NoError)
            return std::nullopt;
        Int32 value = 0;
        const GSErrCode read = root->ReadInt32("Zelto", key, &value, 0, GSPref::FailWhenAbsent);
        GSPref::CloseRootKey(root);
        return read == NoError ? std::optional<Int32>(value) : std::nullopt;
    }
    static std::optional<bool> StoredBool(const char* key)
    {
        GSPref::IRoot* root = nullptr;
        if (GSPref::OpenRootKey(0, &root) != NoError)
            return std::nullopt;
        bool value = false;
        const GSErrCode read = root->ReadBool("Zelto", key, &value, false, GSPref::FailWhenAbsent);
        GSPref::CloseRootKey(root);
        return read == NoError ? std::optional<bool>(value) : std::nullopt;
    }
    // The key name of every value in the store's file, as stored.
    std::set<std::string> KeyNamesInFile() const
    {
        std::set<std::string> names;
        std::istringstream lines(home.ReadFile(GSPref::PreferenceFileName));
        std::string line;
        std::getline(lines, line);  // the file's header
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            std::string type, folder, key;
            std::getline(fields, type, '\t');
            std::getline(fields, folder, '\t');
            std::getline(fields, key, '\t');
            EXPECT_EQ(folder, "Zelto");
            names.insert(key);
        }
        return names;
    }

    TemporaryFolder home;
};

void ExpectDefaultSettings(const WRL::MAParameters& parameters)
{
    EXPECT_FALSE(parameters.exportLights);
    EXPECT_FALSE(parameters.exportCameras);
    EXPECT_EQ(parameters.scale, 100.0);
    EXPECT_EQ(parameters.materialType, 2);
    EXPECT_TRUE(parameters.exportTextures);
    EXPECT_TRUE(parameters.exportOriginalTextures);
    EXPECT_EQ(parameters.textureQuality, 90);
    EXPECT_FALSE(parameters.exportCurrent3DCamera);
    EXPECT_EQ(parameters.unit, 2);
    EXPECT_FALSE(parameters.useOffset);
}

// A settings block in which every field differs from its default.
void SetOtherSettings(WRL::MAParameters& parameters)
{
    parameters.exportLights = true;
    parameters.exportCameras = true;
    parameters.scale = 2.5;
    parameters.materialType = 3;
    parameters.exportTextures = false;
    parameters.exportOriginalTextures = false;
    parameters.textureQuality = 55;
    parameters.exportCurrent3DCamera = true;
    parameters.unit = 6;
    parameters.useOffset = true;
}

void ExpectOtherSettings(const WRL::MAParameters& parameters)
{
    EXPECT_TRUE(parameters.exportLights);
    EXPECT_TRUE(parameters.exportCameras);
    EXPECT_EQ(parameters.scale, 2.5);
    EXPECT_EQ(parameters.materialType, 3);
    EXPECT_FALSE(parameters.exportTextures);
    EXPECT_FALSE(parameters.exportOriginalTextures);
    EXPECT_EQ(parameters.textureQuality, 55);
    EXPECT_TRUE(parameters.exportCurrent3DCamera);
    EXPECT_EQ(parameters.unit, 6);
    EXPECT_TRUE(parameters.useOffset);
}

// ---- Loading -------------------------------------------------------------------------------------

TEST_F(ParametersTest, AFirstRunWithAnEmptyStoreGivesTheDefaultsAndTheRunsIdentity)
{
    const WRL::MAParameters parameters(true, IO::Name("House.pln"));
    EXPECT_EQ(parameters.formatNumber, 20500);
    EXPECT_TRUE(parameters.direct);
    EXPECT_EQ(parameters.projectName, IO::Name("House.pln"));
    ExpectDefaultSettings(parameters);
}

TEST_F(ParametersTest, EachKeyLoadsIntoItsOwnFieldWithTheScaleInMillionths)
{
    Store("Export Materials Type", 3);
    Store("Export Textures", false);
    Store("Export Original Textures", false);
    Store("Texture Quality", 55);
    Store("Export Lights", true);
    Store("Export Cameras", true);
    Store("Export Current 3D Camera", true);
    Store("Export Unit", 6);
    Store("Export Scale", 2500000);
    Store("Use AC offset coords", true);

    ExpectOtherSettings(WRL::MAParameters(false, IO::Name()));
}

TEST_F(ParametersTest, StoredValuesOutOfRangeAreBroughtBackIntoIt)
{
    struct Case {
        const char* key;
        Int32 stored;
        Int32 loaded;
    };
    const Case cases[] = {
        {"Export Materials Type", -5, 1}, {"Export Materials Type", 0, 1}, {"Export Materials Type", 1, 1},
        {"Export Materials Type", 2, 2},  {"Export Materials Type", 3, 3}, {"Export Materials Type", 4, 3},
        {"Export Materials Type", 99, 3}, {"Export Unit", Int32Min, 2},    {"Export Unit", 0, 2},
        {"Export Unit", 1, 1},            {"Export Unit", 6, 6},           {"Export Unit", 7, 2},
        {"Texture Quality", -3, 90},      {"Texture Quality", 0, 90},      {"Texture Quality", 1, 1},
        {"Texture Quality", 100, 100},    {"Texture Quality", 101, 90},    {"Texture Quality", Int32Max, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + std::to_string(c.stored));
        Store(c.key, c.stored);
        const WRL::MAParameters parameters(false, IO::Name());
        const std::string key = c.key;
        const Int32 loaded = key == "Export Unit"       ? parameters.unit
                             : key == "Texture Quality" ? parameters.textureQuality
                                                        : parameters.materialType;
        EXPECT_EQ(loaded, c.loaded);
    }
}

// A stored scale of 0 or below would collapse or mirror the building: it loads as the default.
TEST_F(ParametersTest, AStoredScaleOfZeroOrBelowLoadsAsTheDefault)
{
    const struct {
        Int32 stored;
        double loaded;
    } cases[] = {{1, 0.000001}, {2500000, 2.5}, {Int32Max, 2147.483647}, {0, 100.0}, {-1, 100.0},
                 {-1500000, 100.0}, {Int32Min, 100.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Store("Export Scale", c.stored);
        EXPECT_EQ(WRL::MAParameters(false, IO::Name()).scale, c.loaded);
    }
}

TEST_F(ParametersTest, AKeyOfTheWrongTypeOrAFailedReadGivesThatKeysDefault)
{
    Store("Export Scale", true);      // a bool where the millionths belong
    Store("Export Lights", 1);        // a number where a bool belongs
    Store("Export Unit", 4);
    Store("Use AC offset coords", true);
    HostControl::InjectError("GSPref::Read:Export Unit", -1);
    const WRL::MAParameters parameters(false, IO::Name());
    EXPECT_EQ(parameters.scale, 100.0);
    EXPECT_FALSE(parameters.exportLights);
    EXPECT_EQ(parameters.unit, 2);
    EXPECT_TRUE(parameters.useOffset);  // the other keys still load
}

TEST_F(ParametersTest, LoadingAgainRestoresTheStoredSettings)
{
    Store("Export Cameras", true);
    WRL::MAParameters parameters(false, IO::Name());
    SetOtherSettings(parameters);
    EXPECT_TRUE(parameters.LoadParameters());
    EXPECT_TRUE(parameters.exportCameras);
    EXPECT_EQ(parameters.scale, 100.0);
    EXPECT_EQ(parameters.unit, 2);

    parameters.DefaultParams();
    EXPECT_FALSE(parameters.exportCameras);
    EXPECT_EQ(parameters.formatNumber, 20500);
}

// ---- Saving --------------------------------------------------------------------------------------

TEST_F(ParametersTest, SavedSettingsLoadIntoAFreshRecordUnderTheTenKeyNames)
{
    WRL::MAParameters saved(false, IO::Name());
    SetOtherSettings(saved);
    ASSERT_TRUE(saved.SaveParameters());

    const std::set<std::string> expectedNames = {
        "Export Materials Type",    "Export Textures", "Export Original Textures", "Texture Quality",
        "Export Lights",            "Export Cameras",  "Export Current 3D Camera", "Export Unit",
        "Export Scale",             "Use AC offset coords",
    };
    EXPECT_EQ(KeyNamesInFile(), expectedNames);
    EXPECT_EQ(StoredInt32("Export Scale"), 2500000);

    ExpectOtherSettings(WRL::MAParameters(false, IO::Name()));
}

TEST_F(ParametersTest, TheScaleIsSavedAsTruncatedMillionthsThatNeverOverflow)
{
    struct Case {
        double scale;
        Int32 stored;
    };
    const Case cases[] = {
        {100.0, 100000000},
        {0.0000015, 1},
        {-1.5, -1500000},
        {39.37007874015748, 39370078},
        {2147.483647, Int32Max},
        {5000.0, Int32Max},
        {-5000.0, Int32Min},
        {std::numeric_limits<double>::infinity(), Int32Max},
        {-std::numeric_limits<double>::infinity(), Int32Min},
        {std::numeric_limits<double>::quiet_NaN(), 100000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        WRL::MAParameters parameters(false, IO::Name());
        parameters.scale = c.scale;
        ASSERT_TRUE(parameters.SaveParameters());
        EXPECT_EQ(StoredInt32("Export Scale"), c.stored);
    }
}

TEST_F(ParametersTest, AFailedWriteStopsTheSaveAndLeavesTheLaterKeysAsTheyWere)
{
    // Before: every key holds its default. The record to save differs in every key.
    const KeyValue before[] = {2, true, true, 90, false, false, false, 2, 100000000, false};
    const KeyValue after[] = {3, false, false, 55, true, true, true, 6, 2500000, true};
    for (std::size_t failing = 0; failing < std::size(SettingKeys); ++failing) {
        SCOPED_TRACE(SettingKeys[failing]);
        HostControl::ClearFailures();
        for (std::size_t k = 0; k < std::size(SettingKeys); ++k)
            Store(SettingKeys[k], before[k]);
        WRL::MAParameters parameters(false, IO::Name());
        SetOtherSettings(parameters);
        HostControl::InjectError(std::string("GSPref::Write:") + SettingKeys[failing], -1);

        EXPECT_FALSE(parameters.SaveParameters());
        for (std::size_t k = 0; k < std::size(SettingKeys); ++k) {
            SCOPED_TRACE(SettingKeys[k]);
            const KeyValue& expected = k < failing ? after[k] : before[k];
            if (const Int32* number = std::get_if<Int32>(&expected))
                EXPECT_EQ(StoredInt32(SettingKeys[k]), *number);
            else
                EXPECT_EQ(StoredBool(SettingKeys[k]), std::get<bool>(expected));
        }
    }
}

// ---- Without preferences -------------------------------------------------------------------------

TEST_F(ParametersTest, ARootThatCannotBeOpenedGivesTheDefaultsAndAFailedSave)
{
    Store("Export Lights", true);
    Store("Export Scale", 2500000);
    struct Case {
        const char* what;
        bool injected;
        std::string folder;
    };
    const Case cases[] = {
        {"open fails", true, home.Path()},
        {"no user-data folder", false, ""},
        {"missing user-data folder", false, home.PathOf("missing")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostControl::ClearFailures();
        if (c.injected)
            HostControl::InjectError("GSPref::Open", -1);
        GSPref::SetUserDataFolder(c.folder);
        WRL::MAParameters parameters(false, IO::Name());
        ExpectDefaultSettings(parameters);
        SetOtherSettings(parameters);
        EXPECT_TRUE(parameters.LoadParameters());
        ExpectDefaultSettings(parameters);  // loading again does not keep stale values
        SetOtherSettings(parameters);
        EXPECT_FALSE(parameters.SaveParameters());
    }
    HostControl::ClearFailures();
    GSPref::SetUserDataFolder(home.Path());
    EXPECT_EQ(StoredBool("Export Lights"), true);
    EXPECT_EQ(StoredInt32("Export Scale"), 2500000);
    EXPECT_EQ(StoredInt32("Export Unit"), std::nullopt);
}

TEST_F(ParametersTest, TheRootIsClosedWhenTheStoreThrows)
{
    HostControl::Failure thrown;
    thrown.kind = HostControl::Failure::Kind::HostException;
    thrown.code = -1;
    HostControl::Inject("GSPref::Read:Export Scale", thrown);
    EXPECT_THROW(WRL::MAParameters(false, IO::Name()), GS::GeneralException);
    EXPECT_EQ(GSPref::CountOpenRoots(), 0);

    HostControl::ClearFailures();
    WRL::MAParameters parameters(false, IO::Name());
    HostControl::Inject("GSPref::Write:Export Unit", thrown);
    EXPECT_THROW(parameters.SaveParameters(), GS::GeneralException);
    EXPECT_EQ(GSPref::CountOpenRoots(), 0);
}

}  // namespace
