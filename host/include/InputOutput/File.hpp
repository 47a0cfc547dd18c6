// A file of the host's file layer, over one POSIX file descriptor.
//
// Construction looks the file up and sets the status: NoError when a file is there (or was made,
// with OnNotFound Create), else the reason (NotFoundErr, WrongTypeErr for a folder, ...). Open and
// Close set the status to their own result. Reads and writes are unbuffered: every call reaches the
// system, writes every byte it was given (partial writes are continued) and reports any failure, so
// callers that write many small values should collect them in a buffer of their own. The channel
// operations Read/Write of single values use little-endian byte order. The destructor closes a file
// that is still open; Close explicitly to learn whether closing succeeded.
//
// Open modes: ReadMode (0) reads an existing file; WriteMode (1) writes an existing file (one just
// made) from its start, emptying it first; WriteEmptyMode (2) creates the file when needed and
// empties it, as the export file and one-call writers need.
//
// Failure points (HostFailure): "IO::File::Locate" (construction; the planned code becomes the
// status), "IO::File::Create" (making the missing file), "IO::File::IsOpenable" (answers false),
// "IO::File::Open", "IO::File::Close" (the descriptor is closed all the same), "IO::File::ReadBin",
// "IO::File::WriteBin", "IO::File::Read" and "IO::File::Write" (single values), "IO::File::Seek",
// "IO::File::GetPosition", "IO::File::GetDataLength", "IO::File::Flush".
#ifndef INPUTOUTPUT_FILE_HPP
#define INPUTOUTPUT_FILE_HPP

#include "AccessDeniedTreatment.hpp"
#include "Definitions.hpp"
#include "IOErrors.hpp"
#include "Location.hpp"

namespace IO {

class GSROOT_DLL_EXPORT File {
public:
    enum OnNotFound : int { Fail = 0, Create = 1 };
    enum OpenMode : int { ReadMode = 0, WriteMode = 1, WriteEmptyMode = 2 };

    explicit File(const Location& location, OnNotFound onNotFound = Fail);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    GSErrCode GetStatus() const { return status; }
    const Location& GetLocation() const { return location; }

    // Whether Open(mode) may succeed: the file (or, for WriteEmptyMode, its folder) grants access.
    bool IsOpenable(OpenMode mode) const;
    GSErrCode Open(OpenMode mode, AccessDeniedTreatment treatment = ReportAccessDenied);
    bool IsOpen() const { return descriptor >= 0; }
    GSErrCode Close();

    // The length works on an open file and on a closed one. The 32-bit form gives TooLongErr
    // from 4 GiB on rather than a cut length.
    GSErrCode GetDataLength(UInt64* length) const;
    GSErrCode GetDataLength(UInt32* length) const;
    GSErrCode Seek(UInt64 position);
    GSErrCode GetPosition(UInt64* position) const;

    // Reads exactly count bytes; EndOfFileErr when the file ends first (read tells how many came).
    GSErrCode ReadBin(char* destination, USize count, USize* read = nullptr);
    GSErrCode WriteBin(const char* source, USize count, USize* written = nullptr);
    // Hands the written bytes to the disk (fsync), so that a rename after it publishes whole data.
    GSErrCode Flush();

    GSErrCode Read(char& value);
    GSErrCode Read(UInt8& value);
    GSErrCode Read(bool& value);
    GSErrCode Read(Int32& value);
    GSErrCode Read(UInt32& value);
    GSErrCode Read(double& value);
    GSErrCode Write(char value);
    GSErrCode Write(UInt8 value);
    GSErrCode Write(bool value);  // one byte, 0 or 1
    GSErrCode Write(Int32 value);
    GSErrCode Write(UInt32 value);
    GSErrCode Write(double value);  // IEEE 754, 8 bytes

private:
    GSErrCode ReadBytes(const char* point, char* destination, USize count, USize* read);
    GSErrCode WriteBytes(const char* point, const char* source, USize count, USize* written);

    Location location;
    GSErrCode status = NoError;
    int descriptor = -1;
    OpenMode openMode = ReadMode;
};

}  // namespace IO

#endif
