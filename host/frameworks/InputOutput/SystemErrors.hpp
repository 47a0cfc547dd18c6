// How the file layer reports what the system said.
#ifndef INPUTOUTPUT_SYSTEMERRORS_HPP
#define INPUTOUTPUT_SYSTEMERRORS_HPP

#include "Definitions.hpp"

namespace IO {

// The file layer's code for a POSIX errno value.
GSErrCode ErrorFromErrno(int error);
// The same for the current errno.
GSErrCode LastSystemError();

}  // namespace IO

#endif
