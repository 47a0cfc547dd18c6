#include "HostControl.hpp"

namespace HostControl {

HostArg HostArg::Int(std::int64_t value)
{
    HostArg arg;
    arg.kind = Kind::Integer;
    arg.integer = value;
    return arg;
}

HostArg HostArg::Real(double value)
{
    HostArg arg;
    arg.kind = Kind::Real;
    arg.real = value;
    return arg;
}

HostArg HostArg::Ptr(const void* value)
{
    HostArg arg;
    arg.kind = Kind::Pointer;
    arg.pointer = reinterpret_cast<std::uintptr_t>(value);
    return arg;
}

HostArg HostArg::Text(std::string value)
{
    HostArg arg;
    arg.kind = Kind::Text;
    arg.text = std::move(value);
    return arg;
}

bool HostArg::operator==(const HostArg& other) const
{
    return kind == other.kind && integer == other.integer && real == other.real && pointer == other.pointer &&
           text == other.text;
}

void Recorder::Clear()
{
    *this = Recorder();
}

std::vector<HostCall> Recorder::CallsOf(const std::string& function) const
{
    std::vector<HostCall> found;
    for (const HostCall& call : calls) {
        if (call.function == function)
            found.push_back(call);
    }
    return found;
}

std::size_t Recorder::CountOf(const std::string& function) const
{
    return CallsOf(function).size();
}

Recorder& TheRecorder()
{
    static Recorder recorder;
    return recorder;
}

namespace {

struct PlannedFailure {
    Failure failure;
    int seen = 0;
};

std::map<std::string, PlannedFailure>& Planned()
{
    static std::map<std::string, PlannedFailure> planned;
    return planned;
}

struct FailureByNumber {
    std::int64_t number = 0;  // 0: none planned
    Failure failure;
    std::int64_t consulted = 0;
    std::string failedPoint;
};

FailureByNumber& ByNumber()
{
    static FailureByNumber planned;
    return planned;
}

std::function<void(const std::string&)>& DebugEcho()
{
    static std::function<void(const std::string&)> echo;
    return echo;
}

}  // namespace

void Inject(const std::string& point, const Failure& failure)
{
    Planned()[point] = PlannedFailure{failure, 0};
}

void InjectError(const std::string& point, std::int32_t code, int skip, int times)
{
    Failure failure;
    failure.kind = Failure::Kind::ErrorCode;
    failure.code = code;
    failure.skip = skip;
    failure.times = times;
    Inject(point, failure);
}

void InjectAtConsultation(std::int64_t number, const Failure& failure)
{
    ByNumber() = FailureByNumber{number, failure, 0, std::string()};
}

std::string FailedPoint()
{
    return ByNumber().failedPoint;
}

void ClearFailures()
{
    Planned().clear();
    ByNumber() = FailureByNumber();
}

std::optional<Failure> TakeFailure(const std::string& point)
{
    if (TheRecorder().keepPoints)
        TheRecorder().points.push_back(point);
    FailureByNumber& byNumber = ByNumber();
    if (byNumber.number > 0 && ++byNumber.consulted == byNumber.number) {
        byNumber.failedPoint = point;
        return byNumber.failure;
    }
    auto found = Planned().find(point);
    if (found == Planned().end())
        return std::nullopt;
    PlannedFailure& planned = found->second;
    const int index = planned.seen++;
    if (index < planned.failure.skip)
        return std::nullopt;
    if (planned.failure.times >= 0 && index >= planned.failure.skip + planned.failure.times)
        return std::nullopt;
    return planned.failure;
}

void SetDebugEcho(std::function<void(const std::string&)> echo)
{
    DebugEcho() = std::move(echo);
}

void EchoDebug(const std::string& line)
{
    if (DebugEcho())
        DebugEcho()(line);
}

void ResetAll()
{
    TheRecorder().Clear();
    ClearFailures();
}

}  // namespace HostControl
