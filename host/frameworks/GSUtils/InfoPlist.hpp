// Reading a bundle's Contents/Info.plist in the XML property-list form: the string values of the
// top-level dictionary. Values of other types, and everything inside nested dictionaries and arrays,
// are left out.
#ifndef GSUTILS_INFOPLIST_HPP
#define GSUTILS_INFOPLIST_HPP

#include <map>
#include <string>

namespace CFStandIn {

// False when the text holds no top-level dictionary that can be read to its end.
bool ReadInfoPlistStrings(const std::string& text, std::map<std::string, std::string>* strings);

}  // namespace CFStandIn

#endif
