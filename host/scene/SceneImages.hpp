// Picture files of model textures: PNG and JPEG, decoded into the texture's ARGB pixel map.
#ifndef SCENE_SCENEIMAGES_HPP
#define SCENE_SCENEIMAGES_HPP

#include <string>

#include "ModelData.hpp"

namespace ZeltoHost {

// Fills the pixel map (width, height, pixels) of the texture from the file. False with the reason
// when the file cannot be read or is neither a PNG nor a JPEG picture.
bool ReadTextureImage(const std::string& path, TextureData& texture, std::string* error);

}  // namespace ZeltoHost

#endif
