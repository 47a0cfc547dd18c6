// A copy of a file made beside its target under a name of its own, ".<name>.<unique>.zelto-partial",
// and put in the target's place in one step only once it is complete. Until then the target keeps
// what it held, so a copy that fails (an unreadable source, a full disk) never costs the user the
// older file. A copy that goes without being put in place is removed; a name that is in use already
// (another copy's, or one left by a run that ended abruptly) is never taken over.
//
// The copy gets the permissions that the host's copy gives it: those of the source.
#ifndef TOOLKIT_TEMPORARYCOPY_HPP
#define TOOLKIT_TEMPORARYCOPY_HPP

#include <string>

#include "Definitions.hpp"
#include "Location.hpp"

class TemporaryCopy {
public:
    // The target must name a file (its last local name is what the copy is renamed to).
    TemporaryCopy(const IO::Location& target, const IO::Name& targetName);
    // Never throws: a removal that fails is logged.
    ~TemporaryCopy();
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    // Copies the source's bytes into a new file beside the target; the host's error when it fails.
    GSErrCode Make(const IO::Location& source);
    // Renames the finished copy over the target (a file or a link there is replaced).
    GSErrCode PutInPlace();

private:
    GSErrCode DrawFreeName();
    void Remove() const;

    IO::Location target;
    IO::Name targetName;
    IO::Location temporary;
    bool claimed = false;   // a copy into the temporary name was started
    bool complete = false;  // and finished
    bool placed = false;
};

#endif
