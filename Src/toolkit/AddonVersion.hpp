// The add-on's own version: shown in the settings dialog, compared by the update check and written
// into every export file's header.
#ifndef TOOLKIT_ADDONVERSION_HPP
#define TOOLKIT_ADDONVERSION_HPP

namespace WRL {

inline constexpr char apiVersion[] = "2.62";

}  // namespace WRL

#endif
