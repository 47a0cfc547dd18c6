// Whole picture files read and written through the host's file layer.
#ifndef GX_PICTUREFILES_HPP
#define GX_PICTUREFILES_HPP

#include <vector>

#include "Location.hpp"

namespace GXHost {

// NoError with every byte of the file, or the file layer's error (IO::TooLongErr from 2 GiB on).
GSErrCode ReadWholeFile(const IO::Location& location, std::vector<UInt8>* bytes);
// Creates or empties the file and writes the bytes; NoError, or the first error, closing included.
GSErrCode WriteWholeFile(const IO::Location& location, const std::vector<UInt8>& bytes);

}  // namespace GXHost

#endif
