#include "BuildingSceneGenerator.hpp"

#include <cmath>
#include <fstream>
#include <utility>
#include <vector>

#include "HostParameters.hpp"

namespace ZeltoBench {

namespace {

using ModelerAPI::Vertex;
using ZeltoHost::BodyData;
using ZeltoHost::ElementData;
using ZeltoHost::NumberParameter;
using ZeltoHost::TextParameter;

// Host element types, layers and library parts of the scene.
constexpr API_ElemTypeID WallType = 1;
constexpr API_ElemTypeID ColumnType = 2;
constexpr API_ElemTypeID WindowType = 4;
constexpr API_ElemTypeID ObjectType = 6;
constexpr API_ElemTypeID LampType = 7;
constexpr API_ElemTypeID SlabType = 8;
constexpr API_ElemTypeID RoofType = 9;

constexpr API_AttrTypeID LayerAttribute = 1;
constexpr API_AttrTypeID MaterialAttribute = 5;

enum Layer : Int32 { StructureLayer = 1, WallLayer, OpeningLayer, FurnitureLayer, LightingLayer };
enum LibPart : Int32 { TableLibPart = 1, ChairLibPart, LampLibPart };
// Model materials, numbered from 1 as the model numbers them.
enum Material : Int32 { Concrete = 1, Brick, Plaster, Glass, Oak, Fabric, Aluminium, LampShade };

// The floor plan: a grid of bays, every bay the same, stacked storey on storey.
constexpr int BaysAlongX = 12;
constexpr int BaysAlongY = 10;
constexpr double BayWidth = 6.0;
constexpr double BayDepth = 5.0;
constexpr double StoreyHeight = 3.0;
constexpr double SlabThickness = 0.25;
constexpr double WallThickness = 0.2;
constexpr double OpeningWidth = 1.6;
constexpr double OpeningSill = 0.9;
constexpr double OpeningHeight = 1.4;
constexpr double ColumnRadius = 0.2;
constexpr int ColumnSides = 16;
constexpr int LampSegments = 12;
constexpr int LampRings = 8;
constexpr double Pi = 3.14159265358979323846;

// Host light types of the lamps.
constexpr Int32 SpotLight = 9300;
constexpr Int32 PointLight = 9400;

// A 4 x 4 RGB picture, the library's bump and grain pictures.
constexpr unsigned char SmallPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x02, 0x00, 0x00, 0x00, 0x26, 0x93, 0x09, 0x29, 0x00,
    0x00, 0x00, 0x18, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x38, 0x51, 0x11, 0xB0, 0xA0, 0x22, 0x00,
    0x42, 0x32, 0xC0, 0x59, 0x40, 0x92, 0x01, 0xA7, 0x0C, 0x00, 0x70, 0x12, 0x17, 0xC1, 0x03, 0x0D, 0x7E,
    0x23, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
constexpr char LightProfile[] = "IESNA:LM-63-2002\n[TEST] pendant\nTILT=NONE\n";
constexpr char HdrImage[] = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n\x80\x80\x80\x81";

// The library files the parameters name: (document name, file name, bytes). The grain picture is
// named by its document name, which is not its file name.
struct LibraryFile {
    const char* documentName;
    const char* fileName;
    std::string bytes;
};

std::vector<LibraryFile> LibraryFiles()
{
    const std::string png(reinterpret_cast<const char*>(SmallPng), sizeof SmallPng);
    return {{"brick-bump.png", "brick-bump.png", png},
            {"Oak grain", "oak-grain.png", png},
            {"pendant.ies", "pendant.ies", LightProfile},
            {"studio.hdr", "studio.hdr", std::string(HdrImage, sizeof HdrImage - 1)}};
}

struct Point3 {
    double x, y, z;
};

// Adds vertices and polygons to one body; bodies of textured materials get a texture coordinate
// per vertex, projected from the world position.
class BodyBuilder {
public:
    BodyBuilder(BodyData& body, bool textured) : body(body), textured(textured) {}

    Int32 AddVertex(const Point3& p)
    {
        body.vertices.push_back(Vertex{p.x, p.y, p.z});
        if (textured)
            body.textureCoordinates.push_back({p.x + p.y, p.z});
        return static_cast<Int32>(body.vertices.size());
    }

    void AddPolygon(const std::vector<std::vector<Int32>>& convexParts, Int32 material)
    {
        ZeltoHost::AddPolygon(body, convexParts, material);
    }

    void AddQuad(Int32 a, Int32 b, Int32 c, Int32 d, Int32 material) { AddPolygon({{a, b, c, d}}, material); }

    // An axis-aligned box: 8 vertices, 6 quads.
    void AddBox(const Point3& low, const Point3& high, Int32 material)
    {
        Int32 v[8];
        for (int i = 0; i < 8; ++i)
            v[i] = AddVertex({(i & 1) ? high.x : low.x, (i & 2) ? high.y : low.y, (i & 4) ? high.z : low.z});
        AddQuad(v[0], v[2], v[3], v[1], material);  // bottom
        AddQuad(v[4], v[5], v[7], v[6], material);  // top
        AddQuad(v[0], v[1], v[5], v[4], material);  // front
        AddQuad(v[2], v[6], v[7], v[3], material);  // back
        AddQuad(v[0], v[4], v[6], v[2], material);  // left
        AddQuad(v[1], v[3], v[7], v[5], material);  // right
    }

private:
    BodyData& body;
    bool textured;
};

bool IsTextured(Int32 material)
{
    return material == Brick || material == Oak;
}

API_Guid ElementGuid(std::uint32_t number)
{
    API_Guid guid = APINULLGuid;
    guid.time_low = number;
    guid.time_mid = 0xB1D6;
    guid.time_hi_and_version = 0x4000;
    guid.clock_seq_hi_and_reserved = 0x80;
    guid.node[5] = 0x5C;
    return guid;
}

class Generator {
public:
    Generator(ZeltoHost::ModelData& model, ZeltoHost::HostProject& project) : model(model), project(project) {}

    BuildingSceneSize Run(std::int64_t targetPolygons, const std::string& libraryFolder)
    {
        AddProjectFrame();
        AddLibraryFiles(libraryFolder);
        AddMaterials();
        for (Int16 storey = 0; size.polygons < targetPolygons; ++storey) {
            project.AddStory(storey, storey * StoreyHeight,
                             storey == 0 ? GS::UniString("Ground Floor")
                                         : GS::UniString(("Floor " + std::to_string(storey)).c_str()));
            ++size.stories;
            for (int bay = 0; bay < BaysAlongX * BaysAlongY && size.polygons < targetPolygons; ++bay)
                AddBay(storey, bay % BaysAlongX, bay / BaysAlongX);
        }
        AddRoof(static_cast<Int16>(size.stories - 1));
        return size;
    }

private:
    void AddProjectFrame()
    {
        project.AddAttribute(LayerAttribute, StructureLayer, "Structure");
        project.AddAttribute(LayerAttribute, WallLayer, "Walls");
        project.AddAttribute(LayerAttribute, OpeningLayer, "Openings");
        project.AddAttribute(LayerAttribute, FurnitureLayer, "Furniture");
        project.AddAttribute(LayerAttribute, LightingLayer, "Lighting");
        project.elementTypeNames = {{WallType, "Wall"},   {ColumnType, "Column"}, {WindowType, "Window"},
                                    {ObjectType, "Object"}, {LampType, "Lamp"},   {SlabType, "Slab"},
                                    {RoofType, "Roof"}};
        AddLibPart("Table", 1.6, 0.9, 0.75, nullptr);
        AddLibPart("Chair", 0.45, 0.5, 0.9, nullptr);
        AddLibPart("Pendant Lamp", 0.4, 0.4, 0.5, "PL-40");
    }

    void AddLibPart(const char* name, double a, double b, double height, const char* itemNumber)
    {
        ZeltoHost::HostLibPart part;
        part.documentName = name;
        part.fileName = GS::UniString((std::string(name) + ".gsm").c_str());
        part.a = a;
        part.b = b;
        part.parameters.push_back(ZeltoHost::HostParameter::Number("ZZYZX", APIParT_Length, height));
        if (itemNumber != nullptr)
            part.parameters.push_back(ZeltoHost::HostParameter::Text("TAVO_item_no", itemNumber));
        project.AddLibPart(std::move(part));
    }

    // Library items of type 11, each with its file written into the folder. Each is embedded once.
    void AddLibraryFiles(const std::string& folder)
    {
        for (const LibraryFile& file : LibraryFiles()) {
            const std::string path = folder + "/" + file.fileName;
            std::ofstream(path, std::ios::binary) << file.bytes;
            ZeltoHost::HostLibPart part;
            part.typeID = 11;
            part.documentName = file.documentName;
            part.fileName = file.fileName;
            part.location = IO::Location(path.c_str());
            project.AddLibPart(std::move(part));
            ++size.embeddedFiles;
        }
    }

    void AddMaterials()
    {
        struct Kind {
            const char* name;
            ModelerAPI::Color color;
            Int32 texture;
            double transparency;
        };
        const Kind kinds[] = {{"Concrete", {0.6, 0.6, 0.58}, 0, 0.0},  {"Brick", {0.7, 0.3, 0.2}, 1, 0.0},
                              {"Plaster", {0.95, 0.94, 0.9}, 3, 0.0},  {"Glass", {0.7, 0.85, 0.9}, 0, 0.8},
                              {"Oak", {0.6, 0.45, 0.3}, 2, 0.0},       {"Fabric", {0.2, 0.3, 0.5}, 0, 0.0},
                              {"Aluminium", {0.8, 0.8, 0.82}, 0, 0.0}, {"Lamp Shade", {1.0, 0.95, 0.8}, 0, 0.3}};
        Int32 reference = 1;
        for (const Kind& kind : kinds) {
            ZeltoHost::MaterialData material;
            material.name = kind.name;
            material.externalReference = reference;
            material.surfaceColor = kind.color;
            material.textureIndex = kind.texture;
            material.transparency = kind.transparency;
            material.ambientReflection = 0.5;
            material.diffuseReflection = 0.8;
            material.extraParameters = MaterialParameters(reference);
            model.materials.push_back(material);
            ZeltoHost::HostAttribute& attribute = project.AddAttribute(MaterialAttribute, reference, kind.name);
            attribute.record.material.surfaceRed = kind.color.red;
            attribute.record.material.surfaceGreen = kind.color.green;
            attribute.record.material.surfaceBlue = kind.color.blue;
            ++reference;
        }
        model.textures.push_back(PatternTexture("Brick.jpg", 0.5, 0.25, 180, 80, 60));
        model.textures.push_back(PatternTexture("Oak.jpg", 1.0, 1.0, 150, 110, 70));
        model.textures.push_back(PatternTexture("Plaster.jpg", 2.0, 2.0, 240, 236, 226));
        size.embeddedFiles += static_cast<std::int64_t>(model.textures.size());
    }

    // What the Cinema 4D shaders carry: bump and grain pictures from the library, numbers and a table.
    static ZeltoHost::ParameterListData MaterialParameters(Int32 material)
    {
        switch (material) {
            case Brick:
                return {TextParameter("C4D_SHIMAGE_FILE_BUMP", "brick-bump.png"), NumberParameter("Bump strength", 0.4)};
            case Oak:
                return {TextParameter("C4D_SHIMAGE_FILE", "Oak grain"), NumberParameter("Gloss", 0.3)};
            case Glass: {
                ZeltoHost::ParameterData layers;
                layers.name = "Reflection layers";
                layers.type = 3;
                layers.isArray = true;
                layers.dimension1 = 2;
                layers.dimension2 = 2;
                layers.numbers = {0.1, 0.9, 0.5, 0.5};
                return {NumberParameter("IOR", 1.5), layers};
            }
            default:
                return {};
        }
    }

    static ZeltoHost::TextureData PatternTexture(const char* name, double xSize, double ySize, UInt8 red, UInt8 green,
                                                 UInt8 blue)
    {
        ZeltoHost::TextureData texture;
        texture.name = name;
        texture.xSize = xSize;
        texture.ySize = ySize;
        texture.pixelWidth = 64;
        texture.pixelHeight = 64;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const UInt8 shade = static_cast<UInt8>(((x / 8 + y / 4) % 2) * 40);
                texture.pixels.push_back({255, static_cast<UInt8>(red - shade), static_cast<UInt8>(green - shade / 2),
                                          static_cast<UInt8>(blue - shade / 2)});
            }
        }
        return texture;
    }

    // One bay: two walls with a window each, the floor slab, a column, a table with four chairs
    // and a pendant lamp.
    void AddBay(Int16 storey, int column, int row)
    {
        ++size.bays;
        const double x0 = column * BayWidth;
        const double y0 = row * BayDepth;
        const double z0 = storey * StoreyHeight;
        const double wallBase = z0 + SlabThickness;
        const double wallTop = z0 + StoreyHeight;

        AddSlab(storey, {x0, y0, z0}, {x0 + BayWidth, y0 + BayDepth, z0 + SlabThickness}, SlabType);
        AddColumn(storey, {x0 + 0.3, y0 + 0.3, wallBase}, wallTop - wallBase);

        const double openingX = x0 + (BayWidth - OpeningWidth) / 2.0;
        AddWallAlongX(storey, x0, x0 + BayWidth, y0, wallBase, wallTop, openingX);
        const double openingY = y0 + (BayDepth - OpeningWidth) / 2.0;
        AddWallAlongY(storey, y0, y0 + BayDepth, x0, wallBase, wallTop, openingY);

        const double centreX = x0 + BayWidth / 2.0;
        const double centreY = y0 + BayDepth / 2.0;
        AddTable(storey, {centreX, centreY, wallBase});
        const Point3 seats[] = {{centreX - 0.5, centreY - 0.75, wallBase},
                                {centreX + 0.5, centreY - 0.75, wallBase},
                                {centreX - 0.5, centreY + 0.75, wallBase},
                                {centreX + 0.5, centreY + 0.75, wallBase}};
        for (const Point3& seat : seats)
            AddChair(storey, seat);
        AddLamp(storey, {centreX, centreY, wallTop - 0.6});
    }

    // One slab over the whole floor plan, above the highest storey.
    void AddRoof(Int16 topStorey)
    {
        const double z = (topStorey + 1) * StoreyHeight;
        AddSlab(topStorey, {0.0, 0.0, z}, {BaysAlongX * BayWidth, BaysAlongY * BayDepth, z + SlabThickness}, RoofType);
    }

    // ---- Elements --------------------------------------------------------------------------------

    // Adds the model element and its project record; the caller fills the bodies.
    ElementData& NewElement(API_ElemTypeID type, Int32 layer, Int16 storey, const Point3& origin)
    {
        const API_Guid guid = ElementGuid(static_cast<std::uint32_t>(model.elements.size() + 1));
        ZeltoHost::HostElement& record = project.AddElement(type, guid);
        record.record.header.floorInd = storey;
        record.record.header.layer = layer;
        ElementData element;
        element.guid = guid;
        element.origin = {origin.x, origin.y, origin.z};
        model.elements.push_back(std::move(element));
        ++size.elements;
        return model.elements.back();
    }

    // Places a library part (objects and lamps) and hands out the memo's parameters.
    void PlaceLibPart(Int32 libPart, const Point3& position, Int16 storey, double height, const char* itemNumber)
    {
        ZeltoHost::HostElement& record = project.elements.back();
        API_ObjectType& object = record.record.object;
        object.libInd = libPart;
        object.pos = {position.x, position.y};
        object.level = position.z - storey * StoreyHeight;
        object.xRatio = 1.0;
        object.yRatio = 1.0;
        record.parameters.push_back(ZeltoHost::HostParameter::Number("ZZYZX", APIParT_Length, height));
        if (itemNumber != nullptr)
            record.parameters.push_back(ZeltoHost::HostParameter::Text("TAVO_item_no", itemNumber));
    }

    // The builder refers into the element's list of bodies: finish a body before making the next.
    BodyBuilder NewBody(ElementData& element, Int32 material)
    {
        element.bodies.emplace_back();
        ++size.bodies;
        return BodyBuilder(element.bodies.back(), IsTextured(material));
    }

    void AddSlab(Int16 storey, const Point3& low, const Point3& high, API_ElemTypeID type)
    {
        ElementData& slab = NewElement(type, StructureLayer, storey, low);
        NewBody(slab, Concrete).AddBox(low, high, Concrete);
        Count(slab);
    }

    void AddColumn(Int16 storey, const Point3& base, double height)
    {
        ElementData& column = NewElement(ColumnType, StructureLayer, storey, base);
        BodyBuilder body = NewBody(column, Concrete);
        std::vector<Int32> bottom, top;
        for (int side = 0; side < ColumnSides; ++side) {
            const double angle = 2.0 * Pi * side / ColumnSides;
            const Point3 rim{base.x + ColumnRadius * std::cos(angle), base.y + ColumnRadius * std::sin(angle), base.z};
            bottom.push_back(body.AddVertex(rim));
            top.push_back(body.AddVertex({rim.x, rim.y, base.z + height}));
        }
        for (int side = 0; side < ColumnSides; ++side) {
            const int next = (side + 1) % ColumnSides;
            body.AddQuad(bottom[side], bottom[next], top[next], top[side], Concrete);
        }
        body.AddPolygon({top}, Concrete);
        body.AddPolygon({std::vector<Int32>(bottom.rbegin(), bottom.rend())}, Concrete);
        Count(column);
    }

    // A wall whose faces are split around a window opening: each long face is one polygon of
    // eight convex quads, the opening has four reveals.
    void AddWallAlongX(Int16 storey, double xFrom, double xTo, double y, double zFrom, double zTo, double openingX)
    {
        const double xs[4] = {xFrom, openingX, openingX + OpeningWidth, xTo};
        const double zs[4] = {zFrom, zFrom + OpeningSill, zFrom + OpeningSill + OpeningHeight, zTo};
        AddPiercedWall(storey, {xFrom, y, zFrom}, [&](int i, int k, int side) {
            return Point3{xs[i], y + side * WallThickness, zs[k]};
        });
        AddWindow(storey, {openingX, y, zs[1]}, {openingX + OpeningWidth, y + WallThickness, zs[2]});
    }

    void AddWallAlongY(Int16 storey, double yFrom, double yTo, double x, double zFrom, double zTo, double openingY)
    {
        const double ys[4] = {yFrom, openingY, openingY + OpeningWidth, yTo};
        const double zs[4] = {zFrom, zFrom + OpeningSill, zFrom + OpeningSill + OpeningHeight, zTo};
        AddPiercedWall(storey, {x, yFrom, zFrom}, [&](int i, int k, int side) {
            return Point3{x + side * WallThickness, ys[i], zs[k]};
        });
        AddWindow(storey, {x, openingY, zs[1]}, {x + WallThickness, openingY + OpeningWidth, zs[2]});
    }

    // gridPoint(i, k, side): the corner at column i and row k (0..3 each) of the face on side 0 or 1;
    // the opening is the centre cell (1..2, 1..2).
    template <typename GridPoint>
    void AddPiercedWall(Int16 storey, const Point3& origin, GridPoint gridPoint)
    {
        ElementData& wall = NewElement(WallType, WallLayer, storey, origin);
        BodyBuilder body = NewBody(wall, Brick);
        Int32 grid[2][4][4];
        for (int side = 0; side < 2; ++side)
            for (int k = 0; k < 4; ++k)
                for (int i = 0; i < 4; ++i)
                    grid[side][i][k] = body.AddVertex(gridPoint(i, k, side));
        for (int side = 0; side < 2; ++side) {
            std::vector<std::vector<Int32>> face;
            for (int k = 0; k < 3; ++k) {
                for (int i = 0; i < 3; ++i) {
                    if (i == 1 && k == 1)
                        continue;  // the opening
                    const Int32(&g)[4][4] = grid[side];
                    face.push_back({g[i][k], g[i + 1][k], g[i + 1][k + 1], g[i][k + 1]});
                }
            }
            body.AddPolygon(face, Brick);
        }
        const auto quadBetweenSides = [&](int i0, int k0, int i1, int k1, Int32 material) {
            body.AddQuad(grid[0][i0][k0], grid[0][i1][k1], grid[1][i1][k1], grid[1][i0][k0], material);
        };
        quadBetweenSides(1, 1, 2, 1, Plaster);  // sill
        quadBetweenSides(2, 2, 1, 2, Plaster);  // head
        quadBetweenSides(1, 2, 1, 1, Plaster);  // jambs
        quadBetweenSides(2, 1, 2, 2, Plaster);
        quadBetweenSides(0, 0, 3, 0, Brick);  // bottom
        quadBetweenSides(3, 3, 0, 3, Brick);  // top
        quadBetweenSides(0, 3, 0, 0, Brick);  // ends
        quadBetweenSides(3, 0, 3, 3, Brick);
        Count(wall);
    }

    // A frame of four bars around a pane, filling the opening between low and high.
    void AddWindow(Int16 storey, const Point3& low, const Point3& high)
    {
        ElementData& window = NewElement(WindowType, OpeningLayer, storey, low);
        constexpr double bar = 0.06;
        const bool alongX = (high.x - low.x) > (high.y - low.y);
        BodyBuilder frame = NewBody(window, Aluminium);
        const double depthLow = alongX ? low.y : low.x;
        const double depthHigh = alongX ? high.y : high.x;
        const double from = alongX ? low.x : low.y;
        const double to = alongX ? high.x : high.y;
        const auto box = [&](BodyBuilder& body, double a0, double a1, double d0, double d1, double z0, double z1,
                             Int32 material) {
            if (alongX)
                body.AddBox({a0, d0, z0}, {a1, d1, z1}, material);
            else
                body.AddBox({d0, a0, z0}, {d1, a1, z1}, material);
        };
        box(frame, from, to, depthLow, depthHigh, low.z, low.z + bar, Aluminium);
        box(frame, from, to, depthLow, depthHigh, high.z - bar, high.z, Aluminium);
        box(frame, from, from + bar, depthLow, depthHigh, low.z + bar, high.z - bar, Aluminium);
        box(frame, to - bar, to, depthLow, depthHigh, low.z + bar, high.z - bar, Aluminium);
        BodyBuilder pane = NewBody(window, Glass);
        const double middle = (depthLow + depthHigh) / 2.0;
        box(pane, from + bar, to - bar, middle - 0.005, middle + 0.005, low.z + bar, high.z - bar, Glass);
        Count(window);
    }

    void AddTable(Int16 storey, const Point3& centre)
    {
        ElementData& table = NewElement(ObjectType, FurnitureLayer, storey, centre);
        PlaceLibPart(TableLibPart, centre, storey, 0.75, nullptr);
        BodyBuilder body = NewBody(table, Oak);
        const double halfA = 0.8, halfB = 0.45, top = centre.z + 0.75, leg = 0.05;
        body.AddBox({centre.x - halfA, centre.y - halfB, top - 0.04}, {centre.x + halfA, centre.y + halfB, top}, Oak);
        for (int corner = 0; corner < 4; ++corner) {
            const double x = (corner & 1) ? centre.x + halfA - 2 * leg : centre.x - halfA + leg;
            const double y = (corner & 2) ? centre.y + halfB - 2 * leg : centre.y - halfB + leg;
            body.AddBox({x, y, centre.z}, {x + leg, y + leg, top - 0.04}, Oak);
        }
        Count(table);
    }

    void AddChair(Int16 storey, const Point3& seat)
    {
        ElementData& chair = NewElement(ObjectType, FurnitureLayer, storey, seat);
        PlaceLibPart(ChairLibPart, seat, storey, 0.9, nullptr);
        BodyBuilder frame = NewBody(chair, Oak);
        const double half = 0.22, leg = 0.04, seatHeight = seat.z + 0.45;
        for (int corner = 0; corner < 4; ++corner) {
            const double x = (corner & 1) ? seat.x + half - leg : seat.x - half;
            const double y = (corner & 2) ? seat.y + half - leg : seat.y - half;
            frame.AddBox({x, y, seat.z}, {x + leg, y + leg, seatHeight}, Oak);
        }
        BodyBuilder cushion = NewBody(chair, Fabric);
        cushion.AddBox({seat.x - half, seat.y - half, seatHeight}, {seat.x + half, seat.y + half, seatHeight + 0.05},
                       Fabric);
        cushion.AddBox({seat.x - half, seat.y + half - 0.05, seatHeight + 0.05},
                       {seat.x + half, seat.y + half, seat.z + 0.9}, Fabric);
        Count(chair);
    }

    // A globe of triangles at the poles and quads between.
    void AddLamp(Int16 storey, const Point3& centre)
    {
        ElementData& lamp = NewElement(LampType, LightingLayer, storey, centre);
        PlaceLibPart(LampLibPart, centre, storey, 0.5, "PL-40");
        BodyBuilder body = NewBody(lamp, LampShade);
        constexpr double radius = 0.2;
        const Int32 south = body.AddVertex({centre.x, centre.y, centre.z - radius});
        std::vector<std::vector<Int32>> rings(LampRings - 1);
        for (int ring = 1; ring < LampRings; ++ring) {
            const double polar = Pi * ring / LampRings;
            for (int segment = 0; segment < LampSegments; ++segment) {
                const double azimuth = 2.0 * Pi * segment / LampSegments;
                rings[ring - 1].push_back(body.AddVertex({centre.x + radius * std::sin(polar) * std::cos(azimuth),
                                                          centre.y + radius * std::sin(polar) * std::sin(azimuth),
                                                          centre.z - radius * std::cos(polar)}));
            }
        }
        const Int32 north = body.AddVertex({centre.x, centre.y, centre.z + radius});
        for (int segment = 0; segment < LampSegments; ++segment) {
            const int next = (segment + 1) % LampSegments;
            body.AddPolygon({{south, rings.front()[next], rings.front()[segment]}}, LampShade);
            for (std::size_t ring = 0; ring + 1 < rings.size(); ++ring)
                body.AddQuad(rings[ring][segment], rings[ring][next], rings[ring + 1][next], rings[ring + 1][segment],
                             LampShade);
            body.AddPolygon({{north, rings.back()[segment], rings.back()[next]}}, LampShade);
        }
        AddLampLights(lamp, centre);
        Count(lamp);
    }

    // A spot light down onto the table, with its light profile, and a glow in the globe's centre lit
    // by the HDR image.
    void AddLampLights(ElementData& lamp, const Point3& centre)
    {
        ZeltoHost::LightData spot;
        spot.type = SpotLight;
        spot.color = {1.0, 0.95, 0.85};
        spot.position = {centre.x, centre.y, centre.z - 0.2};
        spot.direction = {0.0, 0.0, -1.0};
        spot.minDistance = 0.2;
        spot.maxDistance = 4.0;
        spot.distanceFalloff = 0.5;
        spot.castsShadow = true;
        spot.radius = 0.05;
        spot.falloffAngle1 = Pi / 6;
        spot.falloffAngle2 = Pi / 4;
        spot.angleFalloff = 0.6;
        spot.extraParameters = {TextParameter("C4D_PHO_FILE", "pendant.ies"), NumberParameter("Intensity", 1.2)};
        lamp.lights.push_back(spot);
        ZeltoHost::LightData glow;
        glow.type = PointLight;
        glow.color = {1.0, 0.9, 0.7};
        glow.position = {centre.x, centre.y, centre.z};
        glow.maxDistance = 2.0;
        glow.distanceFalloff = 1.0;
        glow.extraParameters = {TextParameter("C4D_PHO_FILE", "studio.hdr")};
        lamp.lights.push_back(glow);
        size.lights += static_cast<std::int64_t>(lamp.lights.size());
    }

    // Counts what the export will write of a finished element.
    void Count(const ElementData& element)
    {
        for (const BodyData& body : element.bodies) {
            if (body.polygons.empty() || body.vertices.empty())
                continue;
            size.vertices += static_cast<std::int64_t>(body.vertices.size());
            for (const ZeltoHost::ConvexPolygonData& convex : body.convexPolygons) {
                if (convex.cornerCount >= 3) {
                    ++size.polygons;
                    size.polygonCorners += convex.cornerCount;
                }
            }
        }
    }

    ZeltoHost::ModelData& model;
    ZeltoHost::HostProject& project;
    BuildingSceneSize size;
};

}  // namespace

BuildingSceneSize GenerateBuildingScene(std::int64_t targetPolygons, ZeltoHost::ModelData& model,
                                        ZeltoHost::HostProject& project, const std::string& libraryFolder)
{
    return Generator(model, project).Run(targetPolygons, libraryFolder);
}

}  // namespace ZeltoBench
