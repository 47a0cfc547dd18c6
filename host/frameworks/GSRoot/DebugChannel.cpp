#include "DebugChannel.hpp"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "HostControl.hpp"

namespace {

void PrintToChannel(const char* format, va_list args)
{
    char buffer[4096];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    HostControl::TheRecorder().debugLines.emplace_back(buffer);
    HostControl::EchoDebug(buffer);
}

}  // namespace

GS::DebugChannel dbChannel;

void DBPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    PrintToChannel(format, args);
    va_end(args);
}

void GS::DebugChannel::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    PrintToChannel(format, args);
    va_end(args);
}
