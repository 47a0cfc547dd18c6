// The progress protocol that every export pass follows in the host's process window: one phase per
// run over items, the item number after each item, and a cancel poll that closes the window and
// throws WRL::Cancel when the user asked to stop.
#ifndef EXPORTER_PASSPROGRESS_HPP
#define EXPORTER_PASSPROGRESS_HPP

#include "Definitions.hpp"
#include "UniString.hpp"

namespace WRL {

// Runs over the model's elements poll only at every this many elements.
constexpr Int32 ElementPollInterval = 1000;

inline bool IsElementPollPoint(Int32 elementNumber)
{
    return elementNumber % ElementPollInterval == 0;
}

void OpenPhase(const GS::UniString& title, Int64 itemCount);
// The title of the phase opened last since ForgetPhases (empty when none was): where an export was
// when it failed.
const GS::UniString& CurrentPhaseTitle();
void ForgetPhases();
void ReportItem(Int64 itemNumber);
// Closes the window and throws WRL::Cancel once the user has asked to cancel.
void PollCancel();

}  // namespace WRL

#endif
