#include "SceneProjectReader.hpp"

#include <map>

#include "HostRecordTexts.hpp"
#include "SceneParameterReader.hpp"
#include "ScenePaths.hpp"
#include "SceneViewReader.hpp"

namespace ZeltoHost {

namespace {

constexpr API_ElemTypeID ObjectType = 6;
constexpr API_ElemTypeID LampType = 7;
constexpr API_ElemTypeID CameraType = 26;
constexpr API_ElemTypeID CameraSetType = 27;
constexpr API_AttrTypeID LayerAttribute = 1;
constexpr API_AttrTypeID MaterialAttribute = 5;

// A member name that is a whole number ("6" of "specialFolders").
Int32 KeyNumber(const SceneNode& member, const std::string& key)
{
    std::size_t used = 0;
    Int32 number = 0;
    try {
        number = std::stoi(key, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != key.size())
        member.Fail("the member name must be a whole number");
    return number;
}

// A file or folder location; a path the host cannot take is an error here, not an empty location.
IO::Location ReadLocation(const SceneNode& node, const std::string& sceneFolder)
{
    const IO::Location location(ScenePath(node.Text(), sceneFolder).c_str());
    if (location.IsEmpty())
        node.Fail("not a path the host can take (relative paths need a scene file)");
    return location;
}

void ReadInfo(const SceneNode& node, const std::string& sceneFolder, HostProject& project)
{
    node.CheckObject({"file", "teamFile"});
    if (node.Has("file"))
        project.info.location = ReadLocation(node["file"], sceneFolder);
    if (node.Has("teamFile"))
        project.info.teamLocation = ReadLocation(node["teamFile"], sceneFolder);
}

API_WindowTypeID ReadWindow(const SceneNode& node)
{
    if (node.Json().is_number())
        return node.Integer();
    const std::string name = node.Text();
    if (name == "floorPlan")
        return APIWind_FloorPlanID;
    if (name == "3d")
        return APIWind_3DModelID;
    node.Fail("expected a window type number, \"floorPlan\" or \"3d\"");
}

template <typename Read>
void ReadList(const SceneNode& parent, const char* key, Read read)
{
    if (!parent.Has(key))
        return;
    const SceneNode list = parent[key];
    for (std::size_t i = 0; i < list.Size(); ++i)
        read(list.At(i));
}

// Members keyed by whole numbers: {"6": ..., "7": ...}.
template <typename Read>
void ReadNumberedMembers(const SceneNode& parent, const char* key, Read read)
{
    if (!parent.Has(key))
        return;
    const SceneNode object = parent[key];
    if (!object.Json().is_object())
        object.Fail("expected an object");
    for (auto member = object.Json().begin(); member != object.Json().end(); ++member) {
        const SceneNode value(member.value(), object.Pointer() + "/" + member.key());
        read(KeyNumber(value, member.key()), value);
    }
}

void ReadStory(const SceneNode& node, HostProject& project)
{
    node.CheckObject({"index", "level", "name"});
    const Int32 index = node["index"].Integer();
    if (index < -32768 || index > 32767)
        node["index"].Fail("a story index holds 16 bits");
    if (!project.stories.empty() && index != project.stories.back().index + 1)
        node["index"].Fail("stories come lowest first, with consecutive indices");
    project.AddStory(static_cast<Int16>(index), node.NumberOr("level", 0.0),
                     GS::UniString::FromUtf8(node.TextOr("name", "")));
}

void ReadLayer(const SceneNode& node, HostProject& project)
{
    node.CheckObject({"index", "name", "hidden", "locked"});
    HostAttribute& layer = project.AddAttribute(LayerAttribute, node["index"].Integer(),
                                                GS::UniString::FromUtf8(node["name"].Text()));
    layer.record.layer.hidden = node.BoolOr("hidden", false);
    layer.record.layer.locked = node.BoolOr("locked", false);
}

void ReadMaterialAttribute(const SceneNode& node, HostProject& project)
{
    node.CheckObject({"index", "name", "color"});
    HostAttribute& material = project.AddAttribute(MaterialAttribute, node["index"].Integer(),
                                                   GS::UniString::FromUtf8(node["name"].Text()));
    if (node.Has("color")) {
        const ModelerAPI::Color color = node["color"].Color();
        material.record.material.surfaceRed = color.red;
        material.record.material.surfaceGreen = color.green;
        material.record.material.surfaceBlue = color.blue;
    }
}

void ReadLibPart(const SceneNode& node, const std::string& sceneFolder, HostProject& project)
{
    node.CheckObject({"index", "type", "name", "fileName", "file", "ownUnID", "parentUnID", "template", "placeable",
                      "a", "b", "parameters"});
    const Int32 expectedIndex = static_cast<Int32>(project.libParts.size()) + 1;
    if (node.Has("index") && node["index"].Integer() != expectedIndex)
        node["index"].Fail("library parts are numbered from 1 in the order of the list: expected " +
                           std::to_string(expectedIndex));
    HostLibPart part;
    part.typeID = node.IntegerOr("type", part.typeID);
    part.documentName = GS::UniString::FromUtf8(node.TextOr("name", ""));
    if (node.Has("file")) {
        part.location = ReadLocation(node["file"], sceneFolder);
        IO::Name lastName;
        part.location.GetLastLocalName(&lastName);
        part.fileName = GS::UniString::FromUtf8(node.TextOr("fileName", lastName.ToUtf8()));
    } else {
        part.fileName = GS::UniString::FromUtf8(node.TextOr("fileName", ""));
    }
    part.ownUnID = node.TextOr("ownUnID", "");
    part.parentUnID = node.TextOr("parentUnID", "");
    part.isTemplate = node.BoolOr("template", false);
    part.isPlaceable = node.BoolOr("placeable", true);
    part.a = node.NumberOr("a", part.a);
    part.b = node.NumberOr("b", part.b);
    if (node.Has("parameters"))
        part.parameters = ReadSceneLibPartParameters(node["parameters"]);
    project.AddLibPart(std::move(part));
}

void ReadPlacement(const SceneNode& node, API_ObjectType& object)
{
    object.libInd = node.IntegerOr("libPart", 0);
    if (node.Has("position"))
        object.pos = ReadSceneCoord(node["position"]);
    object.level = node.NumberOr("level", 0.0);
    object.angle = node.NumberOr("angle", 0.0);
    if (node.Has("size")) {
        const API_Coord size = ReadSceneCoord(node["size"]);
        object.xRatio = size.x;
        object.yRatio = size.y;
    }
    object.useObjSectAttrs = node.BoolOr("useObjSectAttrs", false);
    object.reflected = node.BoolOr("reflected", false);
}

void ReadElement(const SceneNode& node, HostProject& project)
{
    node.CheckObject({"guid", "type", "variation", "story", "layer", "hotlinked", "libPart", "position", "level",
                      "angle", "size", "useObjSectAttrs", "reflected", "parameters", "cameraSet", "perspective",
                      "name", "activeCamera"});
    const API_Guid guid = node["guid"].Guid();
    if (project.FindElement(guid) != nullptr)
        node["guid"].Fail("two elements of the project have this GUID");
    const API_ElemTypeID type = node["type"].Integer();
    HostElement& element = project.AddElement(type, guid);
    API_Elem_Head& header = element.record.header;
    header.variationID = node.IntegerOr("variation", 0);
    const Int32 story = node.IntegerOr("story", 0);
    if (story < -32768 || story > 32767)
        node["story"].Fail("a story index holds 16 bits");
    header.floorInd = static_cast<short>(story);
    header.layer = node.IntegerOr("layer", 0);
    header.hotlinkedElem = node.BoolOr("hotlinked", false);
    if (type == ObjectType || type == LampType)
        ReadPlacement(node, element.record.object);
    if (type == CameraType) {
        if (node.Has("cameraSet"))
            element.record.camera.camSetGuid = node["cameraSet"].Guid();
        if (node.Has("perspective"))
            element.record.camera.persp = ReadScenePerspective(node["perspective"]);
    }
    if (type == CameraSetType) {
        WriteUnits(GS::UniString::FromUtf8(node.TextOr("name", "")), element.record.camset.name);
        if (node.Has("activeCamera"))
            element.record.camset.activeCameraGuid = node["activeCamera"].Guid();
    }
    if (node.Has("parameters"))
        element.parameters = ReadSceneLibPartParameters(node["parameters"]);
}

void ReadView3D(const SceneNode& node, HostModel& model)
{
    node.CheckObject({"perspective", "camera", "axonometry", "sight", "attributeReader"});
    model.hasSight = node.BoolOr("sight", true);
    model.hasAttributeReader = node.BoolOr("attributeReader", true);
    nlohmann::json projection = node.Json();
    projection.erase("sight");
    projection.erase("attributeReader");
    model.projection = ReadSceneProjection(SceneNode(projection, node.Pointer()));
}

}  // namespace

void ReadSceneProject(const SceneNode& node, const std::string& sceneFolder, HostProject& project, HostModel& model)
{
    node.CheckObject({"info", "offset", "window", "specialFolders", "stories", "layers", "materials", "libraryParts",
                      "elements", "elementTypeNames", "view3D"});
    if (node.Has("info"))
        ReadInfo(node["info"], sceneFolder, project);
    if (node.Has("offset"))
        project.offset = ReadSceneCoord(node["offset"]);
    if (node.Has("window"))
        project.currentWindow = ReadWindow(node["window"]);
    ReadNumberedMembers(node, "specialFolders", [&](Int32 id, const SceneNode& path) {
        project.specialFolders[id] = ReadLocation(path, sceneFolder);
    });
    ReadList(node, "stories", [&](const SceneNode& story) { ReadStory(story, project); });
    ReadList(node, "layers", [&](const SceneNode& layer) { ReadLayer(layer, project); });
    ReadList(node, "materials", [&](const SceneNode& material) { ReadMaterialAttribute(material, project); });
    ReadList(node, "libraryParts", [&](const SceneNode& part) { ReadLibPart(part, sceneFolder, project); });
    ReadList(node, "elements", [&](const SceneNode& element) { ReadElement(element, project); });
    ReadNumberedMembers(node, "elementTypeNames", [&](Int32 type, const SceneNode& name) {
        project.elementTypeNames[type] = GS::UniString::FromUtf8(name.Text());
    });
    if (node.Has("view3D"))
        ReadView3D(node["view3D"], model);
}

}  // namespace ZeltoHost
