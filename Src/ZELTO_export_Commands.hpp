// The two handlers through which the host reaches the add-on's work.
#ifndef ZELTO_EXPORT_COMMANDS_HPP
#define ZELTO_EXPORT_COMMANDS_HPP

#include "ACAPinc.h"

// The 3D save-as into the add-on's file type: 0, APIERR_CANCEL or APIERR_GENERAL.
int StartExport(const API_IOParams* io, GS::SharedPtr<Modeler::Sight> sight);
// The add-on's menu.
int MenuCommandHandler(const API_MenuParams* params);

#endif
