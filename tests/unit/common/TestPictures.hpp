// Test-side picture coding straight through libpng and libjpeg, independent of the host's picture
// framework: fixtures are made here and the framework's output is read back here.
#ifndef TESTS_TESTPICTURES_HPP
#define TESTS_TESTPICTURES_HPP

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace TestPictures {

// A picture of width x height pixels, four bytes each in A, R, G, B order, rows packed, top row first.
struct ArgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> argb;

    const std::uint8_t* PixelAt(int x, int y) const { return argb.data() + 4 * (std::size_t(y) * width + x); }
};

// A picture whose every pixel has a colour of its own (and, with alpha, an alpha of its own).
inline ArgbPicture MakeGradient(int width, int height, bool withAlpha)
{
    ArgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.argb.push_back(withAlpha ? std::uint8_t(40 + 20 * x + 7 * y) : 255);
            picture.argb.push_back(std::uint8_t(30 + 50 * x));
            picture.argb.push_back(std::uint8_t(200 - 40 * y));
            picture.argb.push_back(std::uint8_t(90 + 13 * (x + y)));
        }
    }
    return picture;
}

// Large flat blocks of colour, which JPEG keeps close to their values.
inline ArgbPicture MakeColourBlocks(int blockSize)
{
    const std::uint8_t colours[4][3] = {{220, 30, 30}, {30, 200, 40}, {40, 50, 210}, {240, 240, 240}};
    ArgbPicture picture{2 * blockSize, 2 * blockSize, {}};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* colour = colours[(y / blockSize) * 2 + x / blockSize];
            picture.argb.insert(picture.argb.end(), {255, colour[0], colour[1], colour[2]});
        }
    }
    return picture;
}

inline std::string EncodePng(const ArgbPicture& picture)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_ARGB;
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, picture.argb.data(), 0, nullptr) == 0)
        return std::string();
    std::string bytes(size, '\0');
    if (png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.argb.data(), 0, nullptr) == 0)
        return std::string();
    bytes.resize(size);
    return bytes;
}

struct JpegErrors {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

inline void OnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

inline void IgnoreJpegMessage(j_common_ptr) {}

// Only plain data in the frames libjpeg may leave by longjmp; the caller owns the results.
inline bool CompressRgb(int width, int height, const std::uint8_t* rgb, int quality, unsigned char** out,
                        unsigned long* size)
{
    jpeg_compress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = OnJpegError;
    if (setjmp(errors.escape) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + std::size_t(info.next_scanline) * width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

inline std::string EncodeJpeg(const ArgbPicture& picture, int quality)
{
    std::vector<std::uint8_t> rgb;
    for (std::size_t i = 0; i < picture.argb.size(); i += 4)
        rgb.insert(rgb.end(), {picture.argb[i + 1], picture.argb[i + 2], picture.argb[i + 3]});
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const bool done = CompressRgb(picture.width, picture.height, rgb.data(), quality, &out, &size);
    std::string bytes = done ? std::string(reinterpret_cast<const char*>(out), size) : std::string();
    std::free(out);
    return bytes;
}

struct DecodedJpeg {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::vector<unsigned> lumaQuantTable;  // natural order, 64 entries

    const std::uint8_t* PixelAt(int x, int y) const { return rgb.data() + 3 * (std::size_t(y) * width + x); }
};

inline bool DecompressInto(const std::string* bytes, DecodedJpeg* decoded)
{
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = OnJpegError;
    errors.standard.output_message = IgnoreJpegMessage;
    if (setjmp(errors.escape) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes->data()), static_cast<unsigned long>(bytes->size()));
    jpeg_read_header(&info, TRUE);
    if (info.quant_tbl_ptrs[0] != nullptr)
        decoded->lumaQuantTable.assign(info.quant_tbl_ptrs[0]->quantval, info.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    decoded->width = static_cast<int>(info.output_width);
    decoded->height = static_cast<int>(info.output_height);
    decoded->rgb.resize(std::size_t(info.output_width) * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded->rgb.data() + std::size_t(info.output_scanline) * info.output_width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

inline DecodedJpeg DecodeJpeg(const std::string& bytes)
{
    DecodedJpeg decoded;
    decoded.ok = DecompressInto(&bytes, &decoded);
    return decoded;
}

// The luminance table libjpeg makes for a quality (baseline), as an encoder at that quality writes it.
inline std::vector<unsigned> LumaQuantTableFor(int quality)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    info.in_color_space = JCS_RGB;
    info.input_components = 3;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    std::vector<unsigned> table(info.quant_tbl_ptrs[0]->quantval, info.quant_tbl_ptrs[0]->quantval + DCTSIZE2);
    jpeg_destroy_compress(&info);
    return table;
}

}  // namespace TestPictures

#endif
