#include "RawWrite.hpp"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace ZeltoBench {

namespace {

std::string Failure(const char* call, const std::string& path)
{
    return std::string(call) + " " + path + ": " + std::strerror(errno);
}

// Writes all of count bytes, going on after short writes and interrupts.
bool WriteAll(int descriptor, const char* bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(descriptor, bytes, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool TimeRawWrite(const std::string& path, std::int64_t byteCount, RawWriteEnd end, double* seconds,
                  std::string* error)
{
    std::vector<char> block(RawWriteBlockBytes);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 31 + 7);  // not all zeros, like real data

    const auto start = std::chrono::steady_clock::now();
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0) {
        *error = Failure("open", path);
        return false;
    }
    bool ok = true;
    for (std::int64_t left = byteCount; ok && left > 0;) {
        const std::size_t count = left < static_cast<std::int64_t>(block.size()) ? static_cast<std::size_t>(left)
                                                                                  : block.size();
        ok = WriteAll(descriptor, block.data(), count);
        left -= static_cast<std::int64_t>(count);
    }
    if (!ok)
        *error = Failure("write", path);
    if (ok && end == RawWriteEnd::SyncThenClose && ::fsync(descriptor) != 0) {
        *error = Failure("fsync", path);
        ok = false;
    }
    if (::close(descriptor) != 0 && ok) {
        *error = Failure("close", path);
        ok = false;
    }
    const auto finish = std::chrono::steady_clock::now();
    ::unlink(path.c_str());
    *seconds = std::chrono::duration<double>(finish - start).count();
    return ok;
}

}  // namespace ZeltoBench
