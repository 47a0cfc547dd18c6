#include "TemporaryNames.hpp"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

#include "Definitions.hpp"

namespace {

// A well-mixed 64-bit value from a seed (splitmix64).
UInt64 Mixed(UInt64 value)
{
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// The length of the longest start of text that has at most maxBytes bytes and ends between two
// UTF-8 characters.
std::size_t CutAtCharacter(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}  // namespace

// The system's random source decides; the clock, the process and a counter stand in when it
// cannot be read.
std::string MakeUniqueNamePart()
{
    static std::atomic<UInt64> counter{0};
    UInt64 seed = static_cast<UInt64>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                  (static_cast<UInt64>(::getpid()) << 32) ^ Mixed(++counter);
    try {
        std::random_device device;
        seed ^= (static_cast<UInt64>(device()) << 32) | device();
    } catch (...) {
    }
    char digits[UniqueNamePartDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(Mixed(seed) & 0xFFFFFFFFu));
    return digits;
}

IO::Name MakeTemporaryName(const IO::Name& targetName, const std::string& uniquePart)
{
    const std::string tail = "." + uniquePart + TemporaryNameSuffix;
    const std::string& text = targetName.ToUtf8();
    const std::size_t frame = std::strlen(TemporaryNamePrefix) + tail.size();
    const std::size_t kept = CutAtCharacter(text, IO::Name::MaxNameBytes - frame);
    return IO::Name((TemporaryNamePrefix + text.substr(0, kept) + tail).c_str());
}
