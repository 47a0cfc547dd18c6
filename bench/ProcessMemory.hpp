// The process's resident memory as Linux reports it in /proc/self/status, and the reset of its
// peak, so that the growth during one step of a run can be told from what came before.
#ifndef BENCH_PROCESSMEMORY_HPP
#define BENCH_PROCESSMEMORY_HPP

#include <cstdint>

namespace ZeltoBench {

struct ResidentMemory {
    std::int64_t peakKiB = -1;     // VmHWM; -1 when it cannot be read
    std::int64_t currentKiB = -1;  // VmRSS
};

ResidentMemory ReadResidentMemory();

// Gives the heap's free memory back to the system, so that what a later step allocates shows as
// growth instead of filling the holes that earlier steps left.
void ReleaseFreeHeapMemory();

// Sets the peak to the current resident size (writes "5" to /proc/self/clear_refs). False when
// the kernel refuses; the peak then still holds everything since the process started.
bool ResetPeakResidentMemory();

}  // namespace ZeltoBench

#endif
