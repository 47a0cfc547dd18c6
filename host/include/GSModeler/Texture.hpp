// A texture of the host model: its name, its size on surfaces, its pattern flags and its pixels.
#ifndef GSMODELER_TEXTURE_HPP
#define GSMODELER_TEXTURE_HPP

#include "ModelerAPITypes.hpp"
#include "UniString.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT Texture {
public:
    // One pixel, four bytes in this order in memory.
    struct ARGBPixel {
        UInt8 alpha = 0;
        UInt8 red = 0;
        UInt8 green = 0;
        UInt8 blue = 0;
    };

    Texture() = default;

    GS::UniString GetName() const;
    // The size of one texture tile on a surface, in model units.
    double GetXSize() const;
    double GetYSize() const;

    bool IsBumpMapPattern() const;
    bool IsTransparentPattern() const;
    bool IsMirroredInX() const;
    bool IsMirroredInY() const;

    // The pixel map: width x height pixels, row by row from the top row.
    Int32 GetPixelMapXSize() const;
    Int32 GetPixelMapYSize() const;
    Int32 GetPixelMapSize() const;
    // Copies GetPixelMapSize() pixels into the caller's array.
    void GetPixelMap(ARGBPixel* pixels) const;

    // Host side.
    void SetData(const ZeltoHost::TextureData* texture, const ZeltoHost::ModelData* model, Int32 number);

private:
    const ZeltoHost::TextureData& Data() const;

    const ZeltoHost::TextureData* data = nullptr;
    const ZeltoHost::ModelData* model = nullptr;
    Int32 number = 0;
};

static_assert(sizeof(Texture::ARGBPixel) == 4, "a pixel is four bytes");

}  // namespace ModelerAPI

#endif
