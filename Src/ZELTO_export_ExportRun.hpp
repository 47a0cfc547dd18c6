// What both export roads share: the 3D model filled from a sight, the host result of a run, and the
// project's name.
#ifndef ZELTO_EXPORT_EXPORTRUN_HPP
#define ZELTO_EXPORT_EXPORTRUN_HPP

#include <functional>
#include <memory>

#include "ACAPinc.h"
#include "Location.hpp"
#include "Model.hpp"
#include "Sight.hpp"

// The 3D model of one export, filled from a sight with the current attribute set. The reader is
// declared first so that it outlives the model that was filled with it.
class FilledModel {
public:
    // Throws GS::GeneralException when the host cannot fill the model: an empty model would be
    // exported as if the building were empty.
    explicit FilledModel(GS::SharedPtr<Modeler::Sight> sight);

    ModelerAPI::Model* Get() { return &model; }

private:
    std::unique_ptr<Modeler::IAttributeReader> attributeReader;
    ModelerAPI::Model model;
};

// Runs one export and gives the host's result: 0 when it completed, APIERR_CANCEL for WRL::Cancel,
// APIERR_GENERAL (after a log line) for any other exception. No exception leaves it.
int RunExportForHost(const std::function<void()>& exportRun);

// The project file's name with its extension ("House.pln"); list 32500 item 5 for an untitled
// project or when the host cannot tell.
void GetACFileName(IO::Name& name);

#endif
