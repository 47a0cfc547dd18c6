// Menu items 1 and 3: the export to Cinema 4D, and forgetting where Cinema 4D is.
#ifndef ZELTO_EXPORT_DIRECTEXPORT_HPP
#define ZELTO_EXPORT_DIRECTEXPORT_HPP

// Switches the host to the 3D window, exports its model into the fixed folder (the host's special
// folder 6, in it the folder of list 32500 item 4) as the project's name with the extension "Zelto"
// and hands the file to Cinema 4D. 0; APIERR_CANCEL when the user cancels; the host's own error when
// the current window, the switch to 3D or the 3D sight cannot be had; APIERR_GENERAL for any other
// failure (the special folder's included). A run that does not complete leaves an older file as it was.
int ExportToCinema4D();

// 0 when the stored Cinema 4D location is gone (or none was stored), else APIERR_GENERAL.
int ForgetCinema4DLocation();

#endif
