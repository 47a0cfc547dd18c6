// Picture files and pixel maps: reading a whole file into a memory handle and writing one out,
// filling a host pixel map with texture pixels, and JPEG encoding of pixel maps.
//
// The int results are host error codes: 0, or the code of the step that failed. Messages go to
// the error log when verbose is true and to the debug log otherwise.
#ifndef TOOLKIT_PICTUREHELPERS_HPP
#define TOOLKIT_PICTUREHELPERS_HPP

#include "APIdefs_Pictures.h"
#include "GXPixMap.hpp"
#include "Location.hpp"

// Reads the whole file into a new memory handle stored through handle; the caller frees it
// (BMKillHandle), also after a failed read.
int ReadPictureFile(const IO::Location* location, char*** handle, const bool& verbose);

// Writes the handle's bytes into the file (created or emptied). With setExtension the file's name
// gets extension instead of its own one (or in addition, when it has none).
int WritePictureFile(const IO::Location* location, char*** handle, const bool& verbose, const bool& setExtension,
                     const char* extension);

// Copies pixelCount pixels of 4 bytes each in A, R, G, B order (rows of the pixel map's width, top
// row first, as the host model's textures deliver them) into pixMapMemory, the memory of pixMap
// (GXGetGSPixMapBaseAddr), row by row at the pixel map's row pitch. Copies only when the pixels
// fill the map exactly: false, with nothing copied, for null arguments or a count other than the
// map's width x height.
bool CopyARGBPixelsToPixMap(const void* pixels, USize pixelCount, GSPixMap** pixMap, void* pixMapMemory);

// JPEG encoding of a pixel map at a texture quality of 1..100 (values outside are brought to the
// nearer end). ConvertPixMapToJpegHandle clears the picture record first; on success it holds the
// JPEG bytes in a new handle that the caller frees (BMKillHandle).
int ConvertPixMapToJpegHandle(GSPixMap** const& pixMap, API_PictureHandle& picture, const int& quality,
                              short pixelBits);
int WritePixmapToJpegFile(GSPixMap** const& pixMap, const IO::Location& location, const int& quality,
                          short pixelBits);

#endif
