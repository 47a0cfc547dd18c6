// Umbrella header of the host's picture framework: the file-type registry (FileTypeManager.hpp),
// pixel maps (GXPixMap.hpp) and pictures with their codecs (GXImage.hpp).
#ifndef GX_GX_HPP
#define GX_GX_HPP

#include "FileTypeManager.hpp"
#include "GXDefinitions.hpp"
#include "GXImage.hpp"
#include "GXPixMap.hpp"

#endif
