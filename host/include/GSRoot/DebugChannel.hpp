// The host's debug channel.
#ifndef GSROOT_DEBUGCHANNEL_HPP
#define GSROOT_DEBUGCHANNEL_HPP

#include "Definitions.hpp"

GSROOT_DLL_EXPORT void DBPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace GS {
// The channel object; lines printed to it reach the same place as DBPrintf.
class GSROOT_DLL_EXPORT DebugChannel {
public:
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
};
}  // namespace GS

GSROOT_DLL_EXPORT extern GS::DebugChannel dbChannel;

#endif
