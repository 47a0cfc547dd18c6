// The stand-in host's control room: it records what the add-on asked of the host (calls, alerts,
// beeps, debug lines, process-window events, launched commands, opened URLs) and holds the
// failures that tests inject into chosen host calls. Host-side only: the add-on never sees it.
#ifndef HOSTCONTROL_HOSTCONTROL_HPP
#define HOSTCONTROL_HOSTCONTROL_HPP

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#define HOSTCONTROL_EXPORT __attribute__((visibility("default")))

namespace HostControl {

struct HostArg {
    enum class Kind { Integer, Real, Pointer, Text };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double real = 0.0;
    std::uintptr_t pointer = 0;
    std::string text;

    static HostArg Int(std::int64_t value);
    static HostArg Real(double value);
    static HostArg Ptr(const void* value);
    static HostArg Text(std::string value);
    bool operator==(const HostArg& other) const;
};

struct HostCall {
    std::string function;    // the operation's named form, e.g. "ACAPI_Window_GetCurrentWindow"
    std::string dispatcher;  // empty for a named call, else the dispatch function, e.g. "ACAPI_Database"
    std::uint32_t selector = 0;
    std::vector<HostArg> args;
};

struct AlertRecord {
    int kind = 0;
    std::string title, text, third, button1, button2, button3;
};

struct Recorder {
    // Host calls and process-window events are kept only while this is set. Long runs that nobody
    // inspects (the command line, benchmarks) switch it off so the record does not grow with the model.
    bool keepCalls = true;
    std::vector<HostCall> calls;
    std::vector<AlertRecord> alerts;
    int beeps = 0;
    std::vector<std::string> debugLines;
    std::vector<std::string> processEvents;
    std::vector<std::vector<std::string>> launchedCommands;
    std::vector<std::string> openedUrls;
    std::vector<std::string> reports;
    // Every injection point consulted, in order, kept only while keepPoints is set: the host calls
    // of a run, for a sweep that fails each of them in turn.
    bool keepPoints = false;
    std::vector<std::string> points;

    void Clear();
    // The calls of one operation, in order.
    std::vector<HostCall> CallsOf(const std::string& function) const;
    std::size_t CountOf(const std::string& function) const;
};

HOSTCONTROL_EXPORT Recorder& TheRecorder();

// A failure planned for a named injection point: a host call ("ACAPI_Window_GetCurrentWindow"),
// a framework operation ("GSPref::Write:Export Scale", "IO::File::Write") or a model read.
struct Failure {
    enum class Kind { ErrorCode, HostException, OtherException, OutOfMemory };
    Kind kind = Kind::ErrorCode;
    std::int32_t code = 0;
    int skip = 0;    // let this many calls pass first
    int times = -1;  // how many calls fail after that; -1 for all
};

HOSTCONTROL_EXPORT void Inject(const std::string& point, const Failure& failure);
HOSTCONTROL_EXPORT void InjectError(const std::string& point, std::int32_t code, int skip = 0, int times = -1);
// A failure for whichever point is consulted as the number-th (from 1) after this call, whatever
// its name; skip and times of the failure are not used. FailedPoint tells which point it went to.
HOSTCONTROL_EXPORT void InjectAtConsultation(std::int64_t number, const Failure& failure);
HOSTCONTROL_EXPORT std::string FailedPoint();
// Clears every planned failure, the one by number included.
HOSTCONTROL_EXPORT void ClearFailures();
// Consulted by the host at each injection point; counts the call.
HOSTCONTROL_EXPORT std::optional<Failure> TakeFailure(const std::string& point);

// Debug output of the host (DBPrintf) also goes to this stream when set (the CLI's stderr).
HOSTCONTROL_EXPORT void SetDebugEcho(std::function<void(const std::string&)> echo);
HOSTCONTROL_EXPORT void EchoDebug(const std::string& line);

// Clears the recorder and every planned failure.
HOSTCONTROL_EXPORT void ResetAll();

}  // namespace HostControl

#endif
