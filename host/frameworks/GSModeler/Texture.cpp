#include "Texture.hpp"

#include <algorithm>

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

const ZeltoHost::TextureData& Texture::Data() const
{
    static const ZeltoHost::TextureData none;
    return data != nullptr ? *data : none;
}

void Texture::SetData(const ZeltoHost::TextureData* texture, const ZeltoHost::ModelData* owner, Int32 textureNumber)
{
    data = texture;
    model = owner;
    number = textureNumber;
}

GS::UniString Texture::GetName() const
{
    ZeltoHost::CheckModelRead(model, ZeltoHost::ModelRead::TextureName, 0, 0, number);
    return Data().name;
}

double Texture::GetXSize() const { return Data().xSize; }
double Texture::GetYSize() const { return Data().ySize; }
bool Texture::IsBumpMapPattern() const { return Data().bumpMapPattern; }
bool Texture::IsTransparentPattern() const { return Data().transparentPattern; }
bool Texture::IsMirroredInX() const { return Data().mirroredInX; }
bool Texture::IsMirroredInY() const { return Data().mirroredInY; }
Int32 Texture::GetPixelMapXSize() const { return Data().pixelWidth; }
Int32 Texture::GetPixelMapYSize() const { return Data().pixelHeight; }

Int32 Texture::GetPixelMapSize() const
{
    return static_cast<Int32>(Data().pixels.size());
}

void Texture::GetPixelMap(ARGBPixel* pixels) const
{
    ZeltoHost::CheckOutput(pixels, "ModelerAPI::Texture::GetPixelMap");
    std::copy(Data().pixels.begin(), Data().pixels.end(), pixels);
}

}  // namespace ModelerAPI
