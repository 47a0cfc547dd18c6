// Small value types of the host's 3D model: points, vectors, texture coordinates, colours, and the
// coordinate system a position is read in.
#ifndef GSMODELER_MODELERAPITYPES_HPP
#define GSMODELER_MODELERAPITYPES_HPP

#include "Definitions.hpp"

#define GSMODELER_DLL_EXPORT __attribute__((visibility("default")))

// The host-side records behind the model classes; the add-on only ever holds pointers to them.
namespace ZeltoHost {
struct ModelData;
struct ElementData;
struct BodyData;
struct PolygonData;
struct MaterialData;
struct TextureData;
struct LightData;
struct ParameterData;
}  // namespace ZeltoHost

namespace ModelerAPI {

// 0: relative to the element's own origin; 1: the world (project) coordinates.
enum class CoordinateSystem : Int32 {
    ElemLocal = 0,
    World = 1
};

struct Vertex {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct Vector {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct TextureCoordinate {
    double u = 0.0;
    double v = 0.0;
};

struct Color {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

}  // namespace ModelerAPI

#endif
