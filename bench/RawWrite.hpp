// The yardstick for the export's file output: the same number of bytes written to a file of the
// same folder with plain POSIX writes of 1 MiB blocks, then closed.
#ifndef BENCH_RAWWRITE_HPP
#define BENCH_RAWWRITE_HPP

#include <cstdint>
#include <string>

namespace ZeltoBench {

constexpr std::size_t RawWriteBlockBytes = 1024 * 1024;

enum class RawWriteEnd {
    Close,          // close only: the bytes may still be in the system's cache
    SyncThenClose   // fsync, then close: the bytes are on the disk, as the export leaves its file
};

// Creates (or truncates) path, writes byteCount bytes and ends as told; the file is removed
// afterwards. The seconds taken, from open to close; false with a reason when a call fails.
bool TimeRawWrite(const std::string& path, std::int64_t byteCount, RawWriteEnd end, double* seconds,
                  std::string* error);

}  // namespace ZeltoBench

#endif
