// The export engine: one export run over the host's 3D model into one export file.
//
// A command handler makes the engine for the model, the I/O block of the target file, the
// direct-export flag and the project name, and calls one entry point. MainExporter runs the passes
// in the file's order under the host's process window and ends with the totals trailer:
//   header, scene bounds, RGB shaders, textures, internal shaders, Cinema 4D shaders, classes,
//   stories, layers, elements, points, texture coordinates, polygons, lights, camera sets, cameras.
//
// Rules every pass shares:
// - Element numbering: the bounds pass decides once which elements are exported (IsInvalidElement)
//   and gives each valid one its object number, its 0-based position among the valid elements;
//   every later per-element pass reads that table.
// - Coordinates (ExportCoordinates): X = (x + offset.x) * scale, Y = (y + offset.y) * scale,
//   Z = z * scale; lengths are only scaled; angles go out in degrees.
// - Progress (PassProgress): each pass opens one phase per run, reports each item and polls for a
//   cancel, which closes the window and throws WRL::Cancel. The window is told exactly as many
//   phases as will run.
//
// Failures: a null model or I/O block throws GS::NullPointerException (-50); a writer that cannot be
// made GS::OutOfMemoryException (-108). Out of the preparation, the passes, the trailer and the
// file's completion a cancel leaves as WRL::Cancel and everything else as GS::GeneralException
// (-7003), with the process window closed. Each failure but the null inputs is logged once, in one
// line with its cause and the place (the phase, or the step of the file), and leaves as a
// LoggedFailure (ExportFailures.hpp). The file is put at the target after the window is closed, as
// the run's last step, so a run that reports a failure never replaced it.
#ifndef EXPORTER_MAEXPORTER_HPP
#define EXPORTER_MAEXPORTER_HPP

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "ACAPinc.h"
#include "ElementValidity.hpp"
#include "ExportCoordinates.hpp"
#include "ExportedGeometry.hpp"
#include "Location.hpp"
#include "ModelerAPI.hpp"
#include "ProjectStructure.hpp"
#include "TotalIndex.hpp"

namespace Geometry {
template <typename T>
class Vector3;
}

namespace WRL {

struct TextureFileLibrary;
class MAParameters;
class MAResource;
class MASearch;
class MAWriter;

class MAExporter {
public:
    MAExporter(ModelerAPI::Model* model, const API_IOParams* io, bool direct, const IO::Name& projectName);
    ~MAExporter();
    MAExporter(const MAExporter&) = delete;
    MAExporter& operator=(const MAExporter&) = delete;

    // The host's save-as: the settings dialog, then the export. Not confirmed: WRL::Cancel.
    void ExportScene();
    // The menu's export to Cinema 4D: the application (asked for when none is known; not found:
    // WRL::Cancel), the export, Cinema 4D started on the closed file, the finish notice and, when the
    // importer plug-in is missing, the direct-export notice. When Cinema 4D cannot be started an error
    // alert comes instead of the finish notice, the file stays, and GS::GeneralException (-7003)
    // follows the plug-in check.
    void ExportDirect();
    // The pass driver.
    void MainExporter();

    bool IsInvalidElement(const ModelerAPI::Element& element) const;

    // Library-part data of objects and lamps. Every handle they obtain is released before they return.
    // Reads the element's memo and the library part's defaults: a, b (1.0 when the library part's
    // parameters cannot be read), the element's and the library part's "ZZYZX" (1.0 when missing).
    // False when the memo cannot be read.
    bool GetLibPartParameters(API_Element* element, API_LibPart* libPart, double& a, double& b, double& height,
                              double& defaultHeight);
    // name is the first byte of a 256-byte buffer; it becomes the lamp's "TAVO_item_no" when there is one.
    bool GetTavoLampType2(API_Element* element, int libInd, char& name);
    // As GetTavoLampType2, but the name becomes "name / item number (lamp type)" when the lamp has both
    // "TAVO_item_no" and "lamp_type".
    bool GetTavoLampType(API_Element* element, int libInd, char& name);
    // The default "ZZYZX" of the library part's tool defaults (lamp or object).
    bool GetLibPartDefaultParams(API_LibPart* libPart, double& height, bool lamp);

    // A camera's view as one rotation: the turn from the direction (0, 1, 0) to the direction from eye
    // to target, then rollDegrees about that direction, as an axis and an angle in radians. Offered
    // for callers of the engine; no export path uses it. Null outputs throw GS::NullPointerException (-50).
    static void CalcOrientation(const Geometry::Vector3<double>& eye, const Geometry::Vector3<double>& target,
                                double rollDegrees, Geometry::Vector3<double>* axis, double* angle);

private:
    std::unique_ptr<MAWriter> MakeWriter();
    bool RunSettingsDialog();
    void ShowLaunchFailure() const;
    const GS::UniString& ProgressText(Int32 item) const;

    // Before the process window opens.
    Int32 PrepareExport();
    void ReadProjectOffset();
    void ReadProjectStructure();
    Int32 CountPhases() const;
    // While it is open: the passes, then the trailer and the file's close.
    void RunPasses();
    void CompleteFile();
    // The window closed, then the file at the target.
    void PublishFile();
    void CloseProcessWindow();
    // Inside a catch handler while the process window is open: closes the window, then a cancel
    // leaves as WRL::Cancel and any other failure, logged with context, as GS::GeneralException.
    [[noreturn]] void FailWithOpenWindow(const std::string& context);

    // Phases each group of passes will open, in pass order.
    Int32 CountStructurePhases() const;
    Int32 CountMaterialPhases() const;
    Int32 CountTexturePhases() const;
    Int32 CountElementPhases() const;
    Int32 CountMeshPhases() const;
    Int32 CountLightPhases() const;
    Int32 CountCameraPhases() const;

    // Header, bounds, classes, stories, layers.
    void ExportHeader();
    void ExportBoundingBox();
    void CalcSceneLimits(ModelerAPI::Vertex* min, ModelerAPI::Vertex* max);
    void MergeBodyIntoLimits(MeshReaders& readers, ModelerAPI::Vertex& min, ModelerAPI::Vertex& max);
    void ExportClass();
    void ExportOneClass(const API_ElemTypeID& typeId);
    void ExportStories();
    void ExportLayers();

    // Materials and textures.
    void ExportMaterialsRgb();
    void CreateTextures();
    void ExportMaterialsInternal();
    void ExportMaterialsCinema4D();

    // Texture runs (MAExporter_Textures.cpp): model textures, then the library files that the extra
    // parameters of materials and lights name.
    void ExportModelTextures();
    void ExportMaterialAttachments();
    void ExportLightAttachments();
    void GetTextureFromModel(const int& textureIndex, char* fileName);
    bool GetModelOriginalTexture(ModelerAPI::Texture* texture, char* name, const int& textureIndex);
    void GetModelCompressedTexture(ModelerAPI::Texture* texture, char* fileName, const int& textureIndex);
    void SearchC4dAttachments(const char* key, ModelerAPI::ParameterList& parameters);
    bool GetTextureFromLibrary(const char* name);
    bool EmbedFromLibrary(const char* name);
    bool SearchTextureFromLibrary(const char* name, TextureFileLibrary& lib);
    bool SearchBinaryFromLibrary(const char* name, TextureFileLibrary& lib);
    bool EmbedLibraryPictureAsJpeg(const TextureFileLibrary& lib);
    void EmbedLibraryFile(TextureFileLibrary& lib, Int32 id);

    // Element records.
    void ExportElements();
    void SelectModelSight();
    void ExportElement(MeshReaders& readers, API_Element& record);
    bool ExportLibPartElement(MeshReaders& readers, API_Element& record);
    void WritePlainRecord(const API_Element& record);
    void WriteZombieRecord();

    // Points, texture coordinates, polygons.
    void ExportPolygons();
    template <typename BodyOperation>
    void RunOverMesh(Int32 titleItem, BodyOperation bodyOperation);
    void ExportPoints(ModelerAPI::MeshBody& body);
    void ExportUvwCoord(MeshReaders& readers);
    void ExportBody(MeshReaders& readers, const Int32& objectIndex);
    void ExportNormals(MeshReaders& readers);

    // Lights and cameras.
    using LightOperation = std::function<void(ModelerAPI::Light& light, Int32 objectNumber, Int32 lightNumber)>;
    void RunOverLights(Int32 titleItem, const LightOperation& lightOperation);
    void ExportLights();
    void ExportCameraSets();
    void ExportCameras();
    bool GetLight(ModelerAPI::Light& light, const int& objectIndex, const char* name, const int& lightNumber);
    void ExportCurrentViewCamera();
    void ExportCameraElements();

    API_IOParams ioParams;
    ModelerAPI::Model* model;  // not owned
    std::unique_ptr<MAResource> resource;
    std::unique_ptr<MAWriter> writer;
    std::unique_ptr<MASearch> search;
    std::unique_ptr<MAParameters> parameters;
    GS::Array<GS::UniString> textureNames;  // position = model texture index - 1
    IO::Location textureFolder;
    // Attachment values searched for already (in one letter case): each library file is looked up and
    // embedded once, however many materials and lights name it.
    std::unordered_set<std::string> searchedAttachments;
    TotalIndex totals;
    API_Coord offset;

    ExportCoordinates coordinates;
    ProjectStructure structure;
    ElementValidity validity;
};

}  // namespace WRL

#endif
