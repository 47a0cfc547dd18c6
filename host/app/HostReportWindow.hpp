// The host's report window: what add-ons write there is kept in the recorder.
#ifndef HOSTAPP_HOSTREPORTWINDOW_HPP
#define HOSTAPP_HOSTREPORTWINDOW_HPP

namespace ZeltoHost {

// Installs the host's implementation of the report window: each text is recorded as it arrives,
// whether or not the add-on asked for the dialog too.
void InstallReportWindow();

}  // namespace ZeltoHost

#endif
