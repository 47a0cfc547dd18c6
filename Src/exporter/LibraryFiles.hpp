// Library files found by name for embedding: pictures and other data files (light files, HDR
// images) that the host keeps as library items of type 11.
//
// A found file is opened for reading and its length taken before anything of its record is
// written; the record then copies it from the open file in blocks, so a large file is never held
// whole. A file longer than a texture record's UInt32 size field is refused (and logged).
#ifndef EXPORTER_LIBRARYFILES_HPP
#define EXPORTER_LIBRARYFILES_HPP

#include <memory>

#include "Definitions.hpp"
#include "File.hpp"
#include "Location.hpp"

namespace WRL {

constexpr USize MimeTextSize = 32;
constexpr USize LibraryFileNameSize = 260;

// One library file found by name.
struct TextureFileLibrary {
    UInt32 width = 0;   // of the picture, as the host image reports it
    UInt32 height = 0;
    Int32 mimeIndex = -1;                       // position in pictFormat_STR
    char mime[MimeTextSize] = {};               // that MIME text
    char fileName[LibraryFileNameSize] = {};    // the library file's name, at most 255 bytes
    IO::Location location;
    std::unique_ptr<IO::File> file;  // open for reading at its start; closed with the record
    UInt32 size = 0;                 // its length in bytes
};

// Finds the library item of type 11 by document name, else by file name, and fills location and
// fileName. False when neither search finds it or the host gives no usable location.
bool FindLibraryFile(const char* name, TextureFileLibrary& lib);

// For a found file: the picture's width, height and MIME text from the host's image of it. False when
// the host cannot tell its type or the type's MIME texts are not in pictFormat_STR.
bool ReadLibraryPictureType(TextureFileLibrary& lib);

// Opens the found file and takes its length. False when it cannot be opened or read, or is too long
// for a texture record (logged).
bool OpenLibraryFile(TextureFileLibrary& lib);

// The MIME position of a library file that is not a picture, by its extension: "hdr" and "hdri" give
// pictFormat_Hdri, "ies" pictFormat_Ies (letter case does not count), anything else pictFormat_Unknown.
Int32 DataFileMimeIndex(const char* fileName);

}  // namespace WRL

#endif
