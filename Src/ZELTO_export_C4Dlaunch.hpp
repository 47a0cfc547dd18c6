// Starting Cinema 4D on the export file with the system's open command ("open -a APP FILE").
#ifndef ZELTO_EXPORT_C4DLAUNCH_HPP
#define ZELTO_EXPORT_C4DLAUNCH_HPP

#include "CString.hpp"

// Both texts are host path texts. The paths go to the open command whole, each as one argument, never
// through a shell. Waits for the open command only, which returns once the system has taken the file,
// never for Cinema 4D. True when the open command reported success; false (after a log line) when a
// path is empty or cannot be converted, or the command cannot be run or fails.
bool StartC4DProcess(const IO::CString<256u>& file, const IO::CString<256u>& app);

#endif
