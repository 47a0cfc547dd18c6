// The two coordinate systems of model reads: the world, and the element's own (the world moved
// by the element's origin).
#ifndef GSMODELER_MODELCOORDINATES_HPP
#define GSMODELER_MODELCOORDINATES_HPP

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ZeltoHost {

inline void CheckSystem(ModelerAPI::CoordinateSystem system, const char* operation)
{
    if (system != ModelerAPI::CoordinateSystem::World && system != ModelerAPI::CoordinateSystem::ElemLocal)
        ThrowBadArgument(operation, "unknown coordinate system");
}

inline ModelerAPI::Vertex InSystem(const ModelerAPI::Vertex& world, const ElementData* element,
                                   ModelerAPI::CoordinateSystem system, const char* operation)
{
    if (system == ModelerAPI::CoordinateSystem::World)
        return world;
    CheckSystem(system, operation);
    if (element == nullptr)
        return world;
    return ModelerAPI::Vertex{world.x - element->origin.x, world.y - element->origin.y, world.z - element->origin.z};
}

}  // namespace ZeltoHost

#endif
