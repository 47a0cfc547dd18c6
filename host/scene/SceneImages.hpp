// Picture files of model textures: PNG and JPEG, decoded into the texture's ARGB pixel map.
#ifndef SCENE_SCENEIMAGES_HPP
#define SCENE_SCENEIMAGES_HPP

#include <string>

#include "ModelData.hpp"

namespace ZeltoHost {

// Fills the pixel map (width, height, pixels) of the texture from the file. False with the reason,
// which names the file, when it cannot be read, is not a regular file, holds more than a picture
// file may, or is neither a PNG nor a JPEG picture.
bool ReadTextureImage(const std::string& path, TextureData& texture, std::string* error);

}  // namespace ZeltoHost

#endif
