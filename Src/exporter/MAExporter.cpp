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
        LogCurrentException("Cannot create the export file");
        throw GS::OutOfMemoryException("Zelto_export:: cannot create the export file", __FILE__, __LINE__,
                                       FileNotMadeErrorCode);
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
    try {
        ReadProjectOffset();
        ReadProjectStructure();
    } catch (...) {
        ThrowGeneralFailure("Cannot prepare the export");
    }

    Progress::Init(ProgressText(SavingFile), CountPhases(), nullptr);
    ForgetPhases();
    try {
        RunPasses();
        CompleteFile();
    } catch (const Cancel&) {
        CloseProcessWindow();
        ThrowCancel();
    } catch (...) {
        CloseProcessWindow();
        const std::string where = CurrentPhaseTitle().IsEmpty() ? std::string("the header")
                                                                 : "\"" + CurrentPhaseTitle().ToUtf8() + "\"";
        ThrowGeneralFailure(("Export failed in " + where).c_str());
    }
    // The file goes to the target last: nothing that can still fail comes after it.
    try {
        CloseProcessWindow();
        writer->Publish();
    } catch (...) {
        ThrowGeneralFailure("Export failed");
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

void MAExporter::CompleteFile()
{
    writer->ExportTotal(totals);
    writer->CloseFile();
}

}  // namespace WRL
