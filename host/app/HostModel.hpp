// The host's 3D side: the model its 3D window shows (behind a sight), the 3D projection settings,
// the selected sight and the current attribute set reader.
#ifndef HOSTAPP_HOSTMODEL_HPP
#define HOSTAPP_HOSTMODEL_HPP

#include <memory>

#include "HostApi.hpp"
#include "ModelData.hpp"
#include "Sight.hpp"

namespace ZeltoHost {

class HostModel {
public:
    HostModel();
    explicit HostModel(ModelData model);
    HostModel(const HostModel&) = delete;
    HostModel& operator=(const HostModel&) = delete;

    // The model behind the 3D window's sight; changes show in every model filled from it.
    ModelData& Data() { return *data; }
    const ModelData& Data() const { return *data; }

    // The 3D window's projection; parallel (not perspective) unless set.
    API_3DProjectionInfo projection{};
    // When false, the 3D window gives no sight (the call succeeds with an empty pointer).
    bool hasSight = true;
    // When false, the host has no current attribute set reader to hand out.
    bool hasAttributeReader = true;

    GS::SharedPtr<Modeler::Sight> Sight() const { return sight; }
    // What ACAPI_Sight_SelectSight made current last (null before any call).
    const void* SelectedSight() const { return selectedSight; }
    bool Is3DSightSelected() const { return selectedSight == sight.Get(); }

    // Readers handed out and not yet released through their destructor, over all models.
    static int LiveAttributeReaders();

private:
    friend void InstallModel(HostModel& model);

    std::shared_ptr<ModelData> data;
    GS::SharedPtr<Modeler::Sight> sight;
    void* selectedSight = nullptr;
};

// Installs the host's sight, attribute-reader and 3D projection functions over this model into
// HostApi::Instance().impl. The model must outlive their use (or the next reset of the impls).
void InstallModel(HostModel& model);

}  // namespace ZeltoHost

#endif
