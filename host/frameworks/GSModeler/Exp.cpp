#include "Exp.hpp"

#include "HostFailure.hpp"

// The stand-in's model data carries its materials already, so the attribute reader adds nothing.
GSErrCode EXPGetModel(GS::SharedPtr<Modeler::Sight> sight, ModelerAPI::Model* model,
                      Modeler::IAttributeReader* /*attributeReader*/)
{
    const GSErrCode planned = HostFailure::Check("EXPGetModel");
    if (planned != NoError)
        return planned;
    if (sight == nullptr || model == nullptr)
        return Error;
    model->Attach(sight->GetModelData());
    return NoError;
}
