// Parameters in a scene file: the model's extra parameters (of materials and lights) and the
// host's library-part parameters (of library parts and placed elements). Both are written as
// {"name", one of "number" | "text" | "numbers" | "texts", optional "type" and "dimensions"}.
#ifndef SCENE_SCENEPARAMETERREADER_HPP
#define SCENE_SCENEPARAMETERREADER_HPP

#include "HostParameters.hpp"
#include "ModelData.hpp"
#include "SceneJson.hpp"

namespace ZeltoHost {

ParameterListData ReadSceneParameters(const SceneNode& list);
HostParameterList ReadSceneLibPartParameters(const SceneNode& list);

}  // namespace ZeltoHost

#endif
