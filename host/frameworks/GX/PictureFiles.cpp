#include "PictureFiles.hpp"

#include <limits>
#include <new>

#include "BM.hpp"
#include "File.hpp"

namespace GXHost {

GSErrCode ReadWholeFile(const IO::Location& location, std::vector<UInt8>* bytes)
{
    IO::File file(location, IO::File::Fail);
    if (file.GetStatus() != NoError)
        return file.GetStatus();
    GSErrCode result = file.Open(IO::File::ReadMode, IO::ReportAccessDenied);
    if (result != NoError)
        return result;
    UInt64 length = 0;
    result = file.GetDataLength(&length);
    if (result == NoError && length > UInt64(std::numeric_limits<Int32>::max()))
        result = IO::TooLongErr;
    if (result == NoError) {
        try {
            bytes->resize(static_cast<std::size_t>(length));
        } catch (const std::bad_alloc&) {
            result = ErrMemoryFull;
        }
    }
    if (result == NoError)
        result = file.ReadBin(reinterpret_cast<char*>(bytes->data()), static_cast<USize>(length));
    const GSErrCode closed = file.Close();
    return result != NoError ? result : closed;
}

GSErrCode WriteWholeFile(const IO::Location& location, const std::vector<UInt8>& bytes)
{
    IO::File file(location, IO::File::Create);
    if (file.GetStatus() != NoError)
        return file.GetStatus();
    GSErrCode result = file.Open(IO::File::WriteEmptyMode, IO::ReportAccessDenied);
    if (result != NoError)
        return result;
    result = file.WriteBin(reinterpret_cast<const char*>(bytes.data()), static_cast<USize>(bytes.size()));
    const GSErrCode closed = file.Close();
    return result != NoError ? result : closed;
}

}  // namespace GXHost
