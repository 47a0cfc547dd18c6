// The two handlers through which the host reaches the add-on's work. No exception leaves them.
#ifndef ZELTO_EXPORT_COMMANDS_HPP
#define ZELTO_EXPORT_COMMANDS_HPP

#include "ACAPinc.h"

// The 3D save-as into the add-on's file type: 0, APIERR_CANCEL or APIERR_GENERAL. A save-as that
// does not complete leaves the target file as it was.
int StartExport(const API_IOParams* io, GS::SharedPtr<Modeler::Sight> sight);
// The add-on's menu (list 32510), by item: 0, APIERR_CANCEL, APIERR_GENERAL or a host error.
int MenuCommandHandler(const API_MenuParams* params);

#endif
