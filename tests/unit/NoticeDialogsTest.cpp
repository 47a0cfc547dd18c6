// The two notices of a direct export with the host's scripted user: when they are shown, what
// closing them stores under their "don't show again" keys, and how a failing preference store
// keeps them quiet without breaking anything.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DGScriptedUser.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "ZELTO_export_Notices.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

using Action = DGUserAction;

constexpr short DontShowAgain = 4;

struct Notice {
    const char* name;
    short dialogId;
    const char* key;
    std::function<void()> show;
};

const std::vector<Notice>& Notices()
{
    static const std::vector<Notice> notices = {
        {"finish", 32560, WRL::REG_Finish, [] { WRL::MAFinishDlg().FinishPanel(); }},
        {"direct export", 32570, WRL::REG_Direct, [] { WRL::MADirectDlg().DirectPanel(); }},
    };
    return notices;
}

class NoticeDialogsTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DGScriptedUser::Reset();
        GSPref::SetUserDataFolder(home.Path());
    }
    void TearDown() override
    {
        EXPECT_EQ(GSPref::CountOpenRoots(), 0) << "a preference root was left open";
        HostControl::ClearFailures();
        GSPref::SetUserDataFolder("");
        DGScriptedUser::Reset();
        HostTest::TearDown();
    }

    // Shows the notice, answered with the actions and then item 1 (confirm) or a cancel attempt.
    static void Show(const Notice& notice, std::vector<DGUserAction> actions, bool confirm = true)
    {
        DGScriptedUser::Plan(notice.dialogId, DGUserScript{std::move(actions), confirm});
        notice.show();
    }
    static std::size_t TimesShown(const Notice& notice)
    {
        std::size_t times = 0;
        for (const DGDialogRecord& record : DGScriptedUser::Transcript())
            times += record.resourceId == notice.dialogId ? 1 : 0;
        return times;
    }
    static std::optional<bool> Stored(const char* key)
    {
        GSPref::IRoot* root = nullptr;
        if (GSPref::OpenRootKey(0, &root) != NoError)
            return std::nullopt;
        bool value = false;
        const GSErrCode read = root->ReadBool(WRL::REG_Folder, key, &value, false, GSPref::FailWhenAbsent);
        GSPref::CloseRootKey(root);
        return read == NoError ? std::optional<bool>(value) : std::nullopt;
    }
    static void Store(const char* key, bool value)
    {
        GSPref::IRoot* root = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(0, &root), NoError);
        EXPECT_EQ(root->WriteBool(WRL::REG_Folder, key, value), NoError);
        GSPref::CloseRootKey(root);
    }

    TemporaryFolder home;
};

TEST_F(NoticeDialogsTest, FreshPreferencesShowTheNoticeWithItsBoxClearAndOKStoresFalse)
{
    for (const Notice& notice : Notices()) {
        SCOPED_TRACE(notice.name);
        Show(notice, {Action::Look()});
        const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(notice.dialogId);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->result, 1);
        ASSERT_EQ(shown->looks.size(), 1u);
        EXPECT_EQ(shown->looks[0].at(DontShowAgain).value, 0.0);
        EXPECT_EQ(Stored(notice.key), std::optional<bool>(false));

        Show(notice, {});
        EXPECT_EQ(TimesShown(notice), 2u) << "a notice left on is shown every time";
    }
}

TEST_F(NoticeDialogsTest, OKWithTheBoxTickedSilencesOnlyThatNotice)
{
    for (const Notice& silenced : Notices()) {
        SCOPED_TRACE(silenced.name);
        DGScriptedUser::Reset();
        for (const Notice& notice : Notices())
            Store(notice.key, false);

        Show(silenced, {Action::Click(DontShowAgain)});
        EXPECT_EQ(Stored(silenced.key), std::optional<bool>(true));

        for (const Notice& notice : Notices())
            notice.show();
        EXPECT_EQ(TimesShown(silenced), 1u) << "a silenced notice stays away";
        for (const Notice& other : Notices()) {
            if (other.dialogId != silenced.dialogId) {
                EXPECT_EQ(TimesShown(other), 1u);
                EXPECT_EQ(Stored(other.key), std::optional<bool>(false));
            }
        }
    }
}

TEST_F(NoticeDialogsTest, TickingAndClearingTheBoxBeforeOKStoresFalse)
{
    for (const Notice& notice : Notices()) {
        SCOPED_TRACE(notice.name);
        Show(notice, {Action::Click(DontShowAgain), Action::Click(DontShowAgain)});
        EXPECT_EQ(Stored(notice.key), std::optional<bool>(false));
    }
}

TEST_F(NoticeDialogsTest, ClosingOtherwiseThanWithOKStoresNothingWhateverTheBox)
{
    for (const Notice& notice : Notices()) {
        for (const bool ticked : {false, true}) {
            SCOPED_TRACE(std::string(notice.name) + (ticked ? ", ticked" : ", clear"));
            std::vector<DGUserAction> actions;
            if (ticked)
                actions.push_back(Action::Click(DontShowAgain));
            Show(notice, actions, false);
            const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(notice.dialogId);
            ASSERT_NE(shown, nullptr);
            EXPECT_NE(shown->result, 1);
            EXPECT_FALSE(Stored(notice.key).has_value());
        }
    }
}

TEST_F(NoticeDialogsTest, AnUnreadablePreferenceKeepsTheNoticeAway)
{
    for (const Notice& notice : Notices()) {
        for (const std::string& failure : {std::string("GSPref::Open"), std::string("GSPref::Read:") + notice.key}) {
            SCOPED_TRACE(std::string(notice.name) + ", " + failure);
            HostControl::ClearFailures();
            HostControl::InjectError(failure, -1);
            notice.show();
            EXPECT_EQ(TimesShown(notice), 0u);
        }
    }
    HostControl::ClearFailures();
    GSPref::SetUserDataFolder("");
    for (const Notice& notice : Notices())
        notice.show();
    EXPECT_TRUE(DGScriptedUser::Transcript().empty()) << "no preference store: no notice";
}

TEST_F(NoticeDialogsTest, AFailedWriteIsIgnoredAndTheNoticeComesAgain)
{
    for (const Notice& notice : Notices()) {
        SCOPED_TRACE(notice.name);
        HostControl::ClearFailures();
        HostControl::InjectError(std::string("GSPref::Write:") + notice.key, -1);
        Show(notice, {Action::Click(DontShowAgain)});
        EXPECT_EQ(TimesShown(notice), 1u);
        HostControl::ClearFailures();
        EXPECT_FALSE(Stored(notice.key).has_value());
        notice.show();
        EXPECT_EQ(TimesShown(notice), 2u);
    }
}

}  // namespace
