#include "LogHelpers.hpp"

#include <cstdio>

#include "ACAPinc.h"
#include "DGModule.hpp"
#include "DebugChannel.hpp"
#include "GSUtils.hpp"
#include "HostNames.hpp"

namespace {

LogSink& CurrentSink()
{
    static LogSink sink;
    return sink;
}

// A longer message is cut; the buffer is always terminated.
void FormatMessage(char (&message)[LogBufferSize], const char* format, va_list args)
{
    std::vsnprintf(message, sizeof message, format, args);
}

// Formats into a message buffer of its own and hands the text to the sink, or else to the host's
// debug channel, where the host shows it when a command fails.
void Emit(LogLevel level, const char* format, va_list args)
{
    char message[LogBufferSize];
    FormatMessage(message, format, args);
    if (CurrentSink())
        CurrentSink()(level, message);
    else
        DBPrintf("%s", message);
}

void ShowAlert(short kind, const GS::UniString& title, const GS::UniString& text)
{
    DGAlert(kind, title, text, GS::UniString(), GS::UniString("OK"), GS::UniString(), GS::UniString());
}

}  // namespace

void SetLogSink(LogSink sink)
{
    CurrentSink() = std::move(sink);
}

void LogMessageTraceV(const char* format, va_list args) { Emit(LogLevel_Trace, format, args); }
void LogMessageDebugV(const char* format, va_list args) { Emit(LogLevel_Debug, format, args); }
void LogMessageInfoV(const char* format, va_list args) { Emit(LogLevel_Info, format, args); }
void LogMessageWarningV(const char* format, va_list args) { Emit(LogLevel_Warning, format, args); }
void LogMessageErrorV(const char* format, va_list args) { Emit(LogLevel_Error, format, args); }
void LogMessageFatalV(const char* format, va_list args) { Emit(LogLevel_Fatal, format, args); }

#define ZELTO_DEFINE_LOG_FUNCTION(name)        \
    void name(const char* format, ...)         \
    {                                          \
        va_list args;                          \
        va_start(args, format);                \
        name##V(format, args);                 \
        va_end(args);                          \
    }                                          \
    void name(const GS::UniString& /*message*/) {}

ZELTO_DEFINE_LOG_FUNCTION(LogMessageTrace)
ZELTO_DEFINE_LOG_FUNCTION(LogMessageDebug)
ZELTO_DEFINE_LOG_FUNCTION(LogMessageInfo)
ZELTO_DEFINE_LOG_FUNCTION(LogMessageWarning)
ZELTO_DEFINE_LOG_FUNCTION(LogMessageError)
ZELTO_DEFINE_LOG_FUNCTION(LogMessageFatal)
#undef ZELTO_DEFINE_LOG_FUNCTION

void LogMessage(const LogLevel& level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    switch (level) {
        case LogLevel_Fatal: LogMessageFatalV(format, args); break;
        case LogLevel_Error: LogMessageErrorV(format, args); break;
        case LogLevel_Warning: LogMessageWarningV(format, args); break;
        case LogLevel_Info: LogMessageInfoV(format, args); break;
        case LogLevel_Debug: LogMessageDebugV(format, args); break;
        case LogLevel_Trace: LogMessageTraceV(format, args); break;
        default: break;
    }
    va_end(args);
}

void LogMessage(const LogLevel& /*level*/, const GS::UniString& /*message*/) {}

void ErrorBeep(const char* info, int errorCode)
{
    DBPrintf("%s: %s\n", info, ErrID_To_Name(errorCode));
    GSSysBeep();
}

void DBPrintfNewLine(const char* /*text*/) {}
void DBPrintfNewLine(const GS::UniString& /*text*/) {}

// The formatted text reaches the host as an argument of "%s", so a percent sign in a file name is
// shown as it is.
void WriteReport(const char* format, ...)
{
    char message[LogBufferSize];
    va_list args;
    va_start(args, format);
    FormatMessage(message, format, args);
    va_end(args);
    ACAPI_WriteReport("%s", false, message);
}

void WriteReport_Alert(const char* format, ...)
{
    char message[LogBufferSize];
    va_list args;
    va_start(args, format);
    FormatMessage(message, format, args);
    va_end(args);
    ACAPI_WriteReport("%s", true, message);
}

void WriteReport_Debug(const char* format, ...)
{
    char message[LogBufferSize];
    va_list args;
    va_start(args, format);
    FormatMessage(message, format, args);
    va_end(args);
    DBPrintf("%s", message);
}

void WriteReport_Err(const char* info, int errorCode)
{
    ACAPI_WriteReport("%s: %s", true, info, ErrID_To_Name(errorCode));
}

void WriteReport_End(int errorCode)
{
    if (errorCode != 0)
        ACAPI_WriteReport("Error: %s", false, ErrID_To_Name(errorCode));
    else
        ACAPI_WriteReport("OK", false);
}

void DGAlertInfo(const char* title, const char* text)
{
    ShowAlert(-3, GS::UniString(title, CC_Default), GS::UniString(text, CC_Default));
}

void DGAlertWarning(const char* title, const char* text)
{
    ShowAlert(-2, GS::UniString(title, CC_Default), GS::UniString(text, CC_Default));
}

void DGAlertError(const char* title, const char* text)
{
    ShowAlert(-1, GS::UniString(title, CC_Default), GS::UniString(text, CC_Default));
}

void DGAlertInfo(const GS::UniString& title, const GS::UniString& text) { ShowAlert(-3, title, text); }
void DGAlertWarning(const GS::UniString& title, const GS::UniString& text) { ShowAlert(-2, title, text); }
void DGAlertError(const GS::UniString& title, const GS::UniString& text) { ShowAlert(-1, title, text); }
