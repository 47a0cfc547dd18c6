// The one-call text-file writer.
#ifndef TOOLKIT_TXTFILEWRITER_HPP
#define TOOLKIT_TXTFILEWRITER_HPP

#include "Location.hpp"

// Makes or empties the file and writes text and one newline into it (a null text counts as
// empty). Returns 0, or the host error of the step that failed: making, opening, writing or
// closing the file.
int WriteTxtFile(const IO::Location& loc, const char* text);

#endif
