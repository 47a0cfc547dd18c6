// Reading the files a scene names (the scene file itself, its pictures): regular files only, and no
// more of them than a scene can sensibly hold, so that a pipe, a device or a runaway file can neither
// block the host nor exhaust its memory.
#ifndef SCENE_SCENEFILES_HPP
#define SCENE_SCENEFILES_HPP

#include <cstdint>
#include <string>

namespace ZeltoHost {

// The most a scene file or a picture file may hold (SCENE_FORMAT.md): a scene far beyond any building
// a test or a sample describes, and a picture as many bytes as the pixel map of the largest picture
// a scene may hold (64 Mpixels of four bytes).
constexpr std::uint64_t MaxSceneFileBytes = std::uint64_t(256) << 20;
constexpr std::uint64_t MaxPictureFileBytes = std::uint64_t(256) << 20;

// Reads the whole of the regular file at path, when it holds at most maxBytes. False otherwise, with
// a problem that names the file by `what` ("the scene file", "the picture file textures/oak.png"):
// "cannot open the scene file: No such file or directory", "the scene file is a folder, not a regular
// file", "the scene file holds more than 256 MiB", "cannot read the scene file: ...".
bool ReadRegularFile(const std::string& path, std::uint64_t maxBytes, const std::string& what, std::string* bytes,
                     std::string* problem);

}  // namespace ZeltoHost

#endif
