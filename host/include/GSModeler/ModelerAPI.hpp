// Umbrella header of the host's 3D model framework.
#ifndef GSMODELER_MODELERAPI_HPP
#define GSMODELER_MODELERAPI_HPP

#include "AttributeIndex.hpp"
#include "ConvexPolygon.hpp"
#include "Element.hpp"
#include "Exp.hpp"
#include "Light.hpp"
#include "Material.hpp"
#include "MeshBody.hpp"
#include "Model.hpp"
#include "ModelerAPITypes.hpp"
#include "Parameter.hpp"
#include "Polygon.hpp"
#include "Sight.hpp"
#include "Texture.hpp"

#endif
