// What the stand-in host's recorder holds after a run: it keeps every host call and every
// process-window event, so it grows with the number of calls an export makes. The benchmark shows
// it beside the memory figures, so that the host's bookkeeping is not taken for the export's.
#ifndef BENCH_HOSTRECORDERUSAGE_HPP
#define BENCH_HOSTRECORDERUSAGE_HPP

#include <cstdint>
#include <map>
#include <string>

namespace ZeltoBench {

struct HostRecorderUsage {
    std::int64_t calls = 0;
    std::int64_t processEvents = 0;
    std::int64_t heapBytes = 0;  // what clearing the recorder gave back to the heap
    std::map<std::string, std::int64_t> callsPerFunction;
};

// Counts what the recorder holds, then clears it (and every planned failure) and measures the heap
// that this released.
HostRecorderUsage MeasureAndClearHostRecorder();

// Reserves the recorder's two lists for a run like the previous one, so that they do not grow (and
// for a moment exist twice) while the export runs. The heap bytes this took.
std::int64_t PresizeHostRecorder(const HostRecorderUsage& previous);

}  // namespace ZeltoBench

#endif
