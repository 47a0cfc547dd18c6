// The export file's output: one large buffer in front of an open IO::File, which writes every call
// straight to the system. Values are collected in the buffer and handed to the file in big blocks.
//
// Any failure of the file (a write, the final flush to disk or the close) throws GS::GeneralException
// with -7003 from the call that found it; the output then stays failed, so nothing that follows can
// make the file look complete.
#ifndef EXPORTER_EXPORTOUTPUT_HPP
#define EXPORTER_EXPORTOUTPUT_HPP

#include <memory>

#include "Definitions.hpp"
#include "ExportPrimitives.hpp"

namespace IO {
class File;
}

namespace WRL {

class ExportOutput {
public:
    static constexpr USize BufferSize = USize(1) << 20;

    // file: open for writing.
    explicit ExportOutput(std::unique_ptr<IO::File> file);
    // Closes a file that is still open without reporting: only Close publishes a result.
    ~ExportOutput();
    ExportOutput(const ExportOutput&) = delete;
    ExportOutput& operator=(const ExportOutput&) = delete;

    void AppendBool(const bool& value)
    {
        PutBool(Room(BoolBytes), value);
        used += BoolBytes;
    }
    void AppendInt32(Int32 value)
    {
        PutInt32(Room(Int32Bytes), value);
        used += Int32Bytes;
    }
    void AppendUInt32(UInt32 value)
    {
        PutUInt32(Room(UInt32Bytes), value);
        used += UInt32Bytes;
    }
    void AppendReal(double value)
    {
        PutReal(Room(RealBytes), value);
        used += RealBytes;
    }
    void AppendBytes(const char* bytes, USize count);
    void AppendZeroBytes(USize count);

    // Room for count (at most BufferSize) bytes at the end of the buffer, writing it out first when
    // needed. The caller fills the bytes and then calls Commit(count).
    char* Room(USize count)
    {
        if (BufferSize - used < count)
            Flush();
        return buffer.get() + used;
    }
    void Commit(USize count) { used += count; }

    // Hands the buffered bytes to the file.
    void Flush();
    // Flush, then hands the file to the disk and closes it. Throws on any failure.
    void Close();

    bool IsClosed() const { return closed; }
    UInt64 WrittenByteCount() const { return flushedBytes + used; }

private:
    void WriteToFile(const char* bytes, USize count);
    [[noreturn]] void Fail(const char* what, GSErrCode error);

    std::unique_ptr<IO::File> file;
    std::unique_ptr<char[]> buffer;
    USize used = 0;
    UInt64 flushedBytes = 0;
    bool failed = false;
    bool closed = false;
};

}  // namespace WRL

#endif
