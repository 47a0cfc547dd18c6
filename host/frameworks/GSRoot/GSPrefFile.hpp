// The preference store's file: every value of every folder, as UTF-8 text lines.
//
//     GSPref 1
//     i<TAB>folder<TAB>key<TAB>-12
//     b<TAB>folder<TAB>key<TAB>true
//     s<TAB>folder<TAB>key<TAB>text with \t, \n, \r and \\ escaped
//
// Folder and key are escaped like text values. The file is replaced as a whole (written to a
// temporary file beside it, then renamed over it), so a reader sees the old or the new content,
// never a mixture. A line that is not a value of this form (damaged, cut short, a value named
// twice) is passed over and the other lines are kept; each passed-over line is named on the host's
// debug channel. A file that cannot be read at all (a folder, no access) holds nothing.
#ifndef GSROOT_GSPREFFILE_HPP
#define GSROOT_GSPREFFILE_HPP

#include <map>
#include <string>
#include <utility>
#include <variant>

#include "Definitions.hpp"

namespace GSPref {

using StoredValue = std::variant<Int32, bool, std::string>;  // text as UTF-8
using ValueName = std::pair<std::string, std::string>;        // folder, key (UTF-8)
using StoredValues = std::map<ValueName, StoredValue>;

// The values of the file's well-formed lines; none for an absent or unreadable file. Never throws
// for what the file holds.
StoredValues LoadPreferenceFile(const std::string& path);
// NoError, or StoreWriteErr when the new file could not be written completely; the old file then
// stays as it was.
GSErrCode SavePreferenceFile(const std::string& path, const StoredValues& values);

}  // namespace GSPref

#endif
