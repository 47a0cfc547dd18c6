// The host's view of its 3D model (a sight) and the reader of its current attribute set.
#ifndef GSMODELER_SIGHT_HPP
#define GSMODELER_SIGHT_HPP

#include <memory>

#include "ModelerAPITypes.hpp"

namespace Modeler {

class GSMODELER_DLL_EXPORT Sight {
public:
    // Host side: a sight over the model data.
    explicit Sight(std::shared_ptr<const ZeltoHost::ModelData> model);
    ~Sight();
    Sight(const Sight&) = delete;
    Sight& operator=(const Sight&) = delete;

    const std::shared_ptr<const ZeltoHost::ModelData>& GetModelData() const { return model; }

private:
    std::shared_ptr<const ZeltoHost::ModelData> model;
};

// Whoever obtains a reader releases it through this destructor.
class GSMODELER_DLL_EXPORT IAttributeReader {
public:
    virtual ~IAttributeReader();
};

}  // namespace Modeler

#endif
