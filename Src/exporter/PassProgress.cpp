#include "PassProgress.hpp"

#include <algorithm>
#include <limits>

#include "Progress.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

namespace {

// The window takes 32-bit numbers; a count beyond them shows as full.
int ToWindowNumber(Int64 value)
{
    const Int64 limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp<Int64>(value, 0, limit));
}

GS::UniString& PhaseTitle()
{
    static GS::UniString title;
    return title;
}

}  // namespace

void OpenPhase(const GS::UniString& title, Int64 itemCount)
{
    PhaseTitle() = title;
    Progress::Next(title, ToWindowNumber(itemCount), nullptr);
}

const GS::UniString& CurrentPhaseTitle()
{
    return PhaseTitle();
}

void ForgetPhases()
{
    PhaseTitle().Clear();
}

void ReportItem(Int64 itemNumber)
{
    Progress::SetValue(ToWindowNumber(itemNumber));
}

void PollCancel()
{
    if (Progress::IsCancelled() != 0) {
        Progress::Close();
        ThrowCancel();
    }
}

}  // namespace WRL
