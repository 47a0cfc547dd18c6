// The host's process window: closed, or open with a title, a phase count, the current phase (its
// title, maximum and value). Every call is kept in the recorder's processEvents as a readable line:
//   Init "Saving file" 13            Next "Saving elements" 120      SetValue 5
//   IncValue 2                       Close                           IsCanceled no | IsCanceled yes
// A call the window does not expect in its state is still served and its line ends in
// " (closed)" (nothing open) or " (reopened)" (Init over an open window), so tests can see it.
// The user's cancel can be planned for a chosen poll; the CLI can have the window drawn on stderr:
// a bar redrawn in place on a terminal, plain lines in a log file or a pipe.
#ifndef HOSTAPP_PROCESSWINDOW_HPP
#define HOSTAPP_PROCESSWINDOW_HPP

#include <cstdio>
#include <string>

#include "HostApi.hpp"

namespace ZeltoHost {

// How the window is drawn on its stream.
enum class BarStyle {
    Redrawn,  // one line, redrawn in place with carriage returns at every change: for a terminal
    Lines     // one plain line when a phase begins and one when the window closes: for a file or pipe
};

class ProcessWindow {
public:
    bool IsOpen() const { return open; }
    const std::string& Title() const { return title; }
    Int32 PhaseCount() const { return phaseCount; }
    Int32 Phase() const { return phase; }  // phases begun since Init, from 1
    const std::string& PhaseTitle() const { return phaseTitle; }
    Int32 Maximum() const { return maximum; }
    Int32 Value() const { return value; }
    int Polls() const { return polls; }  // IsCanceled calls since the plan was made

    // The poll-th IsCanceled call from now (1 = the next one) finds that the user asked to cancel,
    // and so does every later one until the next Init. 0 plans no cancel.
    void CancelAtPoll(int poll);
    // Draws the window on the stream (the CLI passes stderr); null draws nothing. A terminal gets the
    // redrawn bar, any other stream plain lines.
    void DrawBarOn(std::FILE* stream);
    void DrawBarOn(std::FILE* stream, BarStyle style);

    // The host's process-window operations.
    GSErrCode Init(const GS::UniString* newTitle, const Int32* newPhaseCount);
    GSErrCode NextPhase(const GS::UniString* newPhaseTitle, const Int32* newMaximum);
    GSErrCode SetValue(const Int32* newValue);
    GSErrCode IncrementValue(const Int32* increment);
    GSErrCode Close();
    bool IsCanceled();

private:
    void Record(std::string line) const;
    std::string StateNote() const;
    void ShowPhase();
    void ShowValue();
    void ShowClose();
    void DrawBar();
    void EndBar();
    void PrintLine(const std::string& line);
    std::string PhaseHeading() const;

    bool open = false;
    std::string title;
    Int32 phaseCount = 0;
    Int32 phase = 0;
    std::string phaseTitle;
    Int32 maximum = 0;
    Int32 value = 0;
    int polls = 0;
    int cancelAtPoll = 0;
    bool cancelRequested = false;
    std::FILE* barStream = nullptr;
    BarStyle barStyle = BarStyle::Redrawn;
    std::string drawnBar;
};

// Serves the host's process-window functions from the window.
void InstallProcessWindow(ProcessWindow& window);

}  // namespace ZeltoHost

#endif
