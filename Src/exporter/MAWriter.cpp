// The writer's life cycle and the frame of the file: construction, header, trailer, closing and
// publishing.
#include "MAWriter.hpp"

#include <exception>
#include <limits>
#include <string>

#include "ExportOutput.hpp"
#include "File.hpp"
#include "GSException.hpp"
#include "PartialExportFile.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Parameters.hpp"

namespace WRL {

namespace {

constexpr USize MarkerBytes = 8;
constexpr USize SystemNameBytes = 256;
constexpr USize AddonVersionBytes = 8;

[[noreturn]] void ThrowWriteFailure(const std::string& message)
{
    throw GS::GeneralException(("Zelto_export:: " + message).c_str(), __FILE__, __LINE__, CancelErrorCode);
}

}  // namespace

MAWriter::MAWriter(const API_IOParams& io, MAParameters* settings, ModelerAPI::Model* exportedModel)
    : ioParams(io), parameters(settings), model(exportedModel)
{
    if (model == nullptr || parameters == nullptr)
        throw GS::NullPointerException("Zelto_export:: The writer needs a model and its settings", __FILE__,
                                       __LINE__, MissingInputErrorCode);
    try {
        OpenTemporaryFile();
    } catch (const GS::GSException& failure) {
        // Whatever went wrong while the file was made, the engine learns one thing: no file. The
        // message keeps the cause, for the one line that reports the failure.
        throw GS::OutOfMemoryException(failure.GetMessage(), __FILE__, __LINE__, failure, FileNotMadeErrorCode);
    } catch (const std::exception& failure) {
        throw GS::OutOfMemoryException((std::string("Zelto_export:: Cannot create the export file: ") +
                                        failure.what()).c_str(),
                                       __FILE__, __LINE__, FileNotMadeErrorCode);
    } catch (...) {
        throw GS::OutOfMemoryException("Zelto_export:: Cannot create the export file", __FILE__, __LINE__,
                                       FileNotMadeErrorCode);
    }
}

// The output goes first (closing the file), then the temporary file is removed unless it was published.
MAWriter::~MAWriter() = default;

void MAWriter::OpenTemporaryFile()
{
    if (ioParams.fileLoc == nullptr)
        throw GS::NullPointerException("Zelto_export:: No export file location", __FILE__, __LINE__,
                                       MissingInputErrorCode);
    targetLocation = *ioParams.fileLoc;
    partialFile = std::make_unique<PartialExportFile>(targetLocation);
    std::unique_ptr<IO::File> file;
    const GSErrCode opened = partialFile->Open(&file);
    if (opened != NoError)
        throw GS::GeneralException(("Zelto_export:: " + partialFile->FailureText()).c_str(), __FILE__, __LINE__,
                                   opened);
    output = std::make_unique<ExportOutput>(std::move(file));
}

const IO::Location& MAWriter::TemporaryLocation() const
{
    return partialFile->TemporaryLocation();
}

void MAWriter::WriteHeader(const char* fileName, const char* projectName)
{
    WriteFixedText(FileMarker, MarkerBytes);
    WriteFixedText(SystemName, SystemNameBytes);
    WriteInt32(parameters->formatNumber);
    WriteBinUnicode(fileName);
    WriteBinUnicode(projectName);
    WriteFixedText(AddonVersion, AddonVersionBytes);
    WriteBool(true);
    WriteBool(true);
    WriteBool(true);
    WriteInt32(parameters->unit);
    WriteReal(parameters->scale, "header");
    WriteBool(parameters->direct);
    WriteInt32(ZELTO_ACAPI_VERSION);
}

void MAWriter::ExportTotal(const TotalIndex& totals)
{
    struct Count {
        const char* name;
        Int64 value;
    };
    // The file's order, which is not the order of TotalIndex.
    const Count trailer[] = {
        {"Sh", totals.Sh},         {"Tex", totals.Tex},         {"ShInt", totals.ShInt},
        {"ShC4D", totals.ShC4D},   {"Class", totals.Class},     {"Story", totals.Story},
        {"Layer", totals.Layer},   {"Object", totals.Object},   {"Point", totals.Point},
        {"Uvw", totals.Uvw},       {"Normals", totals.Normals}, {"Poly", totals.Poly},
        {"Lights", totals.Lights}, {"CameraSet", totals.CameraSet}, {"Camera", totals.Camera},
    };
    // All are checked before any is written: a wrapped count would make the whole file unreadable.
    for (const Count& count : trailer) {
        if (count.value < 0 || count.value > std::numeric_limits<Int32>::max())
            ThrowWriteFailure(std::string("Too many records for the file format: ") + count.name + " " +
                              std::to_string(count.value));
    }
    for (const Count& count : trailer)
        WriteInt32(static_cast<Int32>(count.value));
}

void MAWriter::FlushFile()
{
    output->Flush();
}

void MAWriter::CloseFile()
{
    output->Close();
}

void MAWriter::Publish()
{
    if (finished)
        return;
    if (!output->IsClosed())
        ThrowWriteFailure("The export file is published before it was closed");
    if (partialFile->Publish() != NoError)
        ThrowWriteFailure(partialFile->FailureText());
    finished = true;
}

void MAWriter::Finish()
{
    CloseFile();
    Publish();
}

}  // namespace WRL
