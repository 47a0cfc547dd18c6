// Bytes of the C++ heap in use (everything allocated through operator new, in the benchmark and in
// the stand-in frameworks alike) and their peak, so that the export's own heap can be told from
// the host's bookkeeping. Memory handles of the host (BMNewHandle) come from malloc directly and are
// not counted. The benchmark replaces the global operator new and delete to count.
#ifndef BENCH_HEAPCOUNTER_HPP
#define BENCH_HEAPCOUNTER_HPP

#include <cstdint>

namespace ZeltoBench {

std::int64_t HeapBytesInUse();
std::int64_t PeakHeapBytesInUse();
// The peak starts again from what is in use now.
void ResetPeakHeapBytes();

}  // namespace ZeltoBench

#endif
