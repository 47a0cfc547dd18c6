// Inside the dialog framework: the planned scripts and the transcript, and the scripted user
// playing a script on an open dialog.
#ifndef DG_DGSCRIPTPLAYER_HPP
#define DG_DGSCRIPTPLAYER_HPP

#include <cstddef>
#include <string>

#include "DGOpenDialog.hpp"
#include "DGScriptedUser.hpp"

// The first plan for this resource id (or for any dialog), taken out of the plans; without one,
// the default script: confirm at once.
DGUserScript TakePlannedScript(short resourceId);
// A place in the transcript for a dialog that opens now, filled when it closes.
std::size_t BeginDialogRecord();
void StoreDialogRecord(std::size_t slot, DGDialogRecord record);

// The path the user picks in the next file dialog, taken out of the plans; empty: the user cancels.
std::string TakePlannedFilePick();
void StoreFileDialogRecord(DGFileDialogRecord record);

// Plays the actions and the closing; the item that closed the dialog (0 when the user gave up).
short PlayScript(DGOpenDialog& dialog, const DGUserScript& script);

#endif
