// The progress functions against the host's process window: the protocol an export follows, the
// numbers the host is handed, the user's cancel, and the window's own bookkeeping and bar.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "Progress.hpp"
#include "ProcessWindow.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using Events = std::vector<std::string>;

class ProgressTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallProcessWindow(window);
    }

    const Events& ProcessEvents() { return Recorder().processEvents; }

    ZeltoHost::ProcessWindow window;
    const GS::UniString saving = GS::UniString("Saving file");
    const GS::UniString layers = GS::UniString("Saving layers");
    const GS::UniString stories = GS::UniString("Saving stories");
};

// What the bar stream received.
std::string ContentOf(std::FILE* stream)
{
    std::fflush(stream);
    std::rewind(stream);
    std::string content;
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream))
        content.push_back(static_cast<char>(c));
    return content;
}

const Int32 Half = 2;
const std::string EmptyBar = "[1/3] Saving layers [" + std::string(30, ' ') + "] 0%";
const std::string HalfwayBar = "[1/3] Saving layers [" + std::string(15, '#') + std::string(15, ' ') + "] 50%";

// Opens a window of three phases, begins the first ("Saving layers", 4 steps), runs the steps given,
// then closes the window twice, as the export does after a cancel.
void DriveWindow(ZeltoHost::ProcessWindow& window, const std::function<void()>& steps)
{
    const GS::UniString title("Saving file");
    const GS::UniString phase("Saving layers");
    const Int32 phases = 3;
    const Int32 maximum = 4;
    window.Init(&title, &phases);
    window.NextPhase(&phase, &maximum);
    steps();
    window.Close();
    window.Close();
}

// A pseudo-terminal in raw mode (newlines not turned into CR LF): its stream is a terminal, and
// what is written to it is read back on the other side.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        controller = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (controller < 0 || ::grantpt(controller) != 0 || ::unlockpt(controller) != 0)
            return;
        const char* name = ::ptsname(controller);
        const int device = name != nullptr ? ::open(name, O_RDWR | O_NOCTTY) : -1;
        termios settings {};
        if (device < 0 || ::tcgetattr(device, &settings) != 0) {
            if (device >= 0)
                ::close(device);
            return;
        }
        ::cfmakeraw(&settings);
        ::tcsetattr(device, TCSANOW, &settings);
        stream = ::fdopen(device, "w");
        if (stream == nullptr)
            ::close(device);
    }
    ~PseudoTerminal()
    {
        if (stream != nullptr)
            std::fclose(stream);
        if (controller >= 0)
            ::close(controller);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return stream != nullptr; }
    std::FILE* Stream() const { return stream; }

    // What was written, up to count bytes; gives up after a second without more.
    std::string ReadWritten(std::size_t count) const
    {
        std::string written;
        pollfd ready = {controller, POLLIN, 0};
        char buffer[256];
        while (written.size() < count && ::poll(&ready, 1, 1000) > 0) {
            const ssize_t got = ::read(controller, buffer, sizeof buffer);
            if (got <= 0)
                break;
            written.append(buffer, static_cast<std::size_t>(got));
        }
        return written;
    }

private:
    int controller = -1;
    std::FILE* stream = nullptr;
};

}  // namespace

TEST_F(ProgressTest, AnExportThatCompletesOpensOnceAndClosesOnce)
{
    Progress::Init(saving, 9, nullptr);
    Progress::Next(layers, 2, nullptr);
    for (int layer = 1; layer <= 2; ++layer) {
        Progress::SetValue(layer);
        EXPECT_EQ(Progress::IsCancelled(), 0);
    }
    Progress::Next(stories, 0, nullptr);  // announced although there is nothing to walk
    Progress::Close();

    EXPECT_EQ(ProcessEvents(), (Events{"Init \"Saving file\" 9", "Next \"Saving layers\" 2", "SetValue 1",
                                       "IsCanceled no", "SetValue 2", "IsCanceled no", "Next \"Saving stories\" 0",
                                       "Close"}));
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(window.Phase(), 2);
}

TEST_F(ProgressTest, CancelAtAChosenPollThenTheSecondCloseIsHarmless)
{
    window.CancelAtPoll(3);
    Progress::Init(saving, 9, nullptr);
    Progress::Next(layers, 5, nullptr);
    std::vector<int> answers;
    for (int layer = 1; layer <= 5; ++layer) {
        Progress::SetValue(layer);
        answers.push_back(Progress::IsCancelled());
        if (answers.back() != 0) {
            Progress::Close();  // the pass
            break;
        }
    }
    Progress::Close();  // the engine on its way out

    EXPECT_EQ(answers, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(window.Value(), 3);
    EXPECT_EQ(ProcessEvents().back(), "Close (closed)");
    EXPECT_EQ(ProcessEvents()[ProcessEvents().size() - 2], "Close");
    EXPECT_FALSE(window.IsOpen());
}

TEST_F(ProgressTest, TheCancelStaysUntilTheWindowIsOpenedAgain)
{
    window.CancelAtPoll(1);
    Progress::Init(saving, 1, nullptr);
    EXPECT_NE(Progress::IsCancelled(), 0);
    EXPECT_NE(Progress::IsCancelled(), 0);
    Progress::Close();
    window.CancelAtPoll(0);
    Progress::Init(saving, 1, nullptr);
    EXPECT_EQ(Progress::IsCancelled(), 0);
}

TEST_F(ProgressTest, HostGetsTheNumbersInCopiesAndTheIncrementInTheCallersVariable)
{
    std::vector<Int32> seen;
    Host().ACAPI_ProcessWindow_InitProcessWindow = [&](const GS::UniString* title, Int32* count,
                                                       API_ProcessControlTypeID* control) -> GSErrCode {
        EXPECT_EQ(title, &saving);
        EXPECT_EQ(control, nullptr);
        seen.push_back(*count);
        *count = -1;  // a host writing back must not reach the caller
        return NoError;
    };
    Host().ACAPI_ProcessWindow_SetNextProcessPhase = [&](const GS::UniString* title, Int32* maximum,
                                                         bool* flag) -> GSErrCode {
        EXPECT_EQ(title, &layers);
        EXPECT_EQ(*flag, true);
        seen.push_back(*maximum);
        return NoError;
    };
    Host().ACAPI_ProcessWindow_SetProcessValue = [&](Int32* value) -> GSErrCode {
        seen.push_back(*value);
        return NoError;
    };
    Host().ACAPI_ProcessWindow_IncProcessValue = [&](Int32* increment) -> GSErrCode {
        seen.push_back(*increment);
        *increment = 100;
        return NoError;
    };

    const int phases = 13;
    bool flag = true;
    int increment = 4;
    Progress::Init(saving, phases, nullptr);
    Progress::Next(layers, 72, &flag);
    Progress::SetValue(46);
    Progress::IncrementValue(increment);

    EXPECT_EQ(seen, (std::vector<Int32>{13, 72, 46, 4}));
    EXPECT_EQ(phases, 13);
    EXPECT_EQ(increment, 100);
    const std::vector<HostControl::HostCall> increments = Recorder().CallsOf("ACAPI_ProcessWindow_IncProcessValue");
    ASSERT_EQ(increments.size(), 1u);
    EXPECT_EQ(increments[0].args.at(0).pointer, reinterpret_cast<std::uintptr_t>(&increment));
}

TEST_F(ProgressTest, CancelPollTakesTheHostsAnswerAndANamedFunctionInEveryVersion)
{
    Host().ACAPI_ProcessWindow_IsProcessCanceled = [] { return true; };
    EXPECT_EQ(Progress::IsCancelled(), 1);
    const std::vector<HostControl::HostCall> calls = Recorder().CallsOf("ACAPI_ProcessWindow_IsProcessCanceled");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].dispatcher, "");

    // A host without the function never reports a cancel.
    API_FunctionTable table = *ZeltoHost::HostApi::Instance().TableFor(AddonApiVersion);
    table.operations[APIOp_ACAPI_ProcessWindow_IsProcessCanceled] = nullptr;
    ASSERT_EQ(SetImportedFuncAddrs(API_ProtocolFormat, &table), NoError);
    EXPECT_EQ(Progress::IsCancelled(), 0);
    ASSERT_EQ(SetImportedFuncAddrs(API_ProtocolFormat, ZeltoHost::HostApi::Instance().TableFor(AddonApiVersion)),
              NoError);
}

TEST_F(ProgressTest, CallsOutsideAnOpenWindowAreServedAndMarked)
{
    Progress::Next(layers, 3, nullptr);
    Progress::SetValue(1);
    Progress::Init(saving, 2, nullptr);
    Progress::Init(saving, 4, nullptr);
    int increment = 2;
    Progress::IncrementValue(increment);
    Progress::IncrementValue(increment);
    Progress::Close();
    Progress::Close();

    EXPECT_EQ(ProcessEvents(), (Events{"Next \"Saving layers\" 3 (closed)", "SetValue 1 (closed)",
                                       "Init \"Saving file\" 2", "Init \"Saving file\" 4 (reopened)", "IncValue 2",
                                       "IncValue 2", "Close", "Close (closed)"}));
    EXPECT_EQ(window.PhaseCount(), 4);
    EXPECT_EQ(window.Value(), 4);
}

TEST(ProcessWindowBar, ATerminalBarDrawsEachChangeOnceAndEndsTheLineOnClose)
{
    HostControl::ResetAll();
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    ZeltoHost::ProcessWindow window;
    window.DrawBarOn(stream, ZeltoHost::BarStyle::Redrawn);
    DriveWindow(window, [&] {
        window.SetValue(&Half);
        window.SetValue(&Half);  // unchanged: not drawn again
    });

    EXPECT_EQ(ContentOf(stream), "\r" + EmptyBar + "\r" + HalfwayBar + "\n");
    std::fclose(stream);
    HostControl::ResetAll();
}

// A log file or a pipe keeps every redraw, so it gets plain lines: a phase's start and the close.
TEST(ProcessWindowBar, AStreamThatIsNoTerminalGetsOneLinePerPhaseAndOneAtTheClose)
{
    const GS::UniString stories("Saving stories");
    const Int32 two = 2;
    const Int32 one = 1;
    struct Case {
        const char* name;
        std::function<void(ZeltoHost::ProcessWindow&)> drive;
        std::string expected;
    };
    const Case cases[] = {
        {"two phases, the second left half done",
         [&](ZeltoHost::ProcessWindow& window) {
             DriveWindow(window, [&] {
                 window.SetValue(&Half);
                 window.IncrementValue(&Half);
                 window.NextPhase(&stories, &two);
                 window.SetValue(&one);
             });
         },
         "[1/3] Saving layers (0 of 4)\n[2/3] Saving stories (0 of 2)\nClosed at [2/3] Saving stories (1 of 2)\n"},
        {"a window closed before any phase",
         [&](ZeltoHost::ProcessWindow& window) {
             const GS::UniString title("Saving file");
             window.Init(&title, &two);
             window.Close();
         },
         ""},
        {"calls on a closed window",
         [&](ZeltoHost::ProcessWindow& window) {
             window.NextPhase(&stories, &two);
             window.SetValue(&one);
             window.Close();
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostControl::ResetAll();
        std::FILE* stream = std::tmpfile();
        ASSERT_NE(stream, nullptr);
        ZeltoHost::ProcessWindow window;
        window.DrawBarOn(stream);  // a temporary file is no terminal
        c.drive(window);
        EXPECT_EQ(ContentOf(stream), c.expected);
        std::fclose(stream);
    }
    HostControl::ResetAll();
}

// The window tells a terminal by its stream: a pseudo-terminal gets the redrawn bar.
TEST(ProcessWindowBar, ATerminalStreamGetsTheRedrawnBar)
{
    HostControl::ResetAll();
    PseudoTerminal terminal;
    if (!terminal.IsOpen())
        GTEST_SKIP() << "no pseudo-terminal here";
    ZeltoHost::ProcessWindow window;
    window.DrawBarOn(terminal.Stream());
    DriveWindow(window, [&] { window.SetValue(&Half); });

    const std::string expected = "\r" + EmptyBar + "\r" + HalfwayBar + "\n";
    EXPECT_EQ(terminal.ReadWritten(expected.size()), expected);
    HostControl::ResetAll();
}
