#include "SceneFiles.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZeltoHost {

namespace {

// Closes the descriptor on every way out.
class OpenFile {
public:
    explicit OpenFile(int descriptor) : descriptor(descriptor) {}
    ~OpenFile()
    {
        if (descriptor >= 0)
            close(descriptor);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return descriptor; }

private:
    int descriptor;
};

bool Fail(std::string* problem, const std::string& why)
{
    if (problem != nullptr)
        *problem = why;
    return false;
}

std::string SystemReason(int error)
{
    return std::strerror(error);
}

// "a folder", "a pipe", ... for what is not a regular file.
std::string KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "a special file";
}

std::string SizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t MiB = std::uint64_t(1) << 20;
    if (bytes % MiB == 0)
        return std::to_string(bytes / MiB) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// Reads up to maxBytes + 1 bytes: the size the file claims is only a hint, since a file may grow
// while it is read and some (those of /proc) claim none at all.
bool ReadAtMost(int descriptor, std::uint64_t maxBytes, const std::string& what, std::string* bytes,
                std::string* problem)
{
    char chunk[64 * 1024];
    for (;;) {
        const std::uint64_t room = maxBytes + 1 - bytes->size();
        const std::size_t asked = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof chunk, room));
        const ssize_t got = read(descriptor, chunk, asked);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Fail(problem, "cannot read " + what + ": " + SystemReason(errno));
        if (got == 0)
            return true;
        bytes->append(chunk, static_cast<std::size_t>(got));
        if (bytes->size() > maxBytes)
            return Fail(problem, what + " holds more than " + SizeText(maxBytes));
    }
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, const std::string& what, std::string* bytes,
                     std::string* problem)
{
    bytes->clear();
    // Without O_NONBLOCK, opening a pipe that nobody writes would wait for a writer forever.
    const OpenFile file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Descriptor() < 0)
        return Fail(problem, "cannot open " + what + ": " + SystemReason(errno));
    struct stat status;
    if (fstat(file.Descriptor(), &status) != 0)
        return Fail(problem, "cannot read " + what + ": " + SystemReason(errno));
    if (!S_ISREG(status.st_mode))
        return Fail(problem, what + " is " + KindOf(status.st_mode) + ", not a regular file");
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes)
        return Fail(problem, what + " holds more than " + SizeText(maxBytes));
    try {
        bytes->reserve(static_cast<std::size_t>(status.st_size));
        return ReadAtMost(file.Descriptor(), maxBytes, what, bytes, problem);
    } catch (const std::bad_alloc&) {
        bytes->clear();
        return Fail(problem, "not enough memory to read " + what);
    }
}

}  // namespace ZeltoHost
