#include "MAExporter.hpp"

#include <cstring>
#include <string>

#include "ElementAccessors.hpp"
#include "ElementWrappers.hpp"
#include "EngineHostCalls.hpp"
#include "ExportFailures.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "Progress.hpp"
#include "ZELTO_export_C4Dsearch.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

MAExporter::MAExporter(ModelerAPI::Model* model, const API_IOParams* io, bool direct, const IO::Name& projectName)
    : model(model), offset{0.0, 0.0}
{
    std::memset(&ioParams, 0, sizeof ioParams);
    if (model == nullptr)
        throw GS::NullPointerException("Zelto_export:: no model to export", __FILE__, __LINE__,
                                       MissingInputErrorCode);
    if (io == nullptr)
        throw GS::NullPointerException("Zelto_export:: no export file given", __FILE__, __LINE__,
                                       MissingInputErrorCode);
    ioParams = *io;
    parameters = std::make_unique<MAParameters>(direct, projectName);
    resource = std::make_unique<MAResource>();
    search = std::make_unique<MASearch>();
    writer = MakeWriter();
}

// The writer goes first: it refers to the settings record.
MAExporter::~MAExporter()
{
    writer.reset();
    resource.reset();
    search.reset();
    parameters.reset();
}

std::unique_ptr<MAWriter> MAExporter::MakeWriter()
{
    try {
        return std::make_unique<MAWriter>(ioParams, parameters.get(), model);
    } catch (...) {
        ThrowFileFailure("Cannot create the export file");
    }
}

const GS::UniString& MAExporter::ProgressText(Int32 item) const
{
    return resource->progressTexts[static_cast<GS::UIndex>(item)];
}

bool MAExporter::IsInvalidElement(const ModelerAPI::Element& element) const
{
    API_Element record;
    std::memset(&record, 0, sizeof record);
    record.header.guid = element.GetElemGuid();
    if (Element::Get(&record, 0) != NoError)
        return true;
    if (GetTypeId(record.header) == 0)
        return true;
    return element.IsInvalid();
}

void MAExporter::MainExporter()
{
    const Int32 phaseCount = PrepareExport();
    Progress::Init(ProgressText(SavingFile), phaseCount, nullptr);
    ForgetPhases();
    try {
        RunPasses();
    } catch (...) {
        const std::string where = CurrentPhaseTitle().IsEmpty() ? std::string("the header")
                                                                 : "\"" + CurrentPhaseTitle().ToUtf8() + "\"";
        FailWithOpenWindow("Export failed in " + where);
    }
    CompleteFile();
    PublishFile();
}

// Before the process window opens; gives the number of phases that will run.
Int32 MAExporter::PrepareExport()
{
    try {
        ReadProjectOffset();
        ReadProjectStructure();
        return CountPhases();
    } catch (...) {
        ThrowGeneralFailure("Cannot prepare the export");
    }
}

// After the last pass the failures are the file's own, not the last pass's.
void MAExporter::CompleteFile()
{
    try {
        writer->ExportTotal(totals);
        writer->FlushFile();
    } catch (...) {
        FailWithOpenWindow("Export failed while writing the export file");
    }
    try {
        writer->CloseFile();
    } catch (...) {
        FailWithOpenWindow("Export failed while closing the export file");
    }
}

// The file goes to the target last: nothing that can still fail comes after it.
void MAExporter::PublishFile()
{
    try {
        CloseProcessWindow();
    } catch (...) {
        ThrowGeneralFailure("Export failed while closing the process window");
    }
    try {
        writer->Publish();
    } catch (...) {
        ThrowGeneralFailure("Export failed while putting the export file in place");
    }
}

// The window is closed first; a window that cannot be closed is a failure of its own and is logged
// as such, the export's failure is the one that goes on.
void MAExporter::FailWithOpenWindow(const std::string& context)
{
    RunWithoutThrowing("Cannot close the process window", [this] { CloseProcessWindow(); });
    try {
        throw;
    } catch (const Cancel&) {
        ThrowCancel();
    } catch (...) {
        ThrowGeneralFailure(context.c_str());
    }
}

// A window that the host cannot close is no reason to lose the export; it is logged.
void MAExporter::CloseProcessWindow()
{
    const GSErrCode closed = Progress::Close();
    if (closed != NoError)
        LogMessageError("Zelto_export:: Cannot close the process window: %s\n", ErrID_To_Name(closed));
}

void MAExporter::ReadProjectOffset()
{
    offset = {0.0, 0.0};
    if (parameters->useOffset) {
        const GSErrCode err = EngineHost::GetProjectOffset(&offset);
        if (err != NoError) {
            LogMessageDebug("Error: Cannot get offset: #%s\n", ErrID_To_Name(err));
            offset = {0.0, 0.0};
        }
    }
    coordinates = ExportCoordinates(parameters->scale, offset);
}

// Stories and layers are read before the window opens: a pass whose data the host cannot give opens
// no phase, and the window must be told the phases that will run.
void MAExporter::ReadProjectStructure()
{
    structure.stories.Read();
    structure.layers.Read();
}

Int32 MAExporter::CountPhases() const
{
    return CountStructurePhases() + CountMaterialPhases() + CountTexturePhases() + CountElementPhases() +
           CountMeshPhases() + CountLightPhases() + CountCameraPhases();
}

// The order of the file's sections.
void MAExporter::RunPasses()
{
    ExportHeader();
    ExportBoundingBox();
    ExportMaterialsRgb();
    CreateTextures();
    if (parameters->materialType >= 2)
        ExportMaterialsInternal();
    if (parameters->materialType == 3)
        ExportMaterialsCinema4D();
    ExportClass();
    ExportStories();
    ExportLayers();
    ExportElements();
    ExportPolygons();
    ExportLights();
    ExportCameraSets();
    ExportCameras();
}

}  // namespace WRL
