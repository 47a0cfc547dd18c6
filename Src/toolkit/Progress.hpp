// The host's process window: the add-on's only way to show which phase an export is in, how far
// it has got, and to learn that the user asked to cancel. Each function makes exactly one host
// call and adds nothing else.
#ifndef TOOLKIT_PROGRESS_HPP
#define TOOLKIT_PROGRESS_HPP

#include "ACAPinc.h"

namespace Progress {

GSErrCode Init(const GS::UniString& title, int phaseCount, API_ProcessControlTypeID* control);
GSErrCode Next(const GS::UniString& title, int maxValue, bool* flag);
GSErrCode SetValue(int value);
// The host reads the increment through the caller's own variable.
GSErrCode IncrementValue(int& value);
GSErrCode Close();
// Nonzero once the user has asked to cancel.
int IsCancelled();

}  // namespace Progress

#endif
