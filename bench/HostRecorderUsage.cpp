#include "HostRecorderUsage.hpp"

#include "HeapCounter.hpp"
#include "HostControl.hpp"

namespace ZeltoBench {

HostRecorderUsage MeasureAndClearHostRecorder()
{
    const HostControl::Recorder& recorder = HostControl::TheRecorder();
    HostRecorderUsage usage;
    usage.calls = static_cast<std::int64_t>(recorder.calls.size());
    usage.processEvents = static_cast<std::int64_t>(recorder.processEvents.size());
    for (const HostControl::HostCall& call : recorder.calls)
        ++usage.callsPerFunction[call.function];

    const std::int64_t before = HeapBytesInUse();
    HostControl::ResetAll();
    usage.heapBytes = before - HeapBytesInUse();
    return usage;
}

std::int64_t PresizeHostRecorder(const HostRecorderUsage& previous)
{
    const std::int64_t before = HeapBytesInUse();
    HostControl::Recorder& recorder = HostControl::TheRecorder();
    recorder.calls.reserve(static_cast<std::size_t>(previous.calls));
    recorder.processEvents.reserve(static_cast<std::size_t>(previous.processEvents));
    return HeapBytesInUse() - before;
}

}  // namespace ZeltoBench
