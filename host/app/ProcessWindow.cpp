#include "ProcessWindow.hpp"

#include <algorithm>

#include <unistd.h>

#include "HostControl.hpp"

namespace ZeltoHost {

namespace {

constexpr int BarWidth = 30;

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

int PercentOf(Int32 value, Int32 maximum)
{
    if (maximum <= 0)
        return 0;
    const double ratio = static_cast<double>(value) / static_cast<double>(maximum);
    return static_cast<int>(std::clamp(ratio, 0.0, 1.0) * 100.0);
}

// Carriage returns redraw a line only on a terminal; in a log file each redraw would stay.
BarStyle StyleFor(std::FILE* stream)
{
    if (stream == nullptr)
        return BarStyle::Lines;
    const int descriptor = ::fileno(stream);
    return descriptor >= 0 && ::isatty(descriptor) == 1 ? BarStyle::Redrawn : BarStyle::Lines;
}

}  // namespace

void ProcessWindow::CancelAtPoll(int poll)
{
    cancelAtPoll = std::max(poll, 0);
    polls = 0;
}

void ProcessWindow::DrawBarOn(std::FILE* stream)
{
    DrawBarOn(stream, StyleFor(stream));
}

void ProcessWindow::DrawBarOn(std::FILE* stream, BarStyle style)
{
    EndBar();
    barStream = stream;
    barStyle = style;
}

GSErrCode ProcessWindow::Init(const GS::UniString* newTitle, const Int32* newPhaseCount)
{
    if (newTitle == nullptr || newPhaseCount == nullptr) {
        Record("Init (bad parameters)");
        return APIERR_BADPARS;
    }
    Record("Init " + Quoted(newTitle->ToUtf8()) + " " + std::to_string(*newPhaseCount) +
           (open ? " (reopened)" : ""));
    EndBar();
    open = true;
    title = newTitle->ToUtf8();
    phaseCount = *newPhaseCount;
    phase = 0;
    phaseTitle.clear();
    maximum = 0;
    value = 0;
    cancelRequested = false;
    return NoError;
}

GSErrCode ProcessWindow::NextPhase(const GS::UniString* newPhaseTitle, const Int32* newMaximum)
{
    if (newPhaseTitle == nullptr || newMaximum == nullptr) {
        Record("Next (bad parameters)");
        return APIERR_BADPARS;
    }
    Record("Next " + Quoted(newPhaseTitle->ToUtf8()) + " " + std::to_string(*newMaximum) + StateNote());
    ++phase;
    phaseTitle = newPhaseTitle->ToUtf8();
    maximum = *newMaximum;
    value = 0;
    ShowPhase();
    return NoError;
}

GSErrCode ProcessWindow::SetValue(const Int32* newValue)
{
    if (newValue == nullptr) {
        Record("SetValue (bad parameters)");
        return APIERR_BADPARS;
    }
    Record("SetValue " + std::to_string(*newValue) + StateNote());
    value = *newValue;
    ShowValue();
    return NoError;
}

GSErrCode ProcessWindow::IncrementValue(const Int32* increment)
{
    if (increment == nullptr) {
        Record("IncValue (bad parameters)");
        return APIERR_BADPARS;
    }
    Record("IncValue " + std::to_string(*increment) + StateNote());
    value += *increment;
    ShowValue();
    return NoError;
}

// A second close is harmless: the export closes the window once more on its way out of a cancel.
GSErrCode ProcessWindow::Close()
{
    Record("Close" + StateNote());
    ShowClose();
    open = false;
    return NoError;
}

bool ProcessWindow::IsCanceled()
{
    ++polls;
    if (cancelAtPoll > 0 && polls >= cancelAtPoll)
        cancelRequested = true;
    Record(std::string("IsCanceled ") + (cancelRequested ? "yes" : "no") + StateNote());
    return cancelRequested;
}

void ProcessWindow::Record(std::string line) const
{
    if (HostControl::TheRecorder().keepCalls)
        HostControl::TheRecorder().processEvents.push_back(std::move(line));
}

std::string ProcessWindow::StateNote() const
{
    return open ? "" : " (closed)";
}

// A terminal's bar follows every change; a log gets the start of each phase only.
void ProcessWindow::ShowPhase()
{
    if (barStyle == BarStyle::Lines)
        PrintLine(PhaseHeading() + " (0 of " + std::to_string(maximum) + ")");
    else
        DrawBar();
}

void ProcessWindow::ShowValue()
{
    if (barStyle == BarStyle::Redrawn)
        DrawBar();
}

// The terminal's bar is left standing as it was last drawn; a log is told where the window stood.
void ProcessWindow::ShowClose()
{
    if (barStyle == BarStyle::Lines && phase > 0)
        PrintLine("Closed at " + PhaseHeading() + " (" + std::to_string(value) + " of " + std::to_string(maximum) +
                  ")");
    EndBar();
}

// Redrawn only when the text changes, so a long run does not flood the terminal.
void ProcessWindow::DrawBar()
{
    if (barStream == nullptr || !open)
        return;
    const int percent = PercentOf(value, maximum);
    const int filled = percent * BarWidth / 100;
    const std::string bar = PhaseHeading() + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(BarWidth - filled), ' ') + "] " +
                            std::to_string(percent) + "%";
    if (bar == drawnBar)
        return;
    // Blanks after a shorter line wipe what the longer one before it left.
    const std::size_t wipe = drawnBar.size() > bar.size() ? drawnBar.size() - bar.size() : 0;
    std::fprintf(barStream, "\r%s%s", bar.c_str(), std::string(wipe, ' ').c_str());
    std::fflush(barStream);
    drawnBar = bar;
}

void ProcessWindow::EndBar()
{
    if (barStream != nullptr && !drawnBar.empty()) {
        std::fputc('\n', barStream);
        std::fflush(barStream);
    }
    drawnBar.clear();
}

void ProcessWindow::PrintLine(const std::string& line)
{
    if (barStream == nullptr || !open)
        return;
    std::fprintf(barStream, "%s\n", line.c_str());
    std::fflush(barStream);
}

std::string ProcessWindow::PhaseHeading() const
{
    return "[" + std::to_string(phase) + "/" + std::to_string(phaseCount) + "] " + phaseTitle;
}

void InstallProcessWindow(ProcessWindow& window)
{
    HostImplementations& impl = HostApi::Instance().impl;
    impl.ACAPI_ProcessWindow_InitProcessWindow = [&window](const GS::UniString* title, Int32* phaseCount,
                                                           API_ProcessControlTypeID* /*control*/) {
        return window.Init(title, phaseCount);
    };
    impl.ACAPI_ProcessWindow_SetNextProcessPhase = [&window](const GS::UniString* title, Int32* maxValue,
                                                             bool* /*showPercent*/) {
        return window.NextPhase(title, maxValue);
    };
    impl.ACAPI_ProcessWindow_SetProcessValue = [&window](Int32* value) { return window.SetValue(value); };
    impl.ACAPI_ProcessWindow_IncProcessValue = [&window](Int32* increment) {
        return window.IncrementValue(increment);
    };
    impl.ACAPI_ProcessWindow_CloseProcessWindow = [&window]() { return window.Close(); };
    impl.ACAPI_ProcessWindow_IsProcessCanceled = [&window]() { return window.IsCanceled(); };
}

}  // namespace ZeltoHost
