#include "ExportOutput.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "File.hpp"
#include "GSException.hpp"
#include "HostNames.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

ExportOutput::ExportOutput(std::unique_ptr<IO::File> openFile)
    : file(std::move(openFile)), buffer(std::make_unique<char[]>(BufferSize))
{
}

// The file object closes a descriptor that is still open; a failed export reports nothing more.
ExportOutput::~ExportOutput() = default;

void ExportOutput::AppendBytes(const char* bytes, USize count)
{
    if (count <= BufferSize - used) {
        std::memcpy(buffer.get() + used, bytes, count);
        used += count;
        return;
    }
    Flush();
    if (count >= BufferSize) {
        WriteToFile(bytes, count);  // a block this large gains nothing from a copy
        return;
    }
    std::memcpy(buffer.get(), bytes, count);
    used = count;
}

void ExportOutput::AppendZeroBytes(USize count)
{
    while (count > 0) {
        const USize part = std::min(count, BufferSize);
        std::memset(Room(part), 0, part);
        Commit(part);
        count -= part;
    }
}

void ExportOutput::Flush()
{
    if (failed || closed)
        Fail("Cannot write the export file: it is no longer open", IO::NotOpenErr);
    if (used == 0)
        return;
    WriteToFile(buffer.get(), used);
    used = 0;
}

void ExportOutput::Close()
{
    if (closed)
        return;
    Flush();
    const GSErrCode synced = file->Flush();
    if (synced != NoError)
        Fail("Cannot write the export file to disk", synced);
    const GSErrCode closedResult = file->Close();
    if (closedResult != NoError)
        Fail("Cannot close the export file", closedResult);
    closed = true;
}

void ExportOutput::WriteToFile(const char* bytes, USize count)
{
    const GSErrCode written = file->WriteBin(bytes, count, nullptr);
    if (written != NoError)
        Fail("Cannot write the export file", written);
    flushedBytes += count;
}

void ExportOutput::Fail(const char* what, GSErrCode error)
{
    failed = true;
    used = 0;
    const std::string message = std::string("Zelto_export:: ") + what + ": " + ErrID_To_Name(error);
    throw GS::GeneralException(message.c_str(), __FILE__, __LINE__, CancelErrorCode);
}

}  // namespace WRL
