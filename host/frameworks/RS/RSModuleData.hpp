// Host-side view of a loaded resource file, shared with the dialog framework.
//
// The text form, one block per resource:
//   strings 32000          a string list; each line: item number, then a quoted text
//     1 "Zelto exporter"   (escapes \" \\ \n \t)
//   end
//   dialog 32505 "Title"   a dialog layout; its lines are kept raw for DG to read
//     ...
//   end
// Lines starting with '#' and blank lines are ignored.
#ifndef RS_RSMODULEDATA_HPP
#define RS_RSMODULEDATA_HPP

#include <map>
#include <string>
#include <vector>

struct RSDialogBlock {
    std::string title;
    std::vector<std::string> lines;
};

struct RSModuleData {
    std::string path;
    std::map<int, std::map<int, std::string>> stringLists;
    std::map<int, RSDialogBlock> dialogs;
};

// Parses a resource file's text; throws std::runtime_error with the line number on a malformed line.
RSModuleData ParseResourceText(const std::string& text, const std::string& path);
// Reads one quoted text at position (after blanks); advances position past it.
std::string ReadQuotedText(const std::string& line, std::size_t& position);

#endif
