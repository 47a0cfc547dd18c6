// Error codes of the host's file layer. They are negative like every host code, lie in a block of
// their own (apart from the host API's 0x8106xxxx codes and the memory manager's -108), and 0 is
// NoError.
#ifndef INPUTOUTPUT_IOERRORS_HPP
#define INPUTOUTPUT_IOERRORS_HPP

#include "Definitions.hpp"

namespace IO {

constexpr GSErrCode NotFoundErr = -5101;       // no entry at the location
constexpr GSErrCode AlreadyExistsErr = -5102;  // an entry is already there
constexpr GSErrCode AccessDeniedErr = -5103;   // the system refused access
constexpr GSErrCode WrongTypeErr = -5104;      // a folder where a file is wanted, or the reverse
constexpr GSErrCode NotEmptyErr = -5105;       // a folder to delete still holds entries
constexpr GSErrCode BadLocationErr = -5106;    // an empty, relative or illegal location
constexpr GSErrCode BadNameErr = -5107;        // a local name that is empty or illegal
constexpr GSErrCode NotOpenErr = -5108;        // the file is not open
constexpr GSErrCode AlreadyOpenErr = -5109;    // the file is open already
constexpr GSErrCode WrongOpenModeErr = -5110;  // reading a file opened for writing, or the reverse
constexpr GSErrCode EndOfFileErr = -5111;      // fewer bytes left than asked for
constexpr GSErrCode DiskFullErr = -5112;       // no room left on the volume
constexpr GSErrCode TooLongErr = -5113;        // a text or length does not fit the caller's buffer or type
constexpr GSErrCode BadParameterErr = -5114;   // a null pointer or a value out of range
constexpr GSErrCode GeneralIOErr = -5120;      // any other failure of the system

}  // namespace IO

#endif
