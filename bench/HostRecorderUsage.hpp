// What the stand-in host's recorder holds after a run: it keeps every host call and every
// process-window event, so its size grows with the number of calls an export makes. The benchmark
// shows it beside the memory figures, so that the host's bookkeeping is not taken for the export's.
#ifndef BENCH_HOSTRECORDERUSAGE_HPP
#define BENCH_HOSTRECORDERUSAGE_HPP

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "HostControl.hpp"

namespace ZeltoBench {

struct HostRecorderUsage {
    std::int64_t calls = 0;
    std::int64_t processEvents = 0;
    std::int64_t approximateBytes = 0;  // heap held by the recorded calls and events
    std::vector<std::pair<std::string, std::int64_t>> busiestCalls;  // most frequent first
};

HostRecorderUsage MeasureHostRecorder(const HostControl::Recorder& recorder, std::size_t busiestCount);

}  // namespace ZeltoBench

#endif
