#include "HostRecorderUsage.hpp"

#include <algorithm>
#include <map>

namespace ZeltoBench {

namespace {

// Heap bytes of a string beyond the object itself (none while the text fits the small buffer).
std::int64_t HeapBytes(const std::string& text)
{
    return text.capacity() > std::string().capacity() ? static_cast<std::int64_t>(text.capacity() + 1) : 0;
}

std::int64_t HeapBytes(const HostControl::HostCall& call)
{
    std::int64_t bytes = HeapBytes(call.function) + HeapBytes(call.dispatcher);
    bytes += static_cast<std::int64_t>(call.args.capacity() * sizeof(HostControl::HostArg));
    for (const HostControl::HostArg& arg : call.args)
        bytes += HeapBytes(arg.text);
    return bytes;
}

}  // namespace

HostRecorderUsage MeasureHostRecorder(const HostControl::Recorder& recorder, std::size_t busiestCount)
{
    HostRecorderUsage usage;
    usage.calls = static_cast<std::int64_t>(recorder.calls.size());
    usage.processEvents = static_cast<std::int64_t>(recorder.processEvents.size());
    usage.approximateBytes = static_cast<std::int64_t>(recorder.calls.capacity() * sizeof(HostControl::HostCall) +
                                                       recorder.processEvents.capacity() * sizeof(std::string));
    std::map<std::string, std::int64_t> perFunction;
    for (const HostControl::HostCall& call : recorder.calls) {
        usage.approximateBytes += HeapBytes(call);
        ++perFunction[call.function];
    }
    for (const std::string& event : recorder.processEvents)
        usage.approximateBytes += HeapBytes(event);

    usage.busiestCalls.assign(perFunction.begin(), perFunction.end());
    std::sort(usage.busiestCalls.begin(), usage.busiestCalls.end(),
              [](const auto& left, const auto& right) { return left.second > right.second; });
    if (usage.busiestCalls.size() > busiestCount)
        usage.busiestCalls.resize(busiestCount);
    return usage;
}

}  // namespace ZeltoBench
