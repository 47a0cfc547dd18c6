// Diagnostics of the add-on: the log family, the debug-channel helpers, the report window and the
// one-button alerts.
#ifndef TOOLKIT_LOGHELPERS_HPP
#define TOOLKIT_LOGHELPERS_HPP

#include <cstdarg>
#include <functional>

#include "UniString.hpp"

enum LogLevel : Int32 {
    LogLevel_Fatal = 1,
    LogLevel_Error = 2,
    LogLevel_Warning = 3,
    LogLevel_Info = 4,
    LogLevel_Debug = 5,
    LogLevel_Trace = 6
};

// Every log message ends up here. Without a sink (the shipped add-on installs none) messages go to
// the host's debug channel (DBPrintf): a user never sees them, the host's log and its developer do.
using LogSink = std::function<void(LogLevel level, const char* message)>;
void SetLogSink(LogSink sink);

// A formatted message keeps at most this many bytes, its terminator included.
constexpr int LogBufferSize = 2048;

#define ZELTO_PRINTF(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))

void LogMessageTrace(const char* format, ...) ZELTO_PRINTF(1, 2);
void LogMessageDebug(const char* format, ...) ZELTO_PRINTF(1, 2);
void LogMessageInfo(const char* format, ...) ZELTO_PRINTF(1, 2);
void LogMessageWarning(const char* format, ...) ZELTO_PRINTF(1, 2);
void LogMessageError(const char* format, ...) ZELTO_PRINTF(1, 2);
void LogMessageFatal(const char* format, ...) ZELTO_PRINTF(1, 2);
void LogMessage(const LogLevel& level, const char* format, ...) ZELTO_PRINTF(2, 3);

void LogMessageTraceV(const char* format, va_list args) ZELTO_PRINTF(1, 0);
void LogMessageDebugV(const char* format, va_list args) ZELTO_PRINTF(1, 0);
void LogMessageInfoV(const char* format, va_list args) ZELTO_PRINTF(1, 0);
void LogMessageWarningV(const char* format, va_list args) ZELTO_PRINTF(1, 0);
void LogMessageErrorV(const char* format, va_list args) ZELTO_PRINTF(1, 0);
void LogMessageFatalV(const char* format, va_list args) ZELTO_PRINTF(1, 0);

// The text forms do nothing at all.
void LogMessageTrace(const GS::UniString& message);
void LogMessageDebug(const GS::UniString& message);
void LogMessageInfo(const GS::UniString& message);
void LogMessageWarning(const GS::UniString& message);
void LogMessageError(const GS::UniString& message);
void LogMessageFatal(const GS::UniString& message);
void LogMessage(const LogLevel& level, const GS::UniString& message);

// Debug channel.
void ErrorBeep(const char* info, int errorCode);
void DBPrintfNewLine(const char* text);
void DBPrintfNewLine(const GS::UniString& text);

// Report window.
void WriteReport(const char* format, ...) ZELTO_PRINTF(1, 2);
void WriteReport_Alert(const char* format, ...) ZELTO_PRINTF(1, 2);
void WriteReport_Debug(const char* format, ...) ZELTO_PRINTF(1, 2);
void WriteReport_Err(const char* info, int errorCode);
void WriteReport_End(int errorCode);

// One-button "OK" alerts.
void DGAlertInfo(const char* title, const char* text);
void DGAlertWarning(const char* title, const char* text);
void DGAlertError(const char* title, const char* text);
void DGAlertInfo(const GS::UniString& title, const GS::UniString& text);
void DGAlertWarning(const GS::UniString& title, const GS::UniString& text);
void DGAlertError(const GS::UniString& title, const GS::UniString& text);

#endif
