// Log family, debug channel, report window and alerts as the host sees them.
#include <string>
#include <utility>
#include <vector>

#include "HostReportWindow.hpp"
#include "LogHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

#if ZELTO_ACAPI_VERSION <= 25
const std::string UnknownError = "???";
#else
const std::string UnknownError = "Unknown Error";
#endif

const std::string LongText(3000, 'x');

class LogHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallReportWindow();
    }

    // Installs a sink that keeps every message it receives.
    void CaptureLog()
    {
        SetLogSink([this](LogLevel level, const char* message) { logged.emplace_back(level, message); });
    }

    // Nothing reached the host: no call, line, beep, alert or report.
    void ExpectHostUntouched()
    {
        EXPECT_TRUE(Recorder().calls.empty());
        EXPECT_TRUE(Recorder().debugLines.empty());
        EXPECT_TRUE(Recorder().reports.empty());
        EXPECT_TRUE(Recorder().alerts.empty());
        EXPECT_EQ(Recorder().beeps, 0);
    }

    // Whether the report call at position index asked for the dialog too.
    bool ReportWithDialog(std::size_t index)
    {
        const std::vector<HostControl::HostCall> calls = Recorder().CallsOf("ACAPI_WriteReportText");
        EXPECT_GT(calls.size(), index);
        return calls.size() > index && calls[index].args.at(1).integer != 0;
    }

    std::vector<std::pair<LogLevel, std::string>> logged;
};

}  // namespace

TEST_F(LogHelpersTest, LogCallsGoToTheDebugChannelWithoutASink)
{
    LogMessageFatal("fatal %d\n", 1);
    LogMessageError("error %s\n", "text");
    LogMessageWarning("warning\n");
    LogMessageInfo("info\n");
    LogMessageDebug("debug\n");
    LogMessageTrace("trace\n");
    LogMessage(LogLevel_Error, "dispatched %d\n", 2);
    LogMessage(static_cast<LogLevel>(7), "no level\n");
    LogMessageError("%s", "100%d, shown as it is\n");
    const std::vector<std::string> expected = {"fatal 1\n", "error text\n", "warning\n",   "info\n",
                                               "debug\n",   "trace\n",      "dispatched 2\n",
                                               "100%d, shown as it is\n"};
    EXPECT_EQ(Recorder().debugLines, expected);
    EXPECT_TRUE(Recorder().calls.empty());
    EXPECT_TRUE(Recorder().alerts.empty());
    EXPECT_EQ(Recorder().beeps, 0);
}

TEST_F(LogHelpersTest, EachFunctionFormatsAtItsOwnLevel)
{
    CaptureLog();
    LogMessageFatal("f%d", 1);
    LogMessageError("e%d", 2);
    LogMessageWarning("w%d", 3);
    LogMessageInfo("i%d", 4);
    LogMessageDebug("d%s", "5");
    LogMessageTrace("t%c", '6');
    const std::vector<std::pair<LogLevel, std::string>> expected = {
        {LogLevel_Fatal, "f1"}, {LogLevel_Error, "e2"}, {LogLevel_Warning, "w3"},
        {LogLevel_Info, "i4"},  {LogLevel_Debug, "d5"}, {LogLevel_Trace, "t6"}};
    EXPECT_EQ(logged, expected);
    ExpectHostUntouched();
}

TEST_F(LogHelpersTest, LogMessageDispatchesLevelsOneToSixAndIgnoresTheRest)
{
    CaptureLog();
    for (Int32 value = 1; value <= 6; ++value) {
        logged.clear();
        const LogLevel level = static_cast<LogLevel>(value);
        LogMessage(level, "level %d, %s", static_cast<int>(value), "arguments kept");
        ASSERT_EQ(logged.size(), 1u) << value;
        EXPECT_EQ(logged[0].first, level);
        EXPECT_EQ(logged[0].second, "level " + std::to_string(value) + ", arguments kept");
    }
    logged.clear();
    for (Int32 value : {0, 7, -1, 100}) {
        const LogLevel level = static_cast<LogLevel>(value);
        LogMessage(level, "level %d", static_cast<int>(value));
    }
    EXPECT_TRUE(logged.empty());
}

TEST_F(LogHelpersTest, TextFormsDoNothingEvenWithASink)
{
    CaptureLog();
    const GS::UniString message("text form %d");
    LogMessageFatal(message);
    LogMessageError(message);
    LogMessageWarning(message);
    LogMessageInfo(message);
    LogMessageDebug(message);
    LogMessageTrace(message);
    LogMessage(LogLevel_Error, message);
    DBPrintfNewLine("line");
    DBPrintfNewLine(message);
    EXPECT_TRUE(logged.empty());
    ExpectHostUntouched();
}

TEST_F(LogHelpersTest, LongMessagesAreCutTo2047Bytes)
{
    CaptureLog();
    LogMessageError("%s", LongText.c_str());
    const std::string exactly(2047, 'y');
    LogMessage(LogLevel_Info, "%s", exactly.c_str());
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0].second, LongText.substr(0, 2047));
    EXPECT_EQ(logged[1].second, exactly);
}

TEST_F(LogHelpersTest, ErrorBeepPrintsTheErrorNameAndBeeps)
{
    ErrorBeep("Zelto_export:: Cannot get 3D sight\n", APIERR_NOTSUPPORTED);
    ErrorBeep("Zelto_export:: Write Zombie element\n", 0);
    ErrorBeep("100%d done", 12345);
    const std::vector<std::string> expected = {"Zelto_export:: Cannot get 3D sight\n: APIERR_NOTSUPPORTED\n",
                                               "Zelto_export:: Write Zombie element\n: NO_ERROR\n",
                                               "100%d done: " + UnknownError + "\n"};
    EXPECT_EQ(Recorder().debugLines, expected);
    EXPECT_EQ(Recorder().beeps, 3);
    EXPECT_TRUE(Recorder().alerts.empty());
    EXPECT_TRUE(Recorder().reports.empty());
}

TEST_F(LogHelpersTest, ReportTextsAreShownLiterally)
{
    WriteReport("Saved %s", "plan%d.Zelto");
    WriteReport("100%% done");
    WriteReport_Alert("Error in APICmd_GetPointID: %d", -3);
    const std::vector<std::string> expected = {"Saved plan%d.Zelto", "100% done", "Error in APICmd_GetPointID: -3"};
    EXPECT_EQ(Recorder().reports, expected);
    EXPECT_FALSE(ReportWithDialog(0));
    EXPECT_FALSE(ReportWithDialog(1));
    EXPECT_TRUE(ReportWithDialog(2));
}

TEST_F(LogHelpersTest, LongReportsAreCutTo2047Bytes)
{
    WriteReport("%s", LongText.c_str());
    WriteReport_Alert("%s", LongText.c_str());
    ASSERT_EQ(Recorder().reports.size(), 2u);
    EXPECT_EQ(Recorder().reports[0], LongText.substr(0, 2047));
    EXPECT_EQ(Recorder().reports[1], LongText.substr(0, 2047));
}

TEST_F(LogHelpersTest, ErrorAndEndReportsNameTheCode)
{
    WriteReport_Err("Cannot open %s", APIERR_CANCEL);
    WriteReport_End(0);
    WriteReport_End(APIERR_BADID);
    WriteReport_End(12345);
    const std::vector<std::string> expected = {"Cannot open %s: APIERR_CANCEL", "OK", "Error: APIERR_BADID",
                                               "Error: " + UnknownError};
    EXPECT_EQ(Recorder().reports, expected);
    EXPECT_TRUE(ReportWithDialog(0));
    EXPECT_FALSE(ReportWithDialog(1));
    EXPECT_FALSE(ReportWithDialog(2));
    EXPECT_FALSE(ReportWithDialog(3));
}

TEST_F(LogHelpersTest, DebugReportGoesOnlyToTheDebugChannel)
{
    WriteReport_Debug("count %d, file %s\n", 7, "a%sb");
    const std::vector<std::string> expected = {"count 7, file a%sb\n"};
    EXPECT_EQ(Recorder().debugLines, expected);
    EXPECT_TRUE(Recorder().reports.empty());
    EXPECT_EQ(Recorder().CountOf("ACAPI_WriteReportText"), 0u);
}

TEST_F(LogHelpersTest, AlertsHaveOneOkButtonAndTheirKind)
{
    const GS::UniString title("Zelto Exporter");
    const GS::UniString text("Größe: 100%d");
    DGAlertInfo("Zelto Exporter", "Größe: 100%d");
    DGAlertWarning("Zelto Exporter", "Größe: 100%d");
    DGAlertError("Zelto Exporter", "Größe: 100%d");
    DGAlertInfo(title, text);
    DGAlertWarning(title, text);
    DGAlertError(title, text);

    const std::vector<int> expectedKinds = {-3, -2, -1, -3, -2, -1};
    ASSERT_EQ(Recorder().alerts.size(), expectedKinds.size());
    for (std::size_t i = 0; i < expectedKinds.size(); ++i) {
        const HostControl::AlertRecord& alert = Recorder().alerts[i];
        EXPECT_EQ(alert.kind, expectedKinds[i]) << i;
        EXPECT_EQ(alert.title, "Zelto Exporter") << i;
        EXPECT_EQ(alert.text, "Größe: 100%d") << i;
        EXPECT_EQ(alert.third, "") << i;
        EXPECT_EQ(alert.button1, "OK") << i;
        EXPECT_EQ(alert.button2, "") << i;
        EXPECT_EQ(alert.button3, "") << i;
    }
}
