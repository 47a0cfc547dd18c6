#include "TxtFileWriter.hpp"

#include <cstring>

#include "File.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"

namespace {

void LogFailure(const char* format, const IO::Name& name, GSErrCode error)
{
    LogMessageError(format, name.ToString().ToCStr(CC_Default).Get(), ErrID_To_Name(error));
}

GSErrCode WriteTextAndNewline(IO::File& file, const char* text)
{
    const GSErrCode written = file.WriteBin(text, static_cast<USize>(std::strlen(text)), nullptr);
    if (written != NoError)
        return written;
    const char newline = '\n';
    return file.WriteBin(&newline, 1, nullptr);
}

}  // namespace

int WriteTxtFile(const IO::Location& loc, const char* text)
{
    IO::Name name;
    loc.GetLastLocalName(&name);

    IO::File file(loc, IO::File::Create);
    if (file.GetStatus() != NoError) {
        LogFailure("Error: Cannot Create File: %s  %s", name, file.GetStatus());
        return file.GetStatus();
    }
    file.Open(IO::File::WriteEmptyMode, IO::ReportAccessDenied);
    if (file.GetStatus() != NoError) {
        LogFailure("Error: Cannot Open File: %s  %s", name, file.GetStatus());
        return file.GetStatus();
    }
    const GSErrCode written = WriteTextAndNewline(file, text != nullptr ? text : "");
    if (written != NoError)
        LogFailure("Error: Cannot Write File: %s  %s", name, written);
    const GSErrCode closed = file.IsOpen() ? file.Close() : NoError;
    if (written == NoError && closed != NoError)
        LogFailure("Error: Cannot Close File: %s  %s", name, closed);
    return written != NoError ? written : closed;
}
