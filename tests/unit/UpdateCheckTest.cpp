// The update check against a real HTTP server on the loopback interface, downloaded with the real
// libcurl: which answers count as a version file, how versions compare, what the user is shown,
// what the update dialog's items open, and the limits that keep a download from holding the host.
#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "DGScriptedUser.hpp"
#include "LogHelpers.hpp"
#include "LoopbackHttpServer.hpp"
#include "ZELTO_export_UpdateDialog.hpp"
#include "ZELTO_export_Updater.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using Action = DGUserAction;
using Result = WRL::MAUpdate::Result;

constexpr short UpdateDialog = 32550;
constexpr char VersionPath[] = "/files/updates/version.ini";
constexpr char NoConnectionText[] = "The update server could not be reached.";
constexpr char NoUpdatesText[] = "You are using the latest version.";
constexpr char DownloadUrl[] = "https://zelto.example/download/zelto-exporter.zip";
constexpr char ReleaseDate[] = "2026-02-01";
constexpr std::size_t ProductionCap = 64 * 1024;

std::string VersionFile(const std::string& version, const std::string& downloadUrl = DownloadUrl)
{
    return "version=" + version + "\nname=Zelto Exporter\ndate=" + ReleaseDate + "\ndownloadMac=" + downloadUrl + "\n";
}

// A version file of exactly size bytes: padding lines after the keys.
std::string VersionFileOfSize(std::size_t size)
{
    std::string bytes = VersionFile("2.63");
    while (bytes.size() < size) {
        const std::size_t room = size - bytes.size();
        bytes += room > 100 ? "pad=" + std::string(95, 'p') + "\n" : std::string(room - 1, '#') + "\n";
    }
    return bytes;
}

HttpAnswer Delivered(HttpAnswer answer, HttpAnswer::Delivery delivery)
{
    answer.delivery = delivery;
    return answer;
}

HttpAnswer WithoutLength(HttpAnswer answer)
{
    answer.announceLength = false;
    return answer;
}

class UpdateCheckTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DGScriptedUser::Reset();
        SetLogSink([this](LogLevel, const char* message) { logged.emplace_back(message); });
    }
    void TearDown() override
    {
        DGScriptedUser::Reset();
        HostTest::TearDown();
    }

    // The production limits with the loopback server's address over plain http, for the request
    // and its redirects; a generous time-out, so that only a stalling server ever reaches it.
    static WRL::UpdateServer Loopback(const std::string& url, long transferTimeoutMs = 10000)
    {
        WRL::UpdateServer server = WRL::UpdateServer::Production();
        server.url = url;
        server.protocols = "http";
        server.redirectProtocols = "http";
        server.transferTimeoutMs = transferTimeoutMs;
        return server;
    }

    // The check's result, after the outcome was shown to a user who closes any dialog with item 2.
    int CheckAndShow(const WRL::UpdateServer& server)
    {
        DGScriptedUser::Plan(UpdateDialog, DGUserScript{{}, false});
        WRL::MAUpdate update;
        const int result = update.CheckVersion(server);
        update.ShowOutcome(result);
        return result;
    }

    bool Logged(const std::string& part) const
    {
        for (const std::string& line : logged) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> logged;
};

// What the user was shown: the alert's text, or the update dialog's three values.
struct Shown {
    std::string alert;
    std::vector<std::string> dialogTexts;  // items 9, 10 and 11
};

Shown ShownToTheUser(const HostControl::Recorder& recorder)
{
    Shown shown;
    for (const HostControl::AlertRecord& alert : recorder.alerts) {
        EXPECT_EQ(alert.title, "Zelto Exporter");
        shown.alert += alert.text;
    }
    if (const DGDialogRecord* dialog = DGScriptedUser::LastRecordOf(UpdateDialog)) {
        for (const short item : {9, 10, 11})
            shown.dialogTexts.push_back(dialog->itemsAtClose.at(item).text);
    }
    return shown;
}

Shown NoConnection()
{
    return {NoConnectionText, {}};
}
Shown NoUpdates()
{
    return {NoUpdatesText, {}};
}
Shown UpdateDialogWith(const std::string& version)
{
    return {"", {"2.62", version, ReleaseDate}};
}

struct CheckCase {
    const char* what;
    std::function<void(LoopbackHttpServer&)> script;  // the answers; VersionPath is the one fetched
    int expected;
    Shown shown;
    const char* logged;  // part of the line that names the failure; empty when nothing failed
};

void AnswerVersion(LoopbackHttpServer& server, HttpAnswer answer)
{
    server.Answer(VersionPath, std::move(answer));
}

std::function<void(LoopbackHttpServer&)> Serves(std::string body)
{
    return [body](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::Ok(body)); };
}

std::function<void(LoopbackHttpServer&)> ServesVersion(const std::string& version)
{
    return Serves(VersionFile(version));
}

// A chain of redirects from VersionPath, hop by hop, to the version file.
std::function<void(LoopbackHttpServer&)> RedirectsThrough(int hops)
{
    return [hops](LoopbackHttpServer& server) {
        std::string from = VersionPath;
        for (int hop = 1; hop <= hops; ++hop) {
            const std::string to = "/hop" + std::to_string(hop);
            server.Answer(from, HttpAnswer::RedirectTo(hop == hops ? "/final.ini" : to));
            from = to;
        }
        server.Answer("/final.ini", HttpAnswer::Ok(VersionFile("2.63")));
    };
}

TEST_F(UpdateCheckTest, EachAnswerOfTheServerGivesItsResultAndWhatTheUserSees)
{
    const std::string longUrl = "https://zelto.example/" + std::string(300, 'd') + "version=9";
    const std::vector<CheckCase> cases = {
        {"the same version", ServesVersion("2.62"), Result::SameVersion, NoUpdates(), ""},
        {"a difference below 0.0001", ServesVersion("2.62005"), Result::SameVersion, NoUpdates(), ""},
        {"a third number is ignored", ServesVersion("2.62.1"), Result::SameVersion, NoUpdates(), ""},
        {"a newer version", ServesVersion("2.63"), Result::NewerVersion, UpdateDialogWith("2.63"), ""},
        {"a newer major version", ServesVersion("3"), Result::NewerVersion, UpdateDialogWith("3"), ""},
        {"an older version", ServesVersion("2.5"), Result::OlderVersion, NoUpdates(), ""},
        {"2.100 is older than 2.62", ServesVersion("2.100"), Result::OlderVersion, NoUpdates(), ""},
        {"version UNKNOWN", ServesVersion("UNKNOWN"), Result::NoVersionFile, NoConnection(), "not a number"},
        {"no version key", Serves("name=Zelto Exporter\ndate=2026-02-01\n"), Result::NoVersionFile, NoConnection(),
         "\"UNKNOWN\" is not a number"},
        {"a blank version", ServesVersion(""), Result::NoVersionFile, NoConnection(), "not a number"},
        {"a version of blanks", ServesVersion("   "), Result::NoVersionFile, NoConnection(), "not a number"},
        {"a version that is no number", ServesVersion("abc"), Result::NoVersionFile, NoConnection(), "not a number"},
        {"a tab before the version", ServesVersion("\t2.63"), Result::NewerVersion, UpdateDialogWith("\t2.63"), ""},
        {"a plus sign", ServesVersion("+2.63"), Result::NewerVersion, UpdateDialogWith("+2.63"), ""},
        {"white space, then a plus sign", ServesVersion("\t\v +2.62"), Result::SameVersion, NoUpdates(), ""},
        {"two signs", ServesVersion("+-2.63"), Result::NoVersionFile, NoConnection(), "not a number"},
        {"a number too large for a float is infinity", ServesVersion("1e999"), Result::NewerVersion,
         UpdateDialogWith("1e999"), ""},
        {"a number too small for a float is 0", ServesVersion("1e-999"), Result::OlderVersion, NoUpdates(), ""},
        {"a hexadecimal number", ServesVersion("0x3p0"), Result::NewerVersion, UpdateDialogWith("0x3p0"), ""},
        {"a decimal comma ends the number", ServesVersion("3,5"), Result::NewerVersion, UpdateDialogWith("3,5"), ""},
        {"infinity spelled out", ServesVersion("inf"), Result::NoVersionFile, NoConnection(), "not a number"},
        {"", ServesVersion("\t-Infinity"), Result::NoVersionFile, NoConnection(), "not a number"},
        {"not a number spelled out", ServesVersion("+NaN"), Result::NoVersionFile, NoConnection(), "not a number"},
        {"keys in another order, blanks around '=', extra keys and CR LF",
         Serves("downloadMac = https://zelto.example/z.zip\r\n[release]\r\nchannel=stable\r\n date = 2026-02-01 "
                "\r\nname=Zelto\r\n\r\nversion = 2.63 \r\n"),
         Result::NewerVersion, UpdateDialogWith("2.63"), ""},
        {"a byte-order mark before the first key", Serves("\xEF\xBB\xBF" + VersionFile("2.63")),
         Result::NewerVersion, UpdateDialogWith("2.63"), ""},
        {"the tail of a long download URL is no version key", Serves("downloadMac=" + longUrl + "\nversion=2.62\n"),
         Result::SameVersion, NoUpdates(), ""},
        {"an empty answer", Serves(""), Result::NoVersionFile, NoConnection(), "not a number"},
        {"a 404 page that holds a version",
         [](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::Status(404, VersionFile("9"))); },
         Result::NoVersionFile, NoConnection(), "HTTP status 404"},
        {"a server error",
         [](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::Status(500, VersionFile("9"))); },
         Result::NoVersionFile, NoConnection(), "HTTP status 500"},
        {"a partial answer",
         [](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::Status(206, VersionFile("9"))); },
         Result::NoVersionFile, NoConnection(), "HTTP status 206"},
        {"another success than 200",
         [](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::Status(203, VersionFile("9"))); },
         Result::NoVersionFile, NoConnection(), "HTTP status 203"},
        {"no content",
         [](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::Status(204)); }, Result::NoVersionFile,
         NoConnection(), "HTTP status 204"},
        {"a body cut short",
         [](LoopbackHttpServer& server) {
             AnswerVersion(server, Delivered(HttpAnswer::Ok(VersionFile("2.63")), HttpAnswer::Delivery::CutShort));
         },
         Result::NoVersionFile, NoConnection(), "failed"},
        {"a redirect is followed", RedirectsThrough(1), Result::NewerVersion, UpdateDialogWith("2.63"), ""},
        {"five redirects are followed", RedirectsThrough(5), Result::NewerVersion, UpdateDialogWith("2.63"), ""},
        {"a sixth redirect is not", RedirectsThrough(6), Result::NoVersionFile, NoConnection(), "failed"},
        {"a redirect to another protocol",
         [](LoopbackHttpServer& server) { AnswerVersion(server, HttpAnswer::RedirectTo("file:///etc/hostname")); },
         Result::NoVersionFile, NoConnection(), "failed"},
        {"a body of exactly the cap", Serves(VersionFileOfSize(ProductionCap)), Result::NewerVersion,
         UpdateDialogWith("2.63"), ""},
        {"an announced body over the cap", Serves(VersionFileOfSize(ProductionCap + 1)), Result::NoVersionFile,
         NoConnection(), "failed"},
        {"an unannounced body over the cap",
         [](LoopbackHttpServer& server) {
             AnswerVersion(server, WithoutLength(HttpAnswer::Ok(VersionFileOfSize(ProductionCap + 1))));
         },
         Result::NoVersionFile, NoConnection(), "larger than 65536 bytes"},
    };
    for (const CheckCase& check : cases) {
        SCOPED_TRACE(check.what);
        Recorder().Clear();
        DGScriptedUser::Reset();
        logged.clear();
        LoopbackHttpServer server;
        check.script(server);

        EXPECT_EQ(CheckAndShow(Loopback(server.UrlOf(VersionPath))), check.expected);
        const Shown shown = ShownToTheUser(Recorder());
        EXPECT_EQ(shown.alert, check.shown.alert);
        EXPECT_EQ(shown.dialogTexts, check.shown.dialogTexts);
        EXPECT_TRUE(Recorder().openedUrls.empty()) << "nothing opens without the user's click";
        if (*check.logged != '\0') {
            EXPECT_TRUE(Logged(check.logged)) << "expected a log line with: " << check.logged;
        } else {
            EXPECT_TRUE(logged.empty()) << logged.front();
        }
    }
}

TEST_F(UpdateCheckTest, NoServerOrAStallingOneGivesTheNoConnectionAlert)
{
    {
        SCOPED_TRACE("connection refused");
        const RefusingLoopbackPort refusing;
        const std::string url = "http://127.0.0.1:" + std::to_string(refusing.Port()) + VersionPath;
        EXPECT_EQ(CheckAndShow(Loopback(url)), Result::NoVersionFile);
        EXPECT_TRUE(Logged("failed"));
    }
    {
        SCOPED_TRACE("a server that never answers");
        LoopbackHttpServer server;
        AnswerVersion(server, Delivered(HttpAnswer::Ok(VersionFile("2.63")), HttpAnswer::Delivery::Stall));
        EXPECT_EQ(CheckAndShow(Loopback(server.UrlOf(VersionPath), 300)), Result::NoVersionFile);
        EXPECT_TRUE(Logged("timed out")) << (logged.empty() ? "" : logged.back());
    }
    ASSERT_EQ(Recorder().alerts.size(), 2u);
    for (const HostControl::AlertRecord& alert : Recorder().alerts)
        EXPECT_EQ(alert.text, NoConnectionText);
}

// A server that never takes the connection is given up at the connect time-out, long before the
// transfer time-out would end the wait.
TEST_F(UpdateCheckTest, AServerThatNeverTakesTheConnectionIsGivenUpAtTheConnectTimeOut)
{
    const UnansweredLoopbackPort unanswered;
    WRL::UpdateServer server = Loopback(unanswered.UrlOf(VersionPath), 10000);
    server.connectTimeoutMs = 250;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CheckAndShow(server), Result::NoVersionFile);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count(), server.transferTimeoutMs / 2)
        << "the transfer time-out ended the wait, not the connect time-out";
    EXPECT_TRUE(Logged("failed")) << (logged.empty() ? "" : logged.back());
    ASSERT_EQ(Recorder().alerts.size(), 1u);
    EXPECT_EQ(Recorder().alerts.front().text, NoConnectionText);
}

// A redirect must lead to a protocol the redirects allow, even one that the first request may use:
// the menu's server redirects over https only.
TEST_F(UpdateCheckTest, ARedirectToAProtocolThatRedirectsMayNotUseIsRefused)
{
    LoopbackHttpServer server;
    AnswerVersion(server, HttpAnswer::RedirectTo(server.UrlOf("/final.ini")));
    server.Answer("/final.ini", HttpAnswer::Ok(VersionFile("2.63")));
    WRL::UpdateServer httpsRedirectsOnly = Loopback(server.UrlOf(VersionPath));
    httpsRedirectsOnly.redirectProtocols = WRL::UpdateServer::Production().redirectProtocols;

    EXPECT_EQ(CheckAndShow(httpsRedirectsOnly), Result::NoVersionFile);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{std::string("GET ") + VersionPath + " HTTP/1.1"});
    EXPECT_TRUE(Logged("failed"));

    SCOPED_TRACE("the same redirect where http may be redirected to");
    EXPECT_EQ(CheckAndShow(Loopback(server.UrlOf(VersionPath))), Result::NewerVersion);
}

// The host's signal handlers are its own. Unless told to use no signals, libcurl ignores SIGPIPE
// for the length of a download by swapping the process's handler, which other threads of the host
// would see, and times out name lookups with alarms.
TEST_F(UpdateCheckTest, TheDownloadLeavesTheHostsSignalHandlersAlone)
{
    struct HostHandler {
        static void Handle(int) {}
    };
    struct sigaction hostAction = {};
    hostAction.sa_handler = &HostHandler::Handle;
    sigemptyset(&hostAction.sa_mask);
    struct sigaction before = {};
    ASSERT_EQ(sigaction(SIGPIPE, &hostAction, &before), 0);

    std::atomic<void (*)(int)> duringDownload{nullptr};
    LoopbackHttpServer server;
    AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.63")));
    server.WhileAnswering([&duringDownload] {
        struct sigaction current = {};
        sigaction(SIGPIPE, nullptr, &current);
        duringDownload = current.sa_handler;
    });
    const int result = CheckAndShow(Loopback(server.UrlOf(VersionPath)));
    sigaction(SIGPIPE, &before, nullptr);

    EXPECT_EQ(result, Result::NewerVersion);
    EXPECT_EQ(duringDownload.load(), &HostHandler::Handle) << "libcurl replaced the host's SIGPIPE handler";
}

// The values of a check never outlive it: a failed download leaves nothing of an earlier one.
TEST_F(UpdateCheckTest, AFailedCheckForgetsTheValuesOfAnEarlierOne)
{
    LoopbackHttpServer server;
    AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.63")));
    WRL::MAUpdate update;
    ASSERT_EQ(update.CheckVersion(Loopback(server.UrlOf(VersionPath))), Result::NewerVersion);
    EXPECT_EQ(update.version, "2.63");
    EXPECT_EQ(update.downloadMac, DownloadUrl);
    EXPECT_EQ(update.name, "Zelto Exporter");

    AnswerVersion(server, HttpAnswer::Status(500, VersionFile("2.63")));
    EXPECT_EQ(update.CheckVersion(Loopback(server.UrlOf(VersionPath))), Result::NoVersionFile);
    EXPECT_EQ(update.version, "");
    EXPECT_EQ(update.date, "");
    EXPECT_EQ(update.downloadMac, "");
}

// The menu's server is HTTPS only: a plain http address is refused before any request is sent.
TEST_F(UpdateCheckTest, TheProductionServerTakesHttpsOnlyWithBoundedWaits)
{
    const WRL::UpdateServer production = WRL::UpdateServer::Production();
    EXPECT_EQ(production.url.rfind("https://", 0), 0u) << production.url;
    EXPECT_EQ(production.url, std::string("https://zelto.example/files/updates/") + WRL::versionFile);
    EXPECT_EQ(production.protocols, "https");
    EXPECT_EQ(production.redirectProtocols, "https");
    EXPECT_GT(production.connectTimeoutMs, 0);
    EXPECT_LE(production.connectTimeoutMs, 10000);
    EXPECT_GT(production.transferTimeoutMs, 0);
    EXPECT_LE(production.transferTimeoutMs, 30000);
    EXPECT_EQ(production.maxBytes, ProductionCap);
    EXPECT_EQ(production.maxRedirects, 5);

    LoopbackHttpServer server;
    AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.63")));
    WRL::UpdateServer plainHttp = production;
    plainHttp.url = server.UrlOf(VersionPath);
    EXPECT_EQ(WRL::MAUpdate().CheckVersion(plainHttp), Result::NoVersionFile);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(Logged("failed"));
}

struct DialogCase {
    const char* what;
    std::vector<DGUserAction> actions;
    short closedWith;
    std::vector<std::string> opened;
};

TEST_F(UpdateCheckTest, TheDialogsLinksOpenTheirPagesAndLeaveItOpen)
{
    const std::vector<DialogCase> cases = {
        {"download, changelog, then close", {Action::Click(1), Action::Click(12), Action::Close(2)}, 2,
         {DownloadUrl, WRL::changelogUrl}},
        {"close at once", {Action::Close(2)}, 2, {}},
        {"the close box", {Action::Click(12), Action::Close(DG_CLOSEBOX)}, DG_CLOSEBOX, {WRL::changelogUrl}},
        {"other items do nothing", {Action::Click(3), Action::Click(9), Action::Close(2)}, 2, {}},
    };
    LoopbackHttpServer server;
    AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.70")));
    for (const DialogCase& dialog : cases) {
        SCOPED_TRACE(dialog.what);
        Recorder().Clear();
        DGScriptedUser::Reset();
        DGScriptedUser::Plan(UpdateDialog, DGUserScript{dialog.actions, false});
        WRL::MAUpdate update;
        update.ShowOutcome(update.CheckVersion(Loopback(server.UrlOf(VersionPath))));
        const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(UpdateDialog);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->result, dialog.closedWith);
        EXPECT_EQ(Recorder().openedUrls, dialog.opened);
        EXPECT_TRUE(Recorder().alerts.empty());
    }
}

struct DownloadLinkCase {
    std::string url;
    bool opened;
    const char* logged;
};

// The version file keeps 255 characters of a line: a download address that filled its line may have
// lost its end, and the page it names then is not the one the server meant. The other buttons work.
TEST_F(UpdateCheckTest, ADownloadAddressCutAtTheLineLimitIsNotOpened)
{
    const std::string lineStart = "downloadMac=";
    const std::string prefix = "https://zelto.example/download/";
    const std::string fillsTheLine = prefix + std::string(255 - lineStart.size() - prefix.size(), 'z');
    const std::vector<DownloadLinkCase> cases = {
        {fillsTheLine, true, ""},
        {fillsTheLine + "z", false, "was cut"},
        {fillsTheLine + "/zelto-exporter-2.63.zip", false, "was cut"},
    };
    for (const DownloadLinkCase& link : cases) {
        SCOPED_TRACE(link.url.size());
        Recorder().Clear();
        DGScriptedUser::Reset();
        logged.clear();
        LoopbackHttpServer server;
        AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.70", link.url)));
        DGScriptedUser::Plan(UpdateDialog,
                             DGUserScript{{Action::Click(1), Action::Click(12), Action::Close(2)}, false});
        WRL::MAUpdate update;
        update.ShowOutcome(update.CheckVersion(Loopback(server.UrlOf(VersionPath))));

        const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(UpdateDialog);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->result, 2);
        std::vector<std::string> opened = {WRL::changelogUrl};
        if (link.opened)
            opened.insert(opened.begin(), link.url);
        EXPECT_EQ(Recorder().openedUrls, opened);
        if (link.opened) {
            EXPECT_TRUE(logged.empty()) << logged.front();
        } else {
            EXPECT_TRUE(Logged(link.logged));
        }
    }
}

// The download address comes from the server: only a web page is opened; anything else is
// refused, logged, and the dialog stays open.
TEST_F(UpdateCheckTest, OnlyAWebPageIsOpenedForTheDownload)
{
    const std::vector<DownloadLinkCase> cases = {
        {"http://zelto.example/zelto.zip", true, ""},
        {"HTTPS://zelto.example/zelto.zip", true, ""},
        {"javascript:alert(1)", false, "is not a web page"},
        {"file:///etc/passwd", false, "is not a web page"},
        {"zelto-update://install", false, "is not a web page"},
        {"https://", false, "is not a web page"},
    };
    for (const DownloadLinkCase& link : cases) {
        SCOPED_TRACE(link.url);
        Recorder().Clear();
        DGScriptedUser::Reset();
        logged.clear();
        LoopbackHttpServer server;
        AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.70", link.url)));
        DGScriptedUser::Plan(UpdateDialog, DGUserScript{{Action::Click(1), Action::Close(2)}, false});
        WRL::MAUpdate update;
        update.ShowOutcome(update.CheckVersion(Loopback(server.UrlOf(VersionPath))));

        const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(UpdateDialog);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->result, 2) << "the click on the download button leaves the dialog open";
        EXPECT_EQ(Recorder().openedUrls, link.opened ? std::vector<std::string>{link.url} : std::vector<std::string>{});
        if (!link.opened) {
            EXPECT_TRUE(Logged(link.logged));
        }
    }

    SCOPED_TRACE("the system cannot open the page");
    logged.clear();
    HostControl::InjectError("PlatformOpenURL", -1);
    LoopbackHttpServer server;
    AnswerVersion(server, HttpAnswer::Ok(VersionFile("2.70")));
    DGScriptedUser::Plan(UpdateDialog, DGUserScript{{Action::Click(1), Action::Close(2)}, false});
    WRL::MAUpdate update;
    update.ShowOutcome(update.CheckVersion(Loopback(server.UrlOf(VersionPath))));
    EXPECT_TRUE(Logged("could not be opened"));
    EXPECT_EQ(DGScriptedUser::LastRecordOf(UpdateDialog)->result, 2);
}

}  // namespace
