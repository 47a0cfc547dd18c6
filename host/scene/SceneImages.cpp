#include "SceneImages.hpp"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "SceneFiles.hpp"

namespace ZeltoHost {

namespace {

using Pixel = ModelerAPI::Texture::ARGBPixel;

// The largest picture a scene may hold: a header claims its size before a single pixel is read,
// and a damaged or hostile one must not make the host reserve gigabytes for it.
constexpr std::uint64_t MaxPictureSide = 16384;
constexpr std::uint64_t MaxPicturePixels = std::uint64_t(1) << 26;  // 64 Mpixels, 256 MiB as ARGB

// Empty when the size is within the limits, else why not.
std::string PictureSizeProblem(std::uint64_t width, std::uint64_t height)
{
    if (width <= MaxPictureSide && height <= MaxPictureSide && width * height <= MaxPicturePixels)
        return {};
    return "the picture claims " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels; a scene's pictures have at most " + std::to_string(MaxPictureSide) + " pixels a side and " +
           std::to_string(MaxPicturePixels) + " pixels in all";
}

bool Fail(std::string* error, const std::string& why)
{
    if (error != nullptr)
        *error = why;
    return false;
}

const unsigned char* BytesOf(const std::string& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.data());
}

bool IsPng(const std::string& bytes)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 && std::memcmp(bytes.data(), signature, 8) == 0;
}

bool IsJpeg(const std::string& bytes)
{
    return bytes.size() >= 3 && BytesOf(bytes)[0] == 0xFF && BytesOf(bytes)[1] == 0xD8 && BytesOf(bytes)[2] == 0xFF;
}

// libpng's simplified reader gives the bytes in exactly the pixel map's order: A, R, G, B.
bool DecodePng(const std::string& bytes, TextureData& texture, std::string* error)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0)
        return Fail(error, std::string("not a readable PNG picture: ") + image.message);
    const std::string sizeProblem = PictureSizeProblem(image.width, image.height);
    if (!sizeProblem.empty()) {
        png_image_free(&image);
        return Fail(error, sizeProblem);
    }
    image.format = PNG_FORMAT_ARGB;
    std::vector<Pixel> pixels(std::size_t(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return Fail(error, std::string("not a readable PNG picture: ") + image.message);
    }
    texture.pixelWidth = static_cast<Int32>(image.width);
    texture.pixelHeight = static_cast<Int32>(image.height);
    texture.pixels = std::move(pixels);
    return true;
}

// libjpeg reports a fatal error through a callback that must not return.
struct JpegErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->escape, 1);
}

// Decodes into plain buffers only: no object with a destructor lives across the setjmp.
bool DecodeJpegRows(const std::string& bytes, std::vector<unsigned char>* rgb, JDIMENSION* width,
                    JDIMENSION* height, std::string* message)
{
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = OnJpegError;
    if (setjmp(errors.escape) != 0) {
        jpeg_destroy_decompress(&info);
        *message = std::string("not a readable JPEG picture: ") + errors.message;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, BytesOf(bytes), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    *message = PictureSizeProblem(info.image_width, info.image_height);
    if (!message->empty()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *width = info.output_width;
    *height = info.output_height;
    rgb->resize(std::size_t(info.output_width) * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb->data() + std::size_t(info.output_scanline) * info.output_width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool DecodeJpeg(const std::string& bytes, TextureData& texture, std::string* error)
{
    std::vector<unsigned char> rgb;
    JDIMENSION width = 0;
    JDIMENSION height = 0;
    std::string message;
    if (!DecodeJpegRows(bytes, &rgb, &width, &height, &message))
        return Fail(error, message);
    std::vector<Pixel> pixels(std::size_t(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = Pixel{255, rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]};
    texture.pixelWidth = static_cast<Int32>(width);
    texture.pixelHeight = static_cast<Int32>(height);
    texture.pixels = std::move(pixels);
    return true;
}

}  // namespace

bool ReadTextureImage(const std::string& path, TextureData& texture, std::string* error)
{
    std::string bytes;
    std::string problem;
    if (!ReadRegularFile(path, MaxPictureFileBytes, "the picture file " + path, &bytes, &problem))
        return Fail(error, problem);
    if (IsPng(bytes))
        return DecodePng(bytes, texture, error);
    if (IsJpeg(bytes))
        return DecodeJpeg(bytes, texture, error);
    return Fail(error, "the picture file " + path + " is neither PNG nor JPEG");
}

}  // namespace ZeltoHost
