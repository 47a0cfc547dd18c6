// The export settings dialog with the host's scripted user: what it shows for the stored
// settings, the unit factors and the unit warning, the enabling rules, the quality slider and
// field, Reset, the web links, the current-camera item of a parallel view, what OK stores and
// when OK is refused or the preferences cannot be written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ACAPinc.h"
#include "DGScriptedUser.hpp"
#include "DGSettingsDialogScript.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "HostModel.hpp"
#include "RS.hpp"
#include "ZELTO_export_Dialog.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

constexpr short SettingsDialog = 32505;
constexpr double InchFactor = 39.37007874015748;
constexpr double FootFactor = 3.280839895013123;
constexpr const char* MakerSite = "https://zelto.example";

using Action = DGUserAction;

// A settings block in which every field differs from its default.
void SetOtherSettings(WRL::MAParameters& settings)
{
    settings.materialType = 3;
    settings.exportTextures = false;
    settings.exportOriginalTextures = false;
    settings.textureQuality = 55;
    settings.exportLights = true;
    settings.exportCameras = true;
    settings.exportCurrent3DCamera = true;
    settings.unit = 6;
    settings.scale = 2.5;
    settings.useOffset = true;
}

// The value of every field of a settings block.
struct SettingsValues {
    Int32 materialType;
    bool exportTextures;
    bool exportOriginalTextures;
    Int32 textureQuality;
    bool exportLights;
    bool exportCameras;
    bool exportCurrent3DCamera;
    Int32 unit;
    double scale;
    bool useOffset;
};

// Those SetOtherSettings gives, and the defaults.
//                                        type  textures original quality lights cameras 3D cam unit scale  offset
constexpr SettingsValues OtherValues   = {3,    false,   false,   55,     true,  true,   true,  6,   2.5,   true};
constexpr SettingsValues DefaultValues = {2,    true,    true,    90,     false, false,  false, 2,   100.0, false};

void ExpectSettings(const WRL::MAParameters& settings, const SettingsValues& expected)
{
    EXPECT_EQ(settings.materialType, expected.materialType);
    EXPECT_EQ(settings.exportTextures, expected.exportTextures);
    EXPECT_EQ(settings.exportOriginalTextures, expected.exportOriginalTextures);
    EXPECT_EQ(settings.textureQuality, expected.textureQuality);
    EXPECT_EQ(settings.exportLights, expected.exportLights);
    EXPECT_EQ(settings.exportCameras, expected.exportCameras);
    EXPECT_EQ(settings.exportCurrent3DCamera, expected.exportCurrent3DCamera);
    EXPECT_EQ(settings.unit, expected.unit);
    EXPECT_EQ(settings.scale, expected.scale);
    EXPECT_EQ(settings.useOffset, expected.useOffset);
}

std::vector<bool> EnabledOf(const DGItemStates& items, const std::vector<short>& numbers)
{
    std::vector<bool> enabled;
    for (const short number : numbers)
        enabled.push_back(items.at(number).enabled);
    return enabled;
}

const std::vector<short> TextureItems = {7, 8, 9, 10, 11};

class SettingsDialogTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DGScriptedUser::Reset();
        GSPref::SetUserDataFolder(home.Path());
        model.projection.isPersp = true;
        ZeltoHost::InstallModel(model);
    }
    void TearDown() override
    {
        EXPECT_EQ(GSPref::CountOpenRoots(), 0) << "a preference root was left open";
        GSPref::SetUserDataFolder("");
        DGScriptedUser::Reset();
        HostTest::TearDown();
    }

    // Stores settings in the preferences, as an earlier confirmed dialog would have.
    static void Store(const std::function<void(WRL::MAParameters&)>& change)
    {
        WRL::MAParameters settings(false, IO::Name());
        change(settings);
        ASSERT_TRUE(settings.SaveParameters());
    }
    // A record loaded from the preferences as they are now.
    static std::unique_ptr<WRL::MAParameters> Loaded()
    {
        return std::make_unique<WRL::MAParameters>(false, IO::Name());
    }
    static std::optional<Int32> StoredInt32(const char* key)
    {
        GSPref::IRoot* root = nullptr;
        if (GSPref::OpenRootKey(0, &root) != NoError)
            return std::nullopt;
        Int32 value = 0;
        const GSErrCode read = root->ReadInt32(WRL::REG_Folder, key, &value, 0, GSPref::FailWhenAbsent);
        GSPref::CloseRootKey(root);
        return read == NoError ? std::optional<Int32>(value) : std::nullopt;
    }

    // The settings dialog over the record, answered with the actions and then OK or Cancel.
    static bool Show(WRL::MAParameters& settings, std::vector<DGUserAction> actions, bool confirm = true)
    {
        DGScriptedUser::Plan(SettingsDialog, DGUserScript{std::move(actions), confirm});
        return WRL::MADialog(&settings).Savepanel();
    }
    static const DGDialogRecord& Shown()
    {
        const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(SettingsDialog);
        if (shown == nullptr)
            throw std::runtime_error("the settings dialog was not shown");
        return *shown;
    }
    static const DGItemStates& Look(std::size_t index) { return Shown().looks.at(index); }

    static std::string CommentText(Int32 item)
    {
        GS::UniString text;
        RSGetIndString(&text, static_cast<GSResID>(WRL::LocalizedCommentStringTable), item, ACAPI_GetOwnResModule());
        return text.ToUtf8();
    }
    static HostControl::AlertRecord UnitWarningAlert()
    {
        return {-3, CommentText(WRL::DialogTitle), CommentText(WRL::UnitWarning), "", "OK", "", ""};
    }
    static HostControl::AlertRecord ScaleRefusedAlert()
    {
        return {-2, CommentText(WRL::DialogTitle), CommentText(WRL::ScaleNotPositive), "", "OK", "", ""};
    }
    void ExpectAlerts(const std::vector<HostControl::AlertRecord>& expected)
    {
        ASSERT_EQ(Recorder().alerts.size(), expected.size());
        for (std::size_t index = 0; index < expected.size(); ++index) {
            SCOPED_TRACE("alert " + std::to_string(index));
            const HostControl::AlertRecord& alert = Recorder().alerts[index];
            EXPECT_EQ(alert.kind, expected[index].kind);
            EXPECT_EQ(alert.title, expected[index].title);
            EXPECT_EQ(alert.text, expected[index].text);
            EXPECT_EQ(alert.button1, expected[index].button1);
        }
    }
    int UnitWarnings()
    {
        int warnings = 0;
        for (const HostControl::AlertRecord& alert : Recorder().alerts) {
            EXPECT_EQ(alert.kind, -3);
            EXPECT_EQ(alert.title, CommentText(WRL::DialogTitle));
            EXPECT_EQ(alert.text, CommentText(WRL::UnitWarning));
            EXPECT_EQ(alert.button1, "OK");
            ++warnings;
        }
        return warnings;
    }

    TemporaryFolder home;
    ZeltoHost::HostModel model;
};

// ---- Opening --------------------------------------------------------------------------------------

TEST_F(SettingsDialogTest, OpeningShowsEachStoredUnitWithItsFactorAndOKStoresThatFactor)
{
    struct Case {
        Int32 unit;
        double scale;
    };
    // The stored scale is 2.5 throughout: only the custom unit keeps it.
    const std::vector<Case> cases = {{1, 1.0}, {2, 100.0}, {3, 1000.0}, {4, InchFactor}, {5, FootFactor}, {6, 2.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE("unit " + std::to_string(c.unit));
        Recorder().Clear();
        Store([&](WRL::MAParameters& settings) {
            settings.unit = c.unit;
            settings.scale = 2.5;
        });
        const auto settings = Loaded();
        ASSERT_TRUE(Show(*settings, {Action::Look()}));
        EXPECT_EQ(Look(0).at(19).value, c.unit);
        EXPECT_EQ(Look(0).at(18).value, c.scale);
        EXPECT_EQ(Look(0).at(18).enabled, c.unit == 6);
        EXPECT_EQ(UnitWarnings(), 0) << "no warning at opening";
        EXPECT_EQ(settings->unit, c.unit);
        EXPECT_EQ(settings->scale, c.scale) << "the shown scale is the exported one";
        EXPECT_NEAR(Loaded()->scale, c.scale, 1e-6);
        EXPECT_EQ(Loaded()->unit, c.unit);
    }
}

TEST_F(SettingsDialogTest, OpeningShowsEveryStoredSettingAndTheVersionText)
{
    Store(SetOtherSettings);
    const auto settings = Loaded();
    ASSERT_TRUE(Show(*settings, {Action::Look()}));
    const DGItemStates& items = Look(0);
    EXPECT_EQ(items.at(6).value, 3);
    EXPECT_EQ(items.at(7).value, 0);
    EXPECT_EQ(items.at(8).value, 0);
    EXPECT_EQ(items.at(9).value, 1);
    EXPECT_EQ(items.at(10).value, 55);
    EXPECT_EQ(items.at(11).value, 55);
    EXPECT_EQ(items.at(13).value, 1);
    EXPECT_EQ(items.at(14).value, 1);
    EXPECT_EQ(items.at(15).value, 1);
    EXPECT_EQ(items.at(18).value, 2.5);
    EXPECT_EQ(items.at(19).value, 6);
    EXPECT_EQ(items.at(21).value, 1);
    EXPECT_EQ(items.at(23).text, "'Zelto Export Add-on v.2.62'");
    EXPECT_TRUE(Shown().notes.empty()) << "every item the add-on uses is in the layout";
    ExpectSettings(*settings, OtherValues);
    ExpectSettings(*Loaded(), OtherValues);

    // The host's order: the rectangles are reset before the dialog runs.
    std::vector<std::string> dialogCalls;
    for (const HostControl::HostCall& call : Recorder().calls) {
        if (call.function.rfind("DG", 0) == 0)
            dialogCalls.push_back(call.function);
    }
    EXPECT_EQ(dialogCalls, (std::vector<std::string>{"DGResetDialogRectangles", "DGModalDialog"}));
}

TEST_F(SettingsDialogTest, OKWithNothingChangedStoresAllTenKeys)
{
    const char* const keys[] = {WRL::REG_MaterialType, WRL::REG_TexQuality, WRL::REG_Unit, WRL::REG_Scale};
    for (const char* key : keys)
        ASSERT_FALSE(StoredInt32(key).has_value()) << "a fresh store";
    auto settings = Loaded();
    ASSERT_TRUE(Show(*settings, {}));
    EXPECT_EQ(StoredInt32(WRL::REG_MaterialType), 2);
    EXPECT_EQ(StoredInt32(WRL::REG_TexQuality), 90);
    EXPECT_EQ(StoredInt32(WRL::REG_Unit), 2);
    EXPECT_EQ(StoredInt32(WRL::REG_Scale), 100000000);
    ExpectSettings(*Loaded(), DefaultValues);
}

TEST_F(SettingsDialogTest, SettingsOutOfRangeAreShownAndStoredWithinTheirRanges)
{
    struct Case {
        Int32 materialType, quality, unit;
        Int32 shownMaterialType, shownQuality;
    };
    // A unit the dialog does not offer shows as the custom unit, keeping the scale.
    const std::vector<Case> cases = {{7, 150, 9, 3, 100}, {0, -3, 0, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("material type " + std::to_string(c.materialType));
        WRL::MAParameters settings(false, IO::Name());
        settings.materialType = c.materialType;
        settings.textureQuality = c.quality;
        settings.unit = c.unit;
        settings.scale = 2.5;
        ASSERT_TRUE(Show(settings, {Action::Look()}));
        EXPECT_EQ(Look(0).at(6).value, c.shownMaterialType);
        EXPECT_EQ(Look(0).at(10).value, c.shownQuality);
        EXPECT_EQ(Look(0).at(11).value, c.shownQuality);
        EXPECT_EQ(Look(0).at(19).value, 6);
        EXPECT_EQ(Look(0).at(18).value, 2.5);
        EXPECT_TRUE(Look(0).at(18).enabled);
        EXPECT_EQ(settings.materialType, c.shownMaterialType);
        EXPECT_EQ(settings.textureQuality, c.shownQuality);
        EXPECT_EQ(settings.unit, 6);
        EXPECT_EQ(settings.scale, 2.5);
    }
}

// ---- Units, scale and the unit warning ----------------------------------------------------------

TEST_F(SettingsDialogTest, ChoosingAUnitPutsItsFactorWarnsForMetreAndFootAndEnablesTheScaleOnlyForCustom)
{
    struct Case {
        Int32 from, chosen;
        double scale;
        int warnings;
    };
    const std::vector<Case> cases = {
        {6, 1, 1.0, 1},        {6, 2, 100.0, 0}, {6, 3, 1000.0, 0}, {6, 4, InchFactor, 0},
        {6, 5, FootFactor, 1}, {3, 6, 1000.0, 0}, // custom keeps the value shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("unit " + std::to_string(c.from) + " to " + std::to_string(c.chosen));
        Recorder().Clear();
        WRL::MAParameters settings(false, IO::Name());
        settings.unit = c.from;
        settings.scale = 2.5;
        ASSERT_TRUE(Show(settings, {Action::SetValue(19, c.chosen), Action::Look()}));
        EXPECT_EQ(Look(0).at(18).value, c.scale);
        EXPECT_EQ(Look(0).at(18).enabled, c.chosen == 6);
        EXPECT_EQ(UnitWarnings(), c.warnings);
        EXPECT_EQ(settings.unit, c.chosen);
        EXPECT_EQ(settings.scale, c.scale);
    }
}

TEST_F(SettingsDialogTest, ATypedScaleBelowTheSinglePrecision9Point9999WarnsAndIsKept)
{
    struct Case {
        const char* typed;
        bool warns;
        double kept;
    };
    const std::vector<Case> cases = {
        {"5", true, 5.0},
        {"0.000001", true, 0.000001},     // the smallest scale with a stored form above 0
        {"9.9998998", true, 9.9998998},
        {"9.9998999", false, 9.9998999},  // above 9.9999 in single precision, below it in double
        {"9.9999", false, 9.9999},
        {"10", false, 10.0},
        {"abc", false, 2.5},  // the field takes numbers only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Recorder().Clear();
        WRL::MAParameters settings(false, IO::Name());
        settings.unit = 6;
        settings.scale = 2.5;
        ASSERT_TRUE(Show(settings, {Action::Type(18, c.typed)}));
        EXPECT_EQ(UnitWarnings(), c.warns ? 1 : 0);
        EXPECT_EQ(settings.scale, c.kept);
    }
}

// A scale of 0 or below, or one so small that its stored form is 0, would collapse or mirror the
// building: typing it warns, and OK tells why it is refused and leaves the dialog open for a
// correction. The user then cancels here, and nothing changes.
TEST_F(SettingsDialogTest, AScaleThatWouldCollapseOrMirrorTheBuildingKeepsTheDialogOpen)
{
    ASSERT_FALSE(CommentText(WRL::ScaleNotPositive).empty());
    for (const char* typed : {"0", "-1", "-2147.4837", "1e-7", "0.00000099"}) {
        SCOPED_TRACE(typed);
        Recorder().Clear();
        WRL::MAParameters settings(false, IO::Name());
        const double scaleBefore = settings.scale;
        const Int32 unitBefore = settings.unit;
        const std::optional<Int32> storedBefore = StoredInt32(WRL::REG_Scale);

        EXPECT_FALSE(Show(settings, {Action::SetValue(19, 6), Action::Type(18, typed)}));

        ExpectAlerts({UnitWarningAlert(), ScaleRefusedAlert()});
        EXPECT_EQ(Shown().result, 2);
        EXPECT_EQ(Shown().notes, std::vector<std::string>{"the dialog stayed open after a click on item 1"});
        EXPECT_EQ(Recorder().beeps, 0) << "the alert says it";
        EXPECT_EQ(settings.scale, scaleBefore);
        EXPECT_EQ(settings.unit, unitBefore);
        EXPECT_EQ(StoredInt32(WRL::REG_Scale), storedBefore);
    }
}

// After the refusal the dialog goes on as before: a corrected scale is confirmed and stored.
TEST_F(SettingsDialogTest, AfterARefusedScaleACorrectedOneIsConfirmed)
{
    WRL::MAParameters settings(false, IO::Name());
    ASSERT_TRUE(Show(settings, {Action::SetValue(19, 6), Action::Type(18, "0"), Action::Click(1), Action::Look(),
                                Action::Type(18, "2.5")}));
    ExpectAlerts({UnitWarningAlert(), ScaleRefusedAlert(), UnitWarningAlert()});
    EXPECT_EQ(Look(0).at(18).value, 0.0) << "the refused scale stays for the correction";
    EXPECT_TRUE(Look(0).at(18).enabled);
    EXPECT_EQ(Shown().result, 1);
    EXPECT_TRUE(Shown().notes.empty());
    EXPECT_EQ(settings.scale, 2.5);
    EXPECT_EQ(StoredInt32(WRL::REG_Scale), 2500000);
}

// A scale too large for the stored form is taken as typed: OK closes the dialog, the record (and so
// the export) holds the typed scale, and only the stored form stops at the Int32 limit.
TEST_F(SettingsDialogTest, AScaleTooLargeForThePreferencesIsTakenAsTypedAndStoredAtTheLimit)
{
    const struct {
        const char* typed;
        Int32 stored;
    } cases[] = {{"2147.4837", std::numeric_limits<Int32>::max()}, {"1e300", std::numeric_limits<Int32>::max()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Recorder().Clear();
        WRL::MAParameters settings(false, IO::Name());

        ASSERT_TRUE(Show(settings, {Action::SetValue(19, 6), Action::Type(18, c.typed)}));

        EXPECT_EQ(Shown().result, 1);
        EXPECT_EQ(Recorder().beeps, 0);
        EXPECT_EQ(settings.scale, std::strtod(c.typed, nullptr));
        EXPECT_EQ(StoredInt32(WRL::REG_Scale), c.stored);
    }
}

// ---- Enabling rules -----------------------------------------------------------------------------

TEST_F(SettingsDialogTest, TheTextureItemsAreEnabledByMaterialTypeTexturesAndTheJpegChoice)
{
    struct Case {
        Int32 materialType;
        bool textures, original;
        std::vector<bool> enabled;  // items 7, 8, 9, 10, 11
    };
    const std::vector<Case> cases = {
        {1, true, false, {false, false, false, false, false}},
        {1, true, true, {false, false, false, false, false}},
        {2, false, false, {true, false, false, false, false}},
        {2, true, true, {true, true, true, false, false}},
        {2, true, false, {true, true, true, true, true}},
        {3, true, false, {true, true, true, true, true}},
        {3, false, true, {true, false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("material type " + std::to_string(c.materialType) + (c.textures ? ", textures" : "") +
                     (c.original ? ", original" : ""));
        WRL::MAParameters settings(false, IO::Name());
        settings.materialType = c.materialType;
        settings.exportTextures = c.textures;
        settings.exportOriginalTextures = c.original;
        ASSERT_TRUE(Show(settings, {Action::Look()}));
        EXPECT_EQ(EnabledOf(Look(0), TextureItems), c.enabled);
        EXPECT_EQ(Look(0).at(7).value, c.textures ? 1 : 0) << "disabled items keep their values";
        EXPECT_EQ(settings.exportTextures, c.textures);
        EXPECT_EQ(settings.exportOriginalTextures, c.original);
    }
}

TEST_F(SettingsDialogTest, ChangingTheTextureItemsAppliesTheEnablingRulesAgain)
{
    WRL::MAParameters settings(false, IO::Name());  // type 2, textures on, original files
    ASSERT_TRUE(Show(settings, {Action::Click(9), Action::Look(), Action::Click(8), Action::Look(),
                                Action::SetValue(7, 0), Action::Look(), Action::SetValue(7, 1), Action::Click(9),
                                Action::SetValue(6, 1), Action::Look(), Action::SetValue(6, 3), Action::Look()}));
    using Enabled = std::vector<bool>;
    EXPECT_EQ(EnabledOf(Look(0), TextureItems), (Enabled{true, true, true, true, true})) << "JPEG chosen";
    EXPECT_EQ(EnabledOf(Look(1), TextureItems), (Enabled{true, true, true, false, false})) << "original chosen";
    EXPECT_EQ(EnabledOf(Look(2), TextureItems), (Enabled{true, false, false, false, false})) << "textures off";
    EXPECT_EQ(EnabledOf(Look(3), TextureItems), (Enabled{false, false, false, false, false})) << "colours only";
    EXPECT_EQ(EnabledOf(Look(4), TextureItems), (Enabled{true, true, true, true, true})) << "Cinema 4D, JPEG";
    EXPECT_TRUE(Shown().notes.empty());
    EXPECT_EQ(settings.materialType, 3);
    EXPECT_TRUE(settings.exportTextures);
    EXPECT_FALSE(settings.exportOriginalTextures);
}

// ---- Quality slider and field -------------------------------------------------------------------

TEST_F(SettingsDialogTest, TheQualitySliderAndFieldFollowEachOther)
{
    WRL::MAParameters settings(false, IO::Name());
    settings.exportOriginalTextures = false;  // quality items enabled
    ASSERT_TRUE(Show(settings, {Action::Drag(10, {20, 40, 60}), Action::Look(),
                                Action::Drag(10, {30}, DG_MSG_SPINTRACK), Action::Look(), Action::Type(11, "150"),
                                Action::Look(), Action::Type(11, "75"), Action::Look()}));
    EXPECT_EQ(Look(0).at(11).value, 60);
    EXPECT_EQ(Look(1).at(11).value, 30);
    EXPECT_EQ(Look(2).at(10).value, 100) << "the field keeps within 1..100";
    EXPECT_EQ(Look(3).at(10).value, 75);
    EXPECT_EQ(settings.textureQuality, 75);
    EXPECT_EQ(Loaded()->textureQuality, 75);
}

// Forwards to the add-on's callback but swallows the slider's change message, so that only the
// tracking messages reach it.
short TrackingOnly(short message, short dialog, short item, DGUserData userData, DGMessageData msgData)
{
    if (message == DG_MSG_CHANGE && item == 10)
        return 0;
    return SaveWindow_Handler(message, dialog, item, userData, msgData);
}

TEST_F(SettingsDialogTest, TrackingAloneMovesTheQualityField)
{
    WRL::MAParameters settings(false, IO::Name());
    settings.exportOriginalTextures = false;
    DGScriptedUser::Plan(SettingsDialog, DGUserScript{{Action::Drag(10, {25}), Action::Look(),
                                                       Action::Drag(10, {35}, DG_MSG_SPINTRACK), Action::Look()},
                                                      true});
    const GSResModule resources = ACAPI_GetOwnResModule();
    const DGUserData userData = reinterpret_cast<DGUserData>(&settings);
    EXPECT_EQ(DGModalDialog(resources, SettingsDialog, resources, TrackingOnly, userData), 1);
    EXPECT_EQ(Look(0).at(11).value, 25);
    EXPECT_EQ(Look(1).at(11).value, 35);
    EXPECT_EQ(settings.textureQuality, 35);
}

// ---- Reset, Cancel and OK ------------------------------------------------------------------------

const char* const ResetCheck = "the reset values";

void ExpectResetItems(const DGItemStates& items)
{
    SCOPED_TRACE(ResetCheck);
    const std::vector<std::pair<short, double>> values = {{6, 2},  {7, 1},  {8, 1},  {9, 0},   {10, 90}, {11, 90},
                                                          {13, 0}, {14, 0}, {15, 0}, {18, 100}, {19, 2}, {21, 0}};
    for (const auto& [item, value] : values)
        EXPECT_EQ(items.at(item).value, value) << "item " << item;
    EXPECT_FALSE(items.at(18).enabled);
    EXPECT_EQ(EnabledOf(items, TextureItems), (std::vector<bool>{true, true, true, false, false}));
}

TEST_F(SettingsDialogTest, ResetThenCancelChangesNeitherTheRecordNorThePreferences)
{
    Store(SetOtherSettings);
    const auto settings = Loaded();
    EXPECT_FALSE(Show(*settings, {Action::Click(3), Action::Look()}, false));
    ExpectResetItems(Look(0));
    EXPECT_TRUE(Look(0).at(15).enabled) << "a perspective view";
    ExpectSettings(*settings, OtherValues);
    ExpectSettings(*Loaded(), OtherValues);
}

TEST_F(SettingsDialogTest, ResetThenOKStoresTheResetValues)
{
    Store(SetOtherSettings);
    const auto settings = Loaded();
    EXPECT_TRUE(Show(*settings, {Action::Click(3), Action::Look()}));
    ExpectResetItems(Look(0));
    ExpectSettings(*settings, DefaultValues);
    ExpectSettings(*Loaded(), DefaultValues);
}

TEST_F(SettingsDialogTest, CancelStoresNothingWhateverWasChanged)
{
    const auto settings = Loaded();
    EXPECT_FALSE(Show(*settings, {Action::SetValue(6, 3), Action::SetValue(13, 1), Action::SetValue(19, 3)}, false));
    ExpectSettings(*settings, DefaultValues);
    EXPECT_FALSE(StoredInt32(WRL::REG_MaterialType).has_value());
    EXPECT_FALSE(StoredInt32(WRL::REG_Unit).has_value());
}

TEST_F(SettingsDialogTest, AFailedPreferenceWriteMakesTheConfirmedDialogFail)
{
    for (const char* key : {WRL::REG_MaterialType, WRL::REG_Scale, WRL::REG_Offset}) {
        SCOPED_TRACE(key);
        HostControl::ClearFailures();
        HostControl::InjectError(std::string("GSPref::Write:") + key, -1);
        WRL::MAParameters settings(false, IO::Name());
        EXPECT_FALSE(Show(settings, {Action::SetValue(13, 1)}));
        EXPECT_TRUE(settings.exportLights) << "the record holds the confirmed settings";
    }
    HostControl::ClearFailures();
    HostControl::InjectError("GSPref::Open", -1);
    WRL::MAParameters settings(false, IO::Name());
    EXPECT_FALSE(Show(settings, {}));
}

// ---- Web links and the current 3D camera ---------------------------------------------------------

TEST_F(SettingsDialogTest, EachWebLinkOpensTheMakersSiteOnceAndKeepsTheDialogOpen)
{
    for (const short item : {22, 23, 24, 25}) {
        SCOPED_TRACE("item " + std::to_string(item));
        Recorder().Clear();
        WRL::MAParameters settings(false, IO::Name());
        EXPECT_TRUE(Show(settings, {Action::Click(item)}));
        EXPECT_EQ(Recorder().openedUrls, std::vector<std::string>{MakerSite});
        ASSERT_GE(Shown().messages.size(), 2u);
        EXPECT_EQ(Shown().messages[1].message, DG_MSG_CLICK);
        EXPECT_EQ(Shown().messages[1].result, 0);
    }
}

TEST_F(SettingsDialogTest, AParallelViewDisablesTheCurrentCameraItemButKeepsItsValue)
{
    model.projection.isPersp = false;
    WRL::MAParameters settings(false, IO::Name());
    settings.exportCurrent3DCamera = true;
    ASSERT_TRUE(Show(settings, {Action::Look(), Action::Click(15)}));
    EXPECT_FALSE(Look(0).at(15).enabled);
    EXPECT_EQ(Look(0).at(15).value, 1);
    EXPECT_EQ(Shown().notes, std::vector<std::string>{"refused: item 15 is disabled"});
    EXPECT_TRUE(settings.exportCurrent3DCamera);

    ASSERT_TRUE(Show(settings, {Action::Click(3), Action::Look()}));
    EXPECT_FALSE(Look(0).at(15).enabled) << "still parallel at reset";
    EXPECT_FALSE(settings.exportCurrent3DCamera);

    model.projection.isPersp = true;
    settings.exportCurrent3DCamera = true;
    ASSERT_TRUE(Show(settings, {Action::Look(), Action::Click(15)}));
    EXPECT_TRUE(Look(0).at(15).enabled);
    EXPECT_FALSE(settings.exportCurrent3DCamera);
}

TEST_F(SettingsDialogTest, AProjectionThatCannotBeReadCountsAsAParallelView)
{
    HostControl::InjectError("ACAPI_View_Get3DProjectionSets", APIERR_GENERAL);
    WRL::MAParameters settings(false, IO::Name());
    ASSERT_TRUE(Show(settings, {Action::Look()}));
    EXPECT_FALSE(Look(0).at(15).enabled);
}

// ---- The alert and the command line's settings ---------------------------------------------------

TEST_F(SettingsDialogTest, TheUnitWarningIsAnInformationAlertWithTheResourceTexts)
{
    UnitWarningDialog();
    EXPECT_EQ(UnitWarnings(), 1);
    EXPECT_FALSE(CommentText(WRL::UnitWarning).empty());
}

TEST_F(SettingsDialogTest, TheCommandLinesSettingsReachTheRecord)
{
    std::string error;
    ASSERT_TRUE(ScriptSettingsDialog({{"scale", "2.5"},
                                      {"unit", "custom"},
                                      {"material-type", "3"},
                                      {"original-textures", "off"},
                                      {"texture-quality", "40"},
                                      {"lights", "on"},
                                      {"cameras", "on"},
                                      {"current-camera", "on"},
                                      {"use-offset", "on"},
                                      {"textures", "off"}},
                                     true, &error))
        << error;
    WRL::MAParameters settings(false, IO::Name());
    ASSERT_TRUE(WRL::MADialog(&settings).Savepanel());
    EXPECT_TRUE(Shown().notes.empty());
    EXPECT_EQ(settings.materialType, 3);
    EXPECT_FALSE(settings.exportTextures) << "turned off after the quality was typed";
    EXPECT_EQ(settings.textureQuality, 40);
    EXPECT_FALSE(settings.exportOriginalTextures);
    EXPECT_TRUE(settings.exportLights);
    EXPECT_TRUE(settings.exportCameras);
    EXPECT_TRUE(settings.exportCurrent3DCamera);
    EXPECT_EQ(settings.unit, 6);
    EXPECT_EQ(settings.scale, 2.5);
    EXPECT_TRUE(settings.useOffset);

    ASSERT_TRUE(ScriptSettingsDialog({{"unit", "mm"}}, false));
    EXPECT_FALSE(WRL::MADialog(&settings).Savepanel());
    EXPECT_EQ(settings.unit, 6);
}

}  // namespace
