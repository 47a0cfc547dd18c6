#include "JpegCodec.hpp"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

#include "BM.hpp"

// libjpeg reports a fatal error through a callback that must not return, so it leaves by longjmp.
// The functions that arm the jump hold nothing but pointers: every object they work on lives in
// the caller's frame, and no C++ object is made or destroyed while libjpeg may jump.
namespace GXHost {

namespace {

constexpr int RgbComponents = 3;
constexpr std::size_t DestinationChunk = 16384;

struct JpegErrorManager {
    jpeg_error_mgr standard;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf escape;
};

void OnJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->escape, 1);
}

void IgnoreJpegMessage(j_common_ptr /*info*/) {}

jpeg_error_mgr* InstallErrorManager(JpegErrorManager* errors)
{
    jpeg_error_mgr* standard = jpeg_std_error(&errors->standard);
    standard->error_exit = OnJpegError;
    standard->output_message = IgnoreJpegMessage;  // warnings (a truncated file) stay quiet
    return standard;
}

Int32 SideOf(JDIMENSION pixels)
{
    return pixels <= static_cast<JDIMENSION>(GSPixMapMaxSide) ? static_cast<Int32>(pixels) : 0;
}

bool TryResize(std::vector<JSAMPLE>* row, std::size_t size)
{
    try {
        row->resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// ---- Decoding -------------------------------------------------------------------------------------

struct JpegDecoding {
    jpeg_decompress_struct info;
    JpegErrorManager errors;
};

// Reads the header and starts the decompressor; false (state destroyed) when libjpeg gives up.
bool StartDecoding(JpegDecoding* decoding, const UInt8* bytes, USize length)
{
    if (setjmp(decoding->errors.escape) != 0) {
        jpeg_destroy_decompress(&decoding->info);
        return false;
    }
    jpeg_create_decompress(&decoding->info);
    jpeg_mem_src(&decoding->info, bytes, static_cast<unsigned long>(length));
    jpeg_read_header(&decoding->info, TRUE);
    decoding->info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoding->info);
    return true;
}

// Reads every row into the pixel map as opaque ARGB and ends the decoding.
bool ReadRows(JpegDecoding* decoding, GSPixMap* pixMap, JSAMPLE* row)
{
    if (setjmp(decoding->errors.escape) != 0) {
        jpeg_destroy_decompress(&decoding->info);
        return false;
    }
    while (decoding->info.output_scanline < decoding->info.output_height) {
        UInt8* target = pixMap->Row(static_cast<Int32>(decoding->info.output_scanline));
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&decoding->info, rows, 1);
        for (Int32 x = 0; x < pixMap->width; ++x) {
            target[4 * x] = 255;
            target[4 * x + 1] = row[RgbComponents * x];
            target[4 * x + 2] = row[RgbComponents * x + 1];
            target[4 * x + 3] = row[RgbComponents * x + 2];
        }
    }
    jpeg_finish_decompress(&decoding->info);
    jpeg_destroy_decompress(&decoding->info);
    return true;
}

// ---- Encoding -------------------------------------------------------------------------------------

// A libjpeg destination that collects the output in chunks and appends them to a byte vector.
struct VectorDestination {
    jpeg_destination_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::vector<UInt8>* bytes;
    JOCTET chunk[DestinationChunk];
};

VectorDestination* DestinationOf(j_compress_ptr info)
{
    return reinterpret_cast<VectorDestination*>(info->dest);
}

bool AppendChunk(VectorDestination* destination, std::size_t count)
{
    try {
        destination->bytes->insert(destination->bytes->end(), destination->chunk, destination->chunk + count);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void FailOutOfMemory(j_compress_ptr info)
{
    info->err->msg_code = JERR_OUT_OF_MEMORY;
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
}

void InitDestination(j_compress_ptr info)
{
    VectorDestination* destination = DestinationOf(info);
    destination->manager.next_output_byte = destination->chunk;
    destination->manager.free_in_buffer = DestinationChunk;
}

boolean EmptyOutputBuffer(j_compress_ptr info)
{
    VectorDestination* destination = DestinationOf(info);
    if (!AppendChunk(destination, DestinationChunk))
        FailOutOfMemory(info);
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    VectorDestination* destination = DestinationOf(info);
    if (!AppendChunk(destination, DestinationChunk - destination->manager.free_in_buffer))
        FailOutOfMemory(info);
}

struct JpegEncoding {
    jpeg_compress_struct info;
    JpegErrorManager errors;
    VectorDestination destination;
};

void WriteRgbRow(const GSPixMap& pixMap, Int32 y, JSAMPLE* row)
{
    const UInt8* source = pixMap.Row(y);
    for (Int32 x = 0; x < pixMap.width; ++x) {
        row[RgbComponents * x] = source[4 * x + 1];
        row[RgbComponents * x + 1] = source[4 * x + 2];
        row[RgbComponents * x + 2] = source[4 * x + 3];
    }
}

GSErrCode RunEncoder(JpegEncoding* encoding, const GSPixMap& pixMap, int quality, JSAMPLE* row)
{
    jpeg_compress_struct* info = &encoding->info;
    if (setjmp(encoding->errors.escape) != 0) {
        jpeg_destroy_compress(info);
        return encoding->errors.standard.msg_code == JERR_OUT_OF_MEMORY ? ErrMemoryFull : GX::BadImageErr;
    }
    jpeg_create_compress(info);
    encoding->destination.manager.init_destination = InitDestination;
    encoding->destination.manager.empty_output_buffer = EmptyOutputBuffer;
    encoding->destination.manager.term_destination = TermDestination;
    info->dest = &encoding->destination.manager;
    info->image_width = static_cast<JDIMENSION>(pixMap.width);
    info->image_height = static_cast<JDIMENSION>(pixMap.height);
    info->input_components = RgbComponents;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        WriteRgbRow(pixMap, static_cast<Int32>(info->next_scanline), row);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(info, rows, 1);
    }
    jpeg_finish_compress(info);
    jpeg_destroy_compress(info);
    return NoError;
}

}  // namespace

GSErrCode DecodeJpeg(const UInt8* bytes, USize length, std::unique_ptr<GSPixMap>* pixMap)
{
    JpegDecoding decoding;
    std::memset(&decoding, 0, sizeof decoding);
    decoding.info.err = InstallErrorManager(&decoding.errors);
    if (!StartDecoding(&decoding, bytes, length))
        return GX::BadImageErr;
    std::unique_ptr<GSPixMap> decoded = MakePixMap(SideOf(decoding.info.output_width), SideOf(decoding.info.output_height));
    std::vector<JSAMPLE> row;
    if (decoded == nullptr || !TryResize(&row, std::size_t(decoded->width) * RgbComponents)) {
        jpeg_destroy_decompress(&decoding.info);
        return ErrMemoryFull;
    }
    if (!ReadRows(&decoding, decoded.get(), row.data()))
        return GX::BadImageErr;
    *pixMap = std::move(decoded);
    return NoError;
}

GSErrCode EncodeJpeg(const GSPixMap& pixMap, int quality, std::vector<UInt8>* bytes)
{
    std::vector<JSAMPLE> row;
    if (!TryResize(&row, std::size_t(pixMap.width) * RgbComponents))
        return ErrMemoryFull;
    std::vector<UInt8> encoded;
    JpegEncoding encoding;
    std::memset(&encoding, 0, sizeof encoding);
    encoding.info.err = InstallErrorManager(&encoding.errors);
    encoding.destination.bytes = &encoded;
    const GSErrCode result = RunEncoder(&encoding, pixMap, std::clamp(quality, JpegMinQuality, JpegMaxQuality), row.data());
    if (result == NoError)
        *bytes = std::move(encoded);
    return result;
}

}  // namespace GXHost
