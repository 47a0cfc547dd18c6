// What the host's user saw and what the host did for the add-on during one command: the file
// dialogs, the modal dialogs with their texts, the alerts, the programs launched and the web pages
// opened. The command
// line prints it after a menu command, so that a user of the stand-in sees what a user of the host
// would have seen.
#ifndef HOSTAPP_USERSIGHTINGS_HPP
#define HOSTAPP_USERSIGHTINGS_HPP

#include <cstdio>
#include <string>
#include <vector>

namespace ZeltoHost {

// A text in double quotes with backslash, quote and control characters escaped, so that an argument
// holding a newline or a quote prints on one line and can be read back exactly.
std::string QuotedForDisplay(const std::string& text);

// One line per file dialog (title, filters, the pick or the cancel), per modal dialog (resource id,
// title, the static texts of its items at closing, the item that closed it), per alert, per launched
// program (its argument vector) and per opened URL, in that order.
void PrintUserSightings(std::FILE* out);

}  // namespace ZeltoHost

#endif
