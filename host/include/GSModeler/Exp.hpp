// Filling a model from a sight.
#ifndef GSMODELER_EXP_HPP
#define GSMODELER_EXP_HPP

#include "Model.hpp"
#include "SharedPtr.hpp"
#include "Sight.hpp"

// Makes the model read what the sight shows. The attribute reader may be null. NoError, or Error
// for a null sight or model (the model is then left as it was).
GSMODELER_DLL_EXPORT GSErrCode EXPGetModel(GS::SharedPtr<Modeler::Sight> sight, ModelerAPI::Model* model,
                                           Modeler::IAttributeReader* attributeReader);

#endif
