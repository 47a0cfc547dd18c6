#include "HostModel.hpp"

namespace ZeltoHost {

namespace {

int liveReaders = 0;

class HostAttributeReader : public Modeler::IAttributeReader {
public:
    HostAttributeReader() { ++liveReaders; }
    ~HostAttributeReader() override { --liveReaders; }
    HostAttributeReader(const HostAttributeReader&) = delete;
    HostAttributeReader& operator=(const HostAttributeReader&) = delete;
};

}  // namespace

HostModel::HostModel() : HostModel(ModelData()) {}

HostModel::HostModel(ModelData model)
    : data(std::make_shared<ModelData>(std::move(model))),
      sight(std::make_shared<Modeler::Sight>(std::shared_ptr<const ModelData>(data)))
{
}

int HostModel::LiveAttributeReaders()
{
    return liveReaders;
}

void InstallModel(HostModel& model)
{
    HostImplementations& impl = HostApi::Instance().impl;
    impl.ACAPI_Sight_GetCurrentWindowSight = [&model](GS::SharedPtr<Modeler::Sight>* sight) -> GSErrCode {
        if (sight == nullptr)
            return APIERR_BADPARS;
        *sight = model.hasSight ? model.sight : GS::SharedPtr<Modeler::Sight>();
        return NoError;
    };
    // A null sight asks for the 3D window's own.
    impl.ACAPI_Sight_SelectSight = [&model](void* sight, void** previous) -> GSErrCode {
        if (previous != nullptr)
            *previous = model.selectedSight;
        model.selectedSight = sight != nullptr ? sight : model.sight.Get();
        return NoError;
    };
    // The caller owns the reader and releases it through its virtual destructor.
    impl.ACAPI_Attribute_GetCurrentAttributeSetReader = [&model]() -> Modeler::IAttributeReader* {
        if (!model.hasAttributeReader)
            return nullptr;
        return std::make_unique<HostAttributeReader>().release();
    };
    impl.ACAPI_View_Get3DProjectionSets = [&model](API_3DProjectionInfo* projection) -> GSErrCode {
        if (projection == nullptr)
            return APIERR_BADPARS;
        *projection = model.projection;
        return NoError;
    };
}

}  // namespace ZeltoHost
