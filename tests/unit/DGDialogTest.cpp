// The stand-in host's modal dialogs: layouts read from resource text, the callback protocol
// (open, the user's clicks, changes and drags, close), item values and states, the scripted
// user's closing and its notes, and the CLI's settings names.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DGModule.hpp"
#include "DGScriptedUser.hpp"
#include "DGSettingsDialogScript.hpp"
#include "RSModuleData.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

constexpr short TestDialogId = 100;

using Handler = std::function<short(short message, short dialog, short item)>;

short HandlerTrampoline(short message, short dialog, short item, DGUserData userData, DGMessageData /*msgData*/)
{
    return (*reinterpret_cast<Handler*>(userData))(message, dialog, item);
}

// A dialog with one item of each kind.
const char* const EveryKind = R"(
  item 1 button "OK"
  item 2 button "Cancel"
  item 3 checkbox "Check"
  item 4 radio group 1 "First"
  item 5 radio group 1 "Second" value 1
  item 6 popup "A" "B" "C"
  item 7 slider min 1 max 100 value 50
  item 8 intedit min 0 max 10
  item 9 realedit value 2.5
  item 10 textedit "start"
  item 11 statictext clickable "Link"
  item 12 statictext "Label"
  item 13 picture
)";

class DGDialogTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DGScriptedUser::Reset();
    }
    void TearDown() override
    {
        DGScriptedUser::Reset();
        HostTest::TearDown();
    }

    // Runs dialog TestDialogId of a resource text made of the item lines.
    short Run(const std::string& itemLines, Handler handler, short resId = TestDialogId)
    {
        module = ParseResourceText("dialog 100 \"Test dialog\"\n" + itemLines + "\nend\n", "test.rsrc");
        return DGModalDialog(&module, resId, &module, HandlerTrampoline, reinterpret_cast<DGUserData>(&handler));
    }
    short Run(const std::string& itemLines) { return Run(itemLines, [](short, short, short) -> short { return 0; }); }

    static void PlanTest(std::vector<DGUserAction> actions, bool confirm = true)
    {
        DGScriptedUser::Plan(TestDialogId, DGUserScript{std::move(actions), confirm});
    }
    static const DGDialogRecord& Shown() { return DGScriptedUser::Transcript().back(); }
    static std::vector<std::pair<short, short>> Messages(const DGDialogRecord& record)
    {
        std::vector<std::pair<short, short>> messages;
        for (const DGMessageRecord& message : record.messages)
            messages.emplace_back(message.message, message.item);
        return messages;
    }

    RSModuleData module;
};

using MessageList = std::vector<std::pair<short, short>>;

// Closes with item 1 or 2 when clicked, as dialogs of the add-on do.
short ClosingButtons(short message, short /*dialog*/, short item)
{
    return message == DG_MSG_CLICK && (item == 1 || item == 2) ? item : 0;
}

// ---- The protocol --------------------------------------------------------------------------------

TEST_F(DGDialogTest, WithoutAPlanTheUserConfirmsAndTheCallbackSeesOpenClickClose)
{
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 1);
    const DGDialogRecord& shown = Shown();
    EXPECT_EQ(shown.resourceId, TestDialogId);
    EXPECT_EQ(shown.title, "Test dialog");
    EXPECT_EQ(shown.result, 1);
    EXPECT_EQ(Messages(shown), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
    EXPECT_TRUE(shown.notes.empty());
    EXPECT_EQ(Recorder().CountOf("DGModalDialog"), 1u);
    ASSERT_EQ(Recorder().CallsOf("DGModalDialog")[0].args.size(), 1u);
    EXPECT_EQ(Recorder().CallsOf("DGModalDialog")[0].args[0].integer, TestDialogId);
}

TEST_F(DGDialogTest, EachUserActionSendsItsMessageInOrder)
{
    PlanTest({DGUserAction::Click(3), DGUserAction::Click(4), DGUserAction::SetValue(6, 3),
              DGUserAction::Drag(7, {60, 70}), DGUserAction::Drag(7, {80}, DG_MSG_SPINTRACK),
              DGUserAction::Type(9, "7.25"), DGUserAction::Type(10, "words"), DGUserAction::Click(11)},
             false);
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 2);
    EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0},
                                              {DG_MSG_CHANGE, 3},
                                              {DG_MSG_CHANGE, 4},
                                              {DG_MSG_CHANGE, 6},
                                              {DG_MSG_TRACK, 7},
                                              {DG_MSG_TRACK, 7},
                                              {DG_MSG_CHANGE, 7},
                                              {DG_MSG_SPINTRACK, 7},
                                              {DG_MSG_CHANGE, 7},
                                              {DG_MSG_CHANGE, 9},
                                              {DG_MSG_CHANGE, 10},
                                              {DG_MSG_CLICK, 11},
                                              {DG_MSG_CLICK, 2},
                                              {DG_MSG_CLOSE, 2}}));
    const DGItemStates& items = Shown().itemsAtClose;
    EXPECT_EQ(items.at(3).value, 1);
    EXPECT_EQ(items.at(4).value, 1);
    EXPECT_EQ(items.at(5).value, 0) << "choosing a radio button turns the others of its group off";
    EXPECT_EQ(items.at(6).value, 3);
    EXPECT_EQ(items.at(7).value, 80);
    EXPECT_EQ(items.at(9).value, 7.25);
    EXPECT_EQ(items.at(9).text, "7.25");
    EXPECT_EQ(items.at(10).text, "words");
}

TEST_F(DGDialogTest, ANonzeroAnswerClosesTheDialogWithThatItemAndTheRestIsNotPlayed)
{
    PlanTest({DGUserAction::Click(3), DGUserAction::Click(3), DGUserAction::Click(3)});
    const short result = Run(EveryKind, [](short message, short, short item) -> short {
        return message == DG_MSG_CHANGE && item == 3 ? 42 : 0;
    });
    EXPECT_EQ(result, 42);
    EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CHANGE, 3}, {DG_MSG_CLOSE, 42}}));
    ASSERT_EQ(Shown().notes.size(), 1u);
    EXPECT_EQ(Shown().notes[0], "2 action(s) were not played: the dialog closed");
}

TEST_F(DGDialogTest, AnAnswerToTheOpeningClosesTheDialogAtOnce)
{
    PlanTest({DGUserAction::Click(3)});
    EXPECT_EQ(Run(EveryKind, [](short message, short, short) -> short { return message == DG_MSG_INIT ? 2 : 0; }), 2);
    EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CLOSE, 2}}));
}

TEST_F(DGDialogTest, WhenTheDialogStaysOpenTheUserTriesCancelThenTheCloseBoxThenGivesUp)
{
    struct Case {
        const char* name;
        Handler handler;
        short result;
        MessageList clicks;
    };
    const std::vector<Case> cases = {
        {"refuses OK", [](short m, short, short i) -> short { return m == DG_MSG_CLICK && i == 2 ? 2 : 0; }, 2,
         {{DG_MSG_CLICK, 1}, {DG_MSG_CLICK, 2}}},
        {"takes only the close box",
         [](short m, short, short i) -> short { return m == DG_MSG_CLICK && i == DG_CLOSEBOX ? DG_CLOSEBOX : 0; },
         DG_CLOSEBOX, {{DG_MSG_CLICK, 1}, {DG_MSG_CLICK, 2}, {DG_MSG_CLICK, DG_CLOSEBOX}}},
        {"never closes", [](short, short, short) -> short { return 0; }, 0,
         {{DG_MSG_CLICK, 1}, {DG_MSG_CLICK, 2}, {DG_MSG_CLICK, DG_CLOSEBOX}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run(EveryKind, c.handler), c.result);
        MessageList expected = {{DG_MSG_INIT, 0}};
        expected.insert(expected.end(), c.clicks.begin(), c.clicks.end());
        expected.push_back({DG_MSG_CLOSE, c.result});
        EXPECT_EQ(Messages(Shown()), expected);
    }
    EXPECT_EQ(Shown().notes.back(), "the scripted user gave up: the dialog closed without an item");
}

TEST_F(DGDialogTest, AnExplicitCloseClicksThatItemAndCancellingSkipsOK)
{
    PlanTest({DGUserAction::Close(11), DGUserAction::Click(3)});
    EXPECT_EQ(Run(EveryKind, [](short m, short, short i) -> short { return m == DG_MSG_CLICK ? i : 0; }), 11);
    EXPECT_EQ(Shown().notes, std::vector<std::string>{"1 action(s) after the closing were not played"});

    PlanTest({}, false);
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 2);
    EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CLICK, 2}, {DG_MSG_CLOSE, 2}}));
}

TEST_F(DGDialogTest, PlansAreUsedInOrderAndOnlyByTheirDialog)
{
    DGScriptedUser::Plan(999, DGUserScript{{}, false});
    PlanTest({}, false);
    PlanTest({}, true);
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 2);
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 1);
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 1) << "no plan left: the user confirms";
    DGScriptedUser::Plan(DGScriptedUser::AnyDialog, DGUserScript{{}, false});
    EXPECT_EQ(Run(EveryKind, ClosingButtons), 2) << "the plan for dialog 999 is still waiting, the open one fits";
}

TEST_F(DGDialogTest, ADialogOpenedFromACallbackRunsInsideAndGetsItsOwnId)
{
    short outerId = 0;
    short innerId = 0;
    short innerResult = 0;
    Handler inner = [&](short message, short dialog, short item) -> short {
        innerId = dialog;
        return ClosingButtons(message, dialog, item);
    };
    PlanTest({DGUserAction::Click(3)});
    const short result = Run(EveryKind, [&](short message, short dialog, short item) -> short {
        outerId = dialog;
        if (message == DG_MSG_CHANGE && item == 3) {
            innerResult = DGModalDialog(&module, TestDialogId, &module, HandlerTrampoline,
                                        reinterpret_cast<DGUserData>(&inner));
            DGSetItemValLong(dialog, 6, 2);  // the outer dialog is still open
        }
        return ClosingButtons(message, dialog, item);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(innerResult, 1);
    EXPECT_NE(outerId, innerId);
    ASSERT_EQ(DGScriptedUser::Transcript().size(), 2u) << "in the order of opening";
    const DGDialogRecord& outer = DGScriptedUser::Transcript()[0];
    EXPECT_EQ(outer.itemsAtClose.at(6).value, 2);
    EXPECT_TRUE(outer.notes.empty());
    EXPECT_EQ(Messages(outer),
              (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CHANGE, 3}, {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
    EXPECT_EQ(Messages(DGScriptedUser::Transcript()[1]),
              (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
}

// ---- Items ---------------------------------------------------------------------------------------

TEST_F(DGDialogTest, ItemCallsFollowEachKindsRules)
{
    struct Call {
        short item;
        double value;
        double kept;
        std::string text;
    };
    const std::vector<Call> calls = {
        {3, 5, 1, "Check"},    // any nonzero value checks a check box
        {6, 2, 2, ""},         // a popup entry
        {6, 4, 2, ""},         // not an entry: the popup keeps its value
        {6, 0, 2, ""},
        {7, 250, 100, ""},     // a slider keeps within its range
        {7, -3, 1, ""},
        {7, 42.6, 43, ""},     // and holds whole numbers
        {8, 12, 10, "10"},     // an integer field likewise, its text following
        {9, 0.1, 0.1, "0.1"},  // a real field shows the shortest text that reads back
        {9, 1.0 / 3.0, 1.0 / 3.0, "0.3333333333333333"},
    };
    std::vector<std::pair<double, std::string>> seen;
    Run(EveryKind, [&](short message, short dialog, short item) -> short {
        if (message == DG_MSG_INIT) {
            for (const Call& call : calls) {
                DGSetItemValDouble(dialog, call.item, call.value);
                seen.emplace_back(DGGetItemValDouble(dialog, call.item), DGGetItemText(dialog, call.item).ToUtf8());
            }
        }
        return ClosingButtons(message, dialog, item);
    });
    ASSERT_EQ(seen.size(), calls.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        EXPECT_EQ(seen[i].first, calls[i].kept);
        EXPECT_EQ(seen[i].second, calls[i].text);
    }
    EXPECT_EQ(Shown().notes.size(), 2u) << "the two popup values it has no entry for";
}

TEST_F(DGDialogTest, CallbackValuesSendNoMessagesAndCountAsModifiedOnlyAfterTheOpening)
{
    std::vector<bool> modified;
    PlanTest({DGUserAction::Type(8, "4")});
    Run(EveryKind, [&](short message, short dialog, short item) -> short {
        if (message == DG_MSG_INIT) {
            DGSetItemValLong(dialog, 3, 1);
            DGSetItemText(dialog, 12, "Changed at opening");
        }
        if (message == DG_MSG_CHANGE && item == 8) {
            DGSetItemValLong(dialog, 6, 3);
            DGSetItemValLong(dialog, 7, 50);  // the value it has already
            DGSetItemValLong(dialog, 4, 1);   // turns radio 5 off too
        }
        if (message == DG_MSG_CLOSE) {
            for (short i = 1; i <= 13; ++i)
                modified.push_back(DGModified(dialog, i));
        }
        return ClosingButtons(message, dialog, item);
    });
    EXPECT_EQ(Messages(Shown()),
              (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CHANGE, 8}, {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
    std::vector<short> modifiedItems;
    for (short i = 1; i <= 13; ++i) {
        if (modified[static_cast<std::size_t>(i - 1)])
            modifiedItems.push_back(i);
    }
    // Typed by the user (8), set by the callback after the opening (6; 4 and so 5 of its group),
    // but not item 7, which was given the value it had.
    EXPECT_EQ(modifiedItems, (std::vector<short>{4, 5, 6, 8}));
}

TEST_F(DGDialogTest, TheUserCannotUseDisabledMissingOrUnsuitedItems)
{
    struct Case {
        DGUserAction action;
        std::string note;
    };
    const std::vector<Case> cases = {
        {DGUserAction::Click(3), "refused: item 3 is disabled"},
        {DGUserAction::Click(50), "refused: there is no item 50"},
        {DGUserAction::Click(12), "refused: a statictext (item 12) cannot be clicked"},
        {DGUserAction::Click(13), "refused: a picture (item 13) cannot be clicked"},
        {DGUserAction::Type(6, "2"), "refused: a popup (item 6) cannot be typed into"},
        {DGUserAction::Type(8, "abc"), "the intedit 8 does not take \"abc\""},
        {DGUserAction::Type(8, "2.5"), "the intedit 8 does not take \"2.5\""},
        {DGUserAction::Type(9, "1e"), "the realedit 9 does not take \"1e\""},
        {DGUserAction::Type(9, ""), "the realedit 9 does not take \"\""},
        {DGUserAction::SetValue(6, 7), "popup 6 has no entry 7"},
        {DGUserAction::SetValue(5, 0), "refused: a radio button (item 5) is turned off by choosing another"},
        {DGUserAction::Drag(6, {2}), "refused: a popup (item 6) cannot be dragged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        PlanTest({c.action});
        Run(EveryKind, [](short message, short dialog, short item) -> short {
            if (message == DG_MSG_INIT)
                DGSetItemEnable(dialog, 3, false);
            return ClosingButtons(message, dialog, item);
        });
        EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
        EXPECT_EQ(Shown().notes, std::vector<std::string>{c.note});
    }
}

TEST_F(DGDialogTest, ChoosingWhatIsAlreadyChosenSendsNothing)
{
    PlanTest({DGUserAction::Click(5), DGUserAction::SetValue(6, 1), DGUserAction::SetValue(7, 50),
              DGUserAction::SetValue(3, 0)});
    Run(EveryKind, ClosingButtons);
    EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
    EXPECT_TRUE(Shown().notes.empty());
}

TEST_F(DGDialogTest, LooksKeepSnapshotsOfTheItemsAtThatMoment)
{
    PlanTest({DGUserAction::Look(), DGUserAction::SetValue(6, 2), DGUserAction::Look()});
    Run(EveryKind, [](short message, short dialog, short item) -> short {
        if (message == DG_MSG_CHANGE && item == 6)
            DGSetItemEnable(dialog, 3, false);
        return ClosingButtons(message, dialog, item);
    });
    ASSERT_EQ(Shown().looks.size(), 2u);
    EXPECT_EQ(Shown().looks[0].at(6).value, 1);
    EXPECT_TRUE(Shown().looks[0].at(3).enabled);
    EXPECT_EQ(Shown().looks[1].at(6).value, 2);
    EXPECT_FALSE(Shown().looks[1].at(3).enabled);
    EXPECT_TRUE(Shown().looks[1].at(6).modified);
    EXPECT_EQ(Shown().looks[0].at(10).text, "start");
    EXPECT_EQ(Shown().looks[0].at(7).value, 50);
}

TEST_F(DGDialogTest, CallsOnMissingItemsOrDialogsChangeNothingAndAreNoted)
{
    Int32 missingValue = -1;
    bool missingModified = true;
    Run(EveryKind, [&](short message, short dialog, short item) -> short {
        if (message == DG_MSG_INIT) {
            DGSetItemValLong(dialog, 99, 1);
            missingValue = DGGetItemValLong(dialog, 99);
            missingModified = DGModified(dialog, 99);
            DGSetItemEnable(static_cast<short>(dialog + 1), 1, false);
        }
        return ClosingButtons(message, dialog, item);
    });
    EXPECT_EQ(missingValue, 0);
    EXPECT_FALSE(missingModified);
    ASSERT_EQ(Shown().notes.size(), 4u);
    EXPECT_EQ(Shown().notes[0], "dialog 100 has no item 99");
    EXPECT_EQ(Shown().notes[1], "DGGetItemValLong: there is no item 99");
    EXPECT_EQ(Shown().notes[2], "DGModified: there is no item 99");
    EXPECT_EQ(Shown().notes[3].rfind("DGSetItemEnable: no open dialog has the id ", 0), 0u);
    EXPECT_TRUE(Shown().itemsAtClose.at(1).enabled);
}

TEST_F(DGDialogTest, AMessageTurnedOffIsNotSentAndZeroArgumentsTurnNothingOff)
{
    PlanTest({DGUserAction::Click(3), DGUserAction::Drag(7, {10}), DGUserAction::Click(4)});
    Run(EveryKind, [](short message, short dialog, short item) -> short {
        if (message == DG_MSG_INIT) {
            DGEnableMessage(dialog, 0, 0, false);
            DGEnableMessage(dialog, 0, DG_MSG_TRACK, false);
            DGEnableMessage(dialog, 3, DG_MSG_CHANGE, false);
            DGEnableMessage(dialog, 0, DG_MSG_CLOSE, false);  // always sent
        }
        return ClosingButtons(message, dialog, item);
    });
    EXPECT_EQ(Messages(Shown()), (MessageList{{DG_MSG_INIT, 0}, {DG_MSG_CHANGE, 7}, {DG_MSG_CHANGE, 4},
                                              {DG_MSG_CLICK, 1}, {DG_MSG_CLOSE, 1}}));
    EXPECT_EQ(Shown().itemsAtClose.at(3).value, 1) << "the change itself still happens";
}

TEST_F(DGDialogTest, ACallbackThatThrowsIsAnsweredWithZeroAndNoted)
{
    PlanTest({DGUserAction::Click(3)});
    EXPECT_EQ(Run(EveryKind,
                  [](short message, short dialog, short item) -> short {
                      if (message == DG_MSG_CHANGE)
                          throw std::runtime_error("callback failure");
                      return ClosingButtons(message, dialog, item);
                  }),
              1);
    EXPECT_EQ(Shown().notes, std::vector<std::string>{"the callback threw at message 6"});
}

// ---- Layouts -------------------------------------------------------------------------------------

TEST_F(DGDialogTest, AMissingDialogOrAnUnreadableLayoutShowsNothing)
{
    struct Case {
        std::string lines;
        std::string badLine;  // the line named in the note
        std::string reason;   // how the note's reason starts
    };
    const std::vector<Case> cases = {
        {"item 1 knob", "item 1 knob", "unknown item kind"},
        {"button 1", "button 1", "item line expected"},
        {"item 0 button", "item 0 button", "item number"},
        {"item 1 button\nitem 1 checkbox", "item 1 checkbox", "item 1 is given twice"},
        {"item 1 slider", "item 1 slider", "a slider needs"},
        {"item 1 slider min 5", "item 1 slider min 5", "a range needs both"},
        {"item 1 slider min 5 max 1", "item 1 slider min 5 max 1", "'min' is above"},
        {"item 1 intedit min 0 max 9 value 10", "item 1 intedit min 0 max 9 value 10", "the value lies outside"},
        {"item 1 popup", "item 1 popup", "a popup needs"},
        {"item 1 popup \"a\" value 2", "item 1 popup \"a\" value 2", "the popup's value"},
        {"item 1 checkbox value 2", "item 1 checkbox value 2", "a check box"},
        {"item 1 button clickable", "item 1 button clickable", "option 'clickable' does not suit a button"},
        {"item 1 realedit value", "item 1 realedit value", "'value' needs a number"},
        {"item 1 realedit value x", "item 1 realedit value x", "number expected"},
    };
    bool called = false;
    const Handler noteCall = [&](short, short, short) -> short {
        called = true;
        return 1;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        EXPECT_EQ(Run(c.lines, noteCall), 0);
        ASSERT_EQ(Shown().notes.size(), 1u);
        const std::string expected = "the layout of dialog 100 cannot be read: '" + c.badLine + "': " + c.reason;
        EXPECT_EQ(Shown().notes[0].rfind(expected, 0), 0u) << Shown().notes[0];
        EXPECT_TRUE(Shown().messages.empty());
    }
    EXPECT_EQ(Run(EveryKind, noteCall, 101), 0);
    EXPECT_EQ(Shown().notes, std::vector<std::string>{"the resource module has no dialog 101"});
    EXPECT_EQ(DGModalDialog(nullptr, TestDialogId, nullptr, HandlerTrampoline, 0), 0);
    EXPECT_EQ(Shown().notes, std::vector<std::string>{"no resource module"});
    EXPECT_FALSE(called);
}

TEST_F(DGDialogTest, LayoutValuesTextsAndDisabledItemsAreTheStartingState)
{
    Run("item 1 button \"OK\"\n# a comment\nitem 2 checkbox value 1 disabled \"Box\"\n"
        "item 3 popup \"x\" \"y\" value 2\nitem 4 realedit min -1 max 1\nitem 5 slider min 3 max 9",
        ClosingButtons);
    const DGItemStates& items = Shown().itemsAtClose;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items.at(1).text, "OK");
    EXPECT_EQ(items.at(2).value, 1);
    EXPECT_FALSE(items.at(2).enabled);
    EXPECT_EQ(items.at(2).text, "Box");
    EXPECT_EQ(items.at(3).value, 2);
    EXPECT_EQ(items.at(4).value, -1) << "a field with a range starts at its lower end";
    EXPECT_EQ(items.at(4).text, "-1");
    EXPECT_EQ(items.at(5).value, 3);
    EXPECT_EQ(items.at(5).kind, DGItemKind::Slider);
}

TEST_F(DGDialogTest, ResettingTheRectanglesIsRecorded)
{
    DGResetDialogRectangles();
    EXPECT_EQ(Recorder().CountOf("DGResetDialogRectangles"), 1u);
}

// ---- The settings names of the CLI ---------------------------------------------------------------

TEST_F(DGDialogTest, SettingsNamesBecomeActionsThatEnableBeforeTheQualityAndDisableAfterIt)
{
    DGUserScript script;
    std::string error;
    ASSERT_TRUE(DGSettingsDialog::MakeSettingsScript({{"scale", "2.5"},
                                                      {"use-offset", "yes"},
                                                      {"unit", "custom"},
                                                      {"current-camera", "on"},
                                                      {"cameras", "true"},
                                                      {"lights", "1"},
                                                      {"texture-quality", "40"},
                                                      {"original-textures", "off"},
                                                      {"textures", "no"},
                                                      {"material-type", "1"},
                                                      {"material-type", "3"}},
                                                     false, &script, &error))
        << error;
    EXPECT_FALSE(script.confirm);
    struct Expected {
        DGUserAction::Kind kind;
        short item;
        double value;
        std::string text;
    };
    using Kind = DGUserAction::Kind;
    const std::vector<Expected> expected = {
        {Kind::SetValue, 6, 3, ""},  {Kind::Click, 9, 0, ""},     {Kind::Type, 11, 0, "40"},
        {Kind::SetValue, 7, 0, ""},  {Kind::SetValue, 13, 1, ""}, {Kind::SetValue, 14, 1, ""},
        {Kind::SetValue, 15, 1, ""}, {Kind::SetValue, 19, 6, ""}, {Kind::Type, 18, 0, "2.5"},
        {Kind::SetValue, 21, 1, ""},
    };
    ASSERT_EQ(script.actions.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("action " + std::to_string(i));
        EXPECT_EQ(script.actions[i].kind, expected[i].kind);
        EXPECT_EQ(script.actions[i].item, expected[i].item);
        EXPECT_EQ(script.actions[i].value, expected[i].value);
        EXPECT_EQ(script.actions[i].text, expected[i].text);
    }
}

TEST_F(DGDialogTest, UnknownSettingsAndUnsuitedValuesAreRefusedWithoutAPlan)
{
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"colour", "1"},       {"material-type", "4"}, {"material-type", "two"}, {"unit", "0"},
        {"unit", "yard"},      {"unit", "2.5"},        {"textures", "maybe"},    {"texture-quality", "high"},
        {"texture-quality", "4.5"}, {"scale", "1,5"},  {"scale", ""},            {"lights", ""},
    };
    for (const auto& setting : refused) {
        SCOPED_TRACE(setting.first + "=" + setting.second);
        std::string error;
        EXPECT_FALSE(ScriptSettingsDialog({setting}, true, &error));
        EXPECT_NE(error.find("'" + setting.first + "'"), std::string::npos) << error;
    }
    ASSERT_TRUE(ScriptSettingsDialog({{"unit", "mm"}}, false));
    module = ParseResourceText(
        "dialog 32505 \"S\"\nitem 1 button\nitem 2 button\nitem 19 popup \"1\" \"2\" \"3\"\nend\n", "s.rsrc");
    Handler handler = ClosingButtons;
    EXPECT_EQ(DGModalDialog(&module, DGSettingsDialog::ResourceId, &module, HandlerTrampoline,
                            reinterpret_cast<DGUserData>(&handler)),
              2)
        << "the refused settings planned nothing; the valid plan cancels";
    EXPECT_EQ(Shown().itemsAtClose.at(19).value, 3);
}

}  // namespace
