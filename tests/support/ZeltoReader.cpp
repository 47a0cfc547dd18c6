#include "ZeltoReader.hpp"

#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

namespace zelto_reader {

FormatError::FormatError(std::string section, std::size_t offset, const std::string& detail)
    : std::runtime_error("Zelto file: " + section + " at offset " + std::to_string(offset) + ": " +
                         detail),
      section_(std::move(section)),
      offset_(offset),
      detail_(detail)
{
}

namespace {

// Reads primitives from [pos, limit). The limit is the start of the trailer,
// so a record that would reach into the trailer is a fault of its own.
class Cursor {
public:
    Cursor(const std::vector<uint8_t>& bytes, std::size_t start, std::size_t limit)
        : bytes_(bytes), pos_(start), limit_(limit)
    {
    }

    void Enter(const char* section)
    {
        section_ = section;
        record_ = -1;
    }
    void Record(long index) { record_ = index; }
    const std::string& Section() const { return section_; }
    std::size_t Pos() const { return pos_; }
    std::size_t Remaining() const { return limit_ - pos_; }

    [[noreturn]] void Fail(std::size_t at, const std::string& what) const
    {
        if (record_ < 0)
            throw FormatError(section_, at, what);
        throw FormatError(section_, at, "record " + std::to_string(record_) + ": " + what);
    }

    void Need(std::size_t n, const char* what) const
    {
        if (n > Remaining())
            Fail(pos_, std::string(what) + " needs " + std::to_string(n) + " bytes, only " +
                           std::to_string(Remaining()) + " left before the trailer");
    }

    uint32_t U32(const char* what = "UInt32")
    {
        Need(4, what);
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 4;
        return v;
    }

    int32_t I32(const char* what = "Int32") { return static_cast<int32_t>(U32(what)); }

    double Real(const char* what = "Real")
    {
        Need(8, what);
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 8;
        double d;
        std::memcpy(&d, &v, sizeof d);
        return d;
    }

    bool Bool(const char* what = "bool")
    {
        Need(1, what);
        uint8_t b = bytes_[pos_];
        if (b > 1)
            Fail(pos_, std::string(what) + " is " + std::to_string(b) + ", not 0 or 1");
        ++pos_;
        return b == 1;
    }

    // Int32 count, then that many bytes. Whatever bytes are there are kept,
    // a trailing NUL included, so a writer that adds one is visible.
    std::string String(const char* what = "String")
    {
        std::size_t at = pos_;
        int32_t n = I32(what);
        if (n < 0)
            Fail(at, std::string(what) + " has negative length " + std::to_string(n));
        return Take(static_cast<std::size_t>(n), what);
    }

    std::string Ascii(const char* what = "AsciiString")
    {
        std::size_t at = pos_;
        int32_t n = I32(what);
        if (n < 1)
            Fail(at, std::string(what) + " length " + std::to_string(n) +
                         " leaves no room for its NUL");
        std::string s = Take(static_cast<std::size_t>(n), what);
        if (s.back() != '\0')
            Fail(pos_ - 1, std::string(what) + " does not end with NUL");
        s.pop_back();
        if (s.find('\0') != std::string::npos)
            Fail(at + 4 + s.find('\0'), std::string(what) + " holds a NUL before its end");
        return s;
    }

    // Fixed-width text: the text, at least one NUL, and only NULs after it.
    std::string Fixed(std::size_t width, const char* what)
    {
        std::size_t at = pos_;
        std::string raw = Take(width, what);
        std::size_t nul = raw.find('\0');
        if (nul == std::string::npos)
            Fail(at, std::string(what) + " has no NUL within its " + std::to_string(width) + " bytes");
        for (std::size_t i = nul; i < width; ++i)
            if (raw[i] != '\0')
                Fail(at + i, std::string(what) + " is not padded with NUL bytes");
        raw.resize(nul);
        return raw;
    }

    std::string Take(std::size_t n, const char* what)
    {
        Need(n, what);
        std::string s(reinterpret_cast<const char*>(bytes_.data()) + pos_, n);
        pos_ += n;
        return s;
    }

    // The file stores x, z, y.
    Point3 Point()
    {
        Point3 p;
        p.x = Real("point x");
        p.z = Real("point z");
        p.y = Real("point y");
        return p;
    }

    Color Rgb()
    {
        Color c;
        c.red = Real("red");
        c.green = Real("green");
        c.blue = Real("blue");
        return c;
    }

    int32_t Count(const char* what)
    {
        std::size_t at = pos_;
        int32_t n = I32(what);
        if (n < 0)
            Fail(at, std::string(what) + " is negative: " + std::to_string(n));
        return n;
    }

private:
    const std::vector<uint8_t>& bytes_;
    std::size_t pos_;
    std::size_t limit_;
    std::string section_ = "header";
    long record_ = -1;
};

Counts ReadTrailer(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < kTrailerSize)
        throw FormatError("trailer", 0,
                          "file has " + std::to_string(bytes.size()) +
                              " bytes, fewer than the 60-byte trailer");
    const std::size_t start = bytes.size() - kTrailerSize;
    Cursor c(bytes, start, bytes.size());
    c.Enter("trailer");
    Counts t;
    int32_t* slots[] = {&t.rgbShaders, &t.textures,  &t.internalShaders, &t.cinemaShaders,
                        &t.classes,    &t.stories,   &t.layers,          &t.objects,
                        &t.points,     &t.uvws,      &t.normals,         &t.polygons,
                        &t.lights,     &t.cameraSets, &t.cameras};
    static const char* const names[] = {"Sh",    "Tex",   "ShInt",   "ShC4D",  "Class",
                                        "Story", "Layer", "Object",  "Point",  "Uvw",
                                        "Normals", "Poly", "Lights", "CameraSet", "Camera"};
    for (std::size_t i = 0; i < 15; ++i)
        *slots[i] = c.Count(names[i]);

    // No pass writes normals, so the file has no place for them.
    if (t.normals != 0)
        throw FormatError("trailer", start + 40,
                          "Normals is " + std::to_string(t.normals) + "; the file has no normals");
    // Texture-coordinate and polygon records come in pairs.
    if (t.uvws != t.polygons)
        throw FormatError("trailer", start + 36,
                          "Uvw " + std::to_string(t.uvws) + " differs from Poly " +
                              std::to_string(t.polygons));
    // The Cinema 4D run only follows an internal run over the same materials.
    if (t.cinemaShaders != 0 && t.cinemaShaders != t.internalShaders)
        throw FormatError("trailer", start + 12,
                          "ShC4D " + std::to_string(t.cinemaShaders) + " differs from ShInt " +
                              std::to_string(t.internalShaders));
    return t;
}

Header ReadHeader(Cursor& c)
{
    c.Enter("header");
    Header h;
    std::size_t at = c.Pos();
    std::string marker = c.Take(8, "marker");
    if (marker != std::string("ZLTOBIN\0", 8))
        c.Fail(at, "marker is not \"ZLTOBIN\" and a NUL");
    h.marker = marker.substr(0, 7);
    h.systemName = c.Fixed(256, "system name");
    h.formatNumber = c.I32("format number");
    h.fileName = c.String("file name");
    h.projectName = c.String("project name");
    h.addonVersion = c.Fixed(8, "add-on version");
    for (bool& f : h.constantFlags)
        f = c.Bool("constant flag");
    h.unit = c.I32("unit");
    h.scale = c.Real("scale");
    h.direct = c.Bool("direct flag");
    h.apiVersion = c.I32("host API version");
    return h;
}

ExtraParameter ReadParameter(Cursor& c)
{
    ExtraParameter p;
    p.offset = c.Pos();
    p.name = c.Ascii("parameter name");
    std::size_t typeAt = c.Pos();
    int32_t type = c.I32("parameter type");
    switch (type) {
        case 0:
            p.type = ParameterType::Unknown;
            break;
        case 1:
            p.type = ParameterType::Numeric;
            p.number = c.Real("numeric value");
            break;
        case 2:
            p.type = ParameterType::Text;
            p.text = c.String("text value");
            break;
        case 3:
        case 4: {
            p.type = type == 3 ? ParameterType::NumericArray : ParameterType::TextArray;
            p.rows = c.I32("array rows");
            p.columns = c.I32("array columns");
            // Rows x columns items; a zero column count still gives one item per row.
            uint64_t items = 0;
            if (p.rows > 0 && p.columns > 0)
                items = static_cast<uint64_t>(p.rows) * static_cast<uint64_t>(p.columns);
            else if (p.rows > 0 && p.columns == 0)
                items = static_cast<uint64_t>(p.rows);
            const uint64_t minItem = type == 3 ? 8 : 4;
            if (items > c.Remaining() / minItem)
                c.Fail(c.Pos(), "array of " + std::to_string(items) +
                                    " items does not fit before the trailer");
            for (uint64_t i = 0; i < items; ++i) {
                if (type == 3)
                    p.numbers.push_back(c.Real("array item"));
                else
                    p.texts.push_back(c.String("array item"));
            }
            break;
        }
        default:
            c.Fail(typeAt, "parameter type code " + std::to_string(type) + " is not 0 to 4");
    }
    return p;
}

std::vector<ExtraParameter> ReadParameters(Cursor& c)
{
    int32_t n = c.Count("parameter count");
    std::vector<ExtraParameter> list;
    for (int32_t i = 0; i < n; ++i)
        list.push_back(ReadParameter(c));
    return list;
}

RgbShader ReadRgbShader(Cursor& c)
{
    RgbShader s;
    s.offset = c.Pos();
    s.name = c.String("shader name");
    s.attributeReference = c.I32("attribute reference");
    std::size_t at = c.Pos();
    s.materialType = c.I32("material type");
    if (s.materialType < 0 || s.materialType > 3)
        c.Fail(at, "material type " + std::to_string(s.materialType) + " is not 0 to 3");
    s.color = c.Rgb();
    return s;
}

Texture ReadTexture(Cursor& c)
{
    Texture t;
    t.offset = c.Pos();
    t.mime = c.Fixed(32, "MIME field");
    t.name = c.String("embedded name");
    t.dataSize = c.U32("data size");
    t.dataOffset = c.Pos();
    std::string raw = c.Take(t.dataSize, "texture data");
    t.data.assign(raw.begin(), raw.end());
    return t;
}

InternalShader ReadInternalShader(Cursor& c)
{
    InternalShader s;
    s.offset = c.Pos();
    s.hasTexture = c.Bool("has texture");
    if (s.hasTexture) {
        s.textureName = c.String("texture file name");
        s.rotationDegrees = c.Real("rotation");
        s.textureSizeX = c.Real("texture size x");
        s.textureSizeY = c.Real("texture size y");
        s.bumpMap = c.Bool("bump-map flag");
        s.transparentPattern = c.Bool("transparent flag");
        s.mirroredX = c.Bool("mirror x flag");
        s.mirroredY = c.Bool("mirror y flag");
    }
    // A constant 1 here is the cheapest sign that the texture block was read
    // with the right length.
    std::size_t at = c.Pos();
    if (!c.Bool("surface flag"))
        c.Fail(at, "surface flag is 0, always 1");
    s.transparency = c.Real("transparency");
    s.transparencyAttenuation = c.Real("transparency attenuation");
    s.emissionAttenuation = c.Real("emission attenuation");
    s.emissionColor = c.Rgb();
    s.ambientReflection = c.Real("ambient");
    s.diffuseReflection = c.Real("diffuse");
    s.shining = c.Real("shining");
    s.specularReflection = c.Real("specular");
    s.specularColor = c.Rgb();
    return s;
}

// GUIDs are written as "{8-4-4-4-12}" in upper-case hex; anything else means
// the field was taken from the wrong place.
bool IsGuidText(const std::string& s)
{
    if (s.size() != 38 || s.front() != '{' || s.back() != '}')
        return false;
    for (std::size_t i = 1; i < 37; ++i) {
        const char ch = s[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? ch != '-' : !((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')))
            return false;
    }
    return true;
}

std::string ReadGuid(Cursor& c, bool mayBeEmpty)
{
    const std::size_t at = c.Pos();
    std::string g = c.Ascii("GUID");
    if (!(IsGuidText(g) || (mayBeEmpty && g.empty())))
        c.Fail(at, "GUID \"" + g + "\" is not {8-4-4-4-12} upper-case hex");
    return g;
}

Element ReadElement(Cursor& c)
{
    Element e;
    e.offset = c.Pos();
    e.layerPosition = c.I32("layer position");
    e.classPosition = c.I32("class position");
    e.storyPosition = c.I32("story position");
    e.guid = ReadGuid(c, false);
    if (c.Bool("has data")) {
        LibraryPartData d;
        d.name = c.String("library part name");
        d.x = c.Real("x");
        d.y = c.Real("y");
        d.z = c.Real("z");
        d.angleDegrees = c.Real("angle");
        d.sizeA = c.Real("size A");
        d.sizeB = c.Real("size B");
        d.flag = c.Bool("flag");
        d.defaultA = c.Real("default A");
        d.defaultB = c.Real("default B");
        d.height = c.Real("height");
        d.defaultHeight = c.Real("default height");
        d.hasGeometry = c.Bool("has geometry");
        e.libraryPart = d;
    }
    return e;
}

// Every exported convex polygon has at least three corners.
int32_t CornerCount(Cursor& c)
{
    std::size_t at = c.Pos();
    int32_t n = c.I32("vertex count");
    if (n < 3)
        c.Fail(at, "vertex count " + std::to_string(n) + " is below 3");
    return n;
}

UvwRecord ReadUvw(Cursor& c)
{
    UvwRecord r;
    r.offset = c.Pos();
    int32_t n = CornerCount(c);
    for (int32_t i = 0; i < n; ++i) {
        TexCoord t;
        t.u = c.Real("u");
        t.v = c.Real("v");
        r.coords.push_back(t);
    }
    return r;
}

Polygon ReadPolygon(Cursor& c)
{
    Polygon p;
    p.offset = c.Pos();
    p.materialPosition = c.I32("material position");
    p.objectNumber = c.I32("object number");
    int32_t n = CornerCount(c);
    for (int32_t i = 0; i < n; ++i)
        p.pointNumbers.push_back(c.I32("point number"));
    return p;
}

Light ReadLight(Cursor& c)
{
    Light l;
    l.offset = c.Pos();
    l.objectNumber = c.I32("object number");
    std::size_t at = c.Pos();
    l.typeCode = c.I32("light type");
    if (l.typeCode < 0 || l.typeCode > 2)
        c.Fail(at, "light type code " + std::to_string(l.typeCode) + " is not 0 to 2");
    l.name = c.String("light name");
    at = c.Pos();
    l.lightNumber = c.I32("light number");
    if (l.lightNumber < 1)
        c.Fail(at, "light number " + std::to_string(l.lightNumber) + " is below 1");
    l.color = c.Rgb();
    l.position = c.Point();
    l.target = c.Point();
    at = c.Pos();
    int32_t shadow = c.I32("shadow flag");
    if (shadow != 0 && shadow != 1)
        c.Fail(at, "shadow flag " + std::to_string(shadow) + " is not 0 or 1");
    l.castsShadow = shadow == 1;
    l.attenuation = c.Real("attenuation");
    l.radius = c.Real("radius");
    l.coneAngle1 = c.Real("cone angle 1");
    l.coneAngle2 = c.Real("cone angle 2");
    l.angleFalloff = c.Real("angle falloff");
    l.minDistance = c.Real("min distance");
    l.maxDistance = c.Real("max distance");
    l.distanceFalloff = c.Real("distance falloff");
    l.parameters = ReadParameters(c);
    return l;
}

Camera ReadCamera(Cursor& c)
{
    Camera k;
    k.offset = c.Pos();
    k.name = c.String("camera name");
    k.id = c.I32("camera id");
    // The current 3D view has no GUID and writes the empty text.
    k.guid = ReadGuid(c, true);
    k.position = c.Point();
    k.target = c.Point();
    k.angle1 = c.Real("angle 1");
    k.angle2 = c.Real("angle 2");
    k.cameraSet = c.I32("camera-set number");
    return k;
}

template <typename T, typename ReadOne>
void ReadSection(Cursor& c, const char* section, int32_t count, std::vector<T>& out, ReadOne read)
{
    c.Enter(section);
    for (int32_t i = 0; i < count; ++i) {
        c.Record(i);
        out.push_back(read(c));
    }
}

[[noreturn]] void FailRecord(const char* section, std::size_t index, std::size_t offset,
                             const std::string& what)
{
    throw FormatError(section, offset, "record " + std::to_string(index) + ": " + what);
}

// Positions that come from a lookup: the writer falls back to 0 when nothing
// matched, so 0 into an empty section means "none".
int ResolveLookup(int32_t position, std::size_t available, const char* kind,
                  std::size_t index, std::size_t offset)
{
    if (available == 0 && position == 0)
        return -1;
    if (position < 0 || static_cast<std::size_t>(position) >= available)
        FailRecord("elements", index, offset,
                   std::string(kind) + " position " + std::to_string(position) +
                       " is outside the " + std::to_string(available) + " " + kind + " records");
    return position;
}

int FindTexture(const std::vector<Texture>& textures, const std::string& name)
{
    for (std::size_t i = 0; i < textures.size(); ++i)
        if (textures[i].name == name)
            return static_cast<int>(i);
    return -1;
}

void ResolveParameters(std::vector<ExtraParameter>& list, const std::vector<Texture>& textures)
{
    for (ExtraParameter& p : list)
        if (p.type == ParameterType::Text)
            p.textureIndex = FindTexture(textures, p.text);
}


void Resolve(File& f)
{
    for (InternalShader& s : f.internalShaders)
        if (s.hasTexture)
            s.textureIndex = FindTexture(f.textures, s.textureName);
    // Names that do not match an embedded texture stay as written: the writer
    // keeps a value it could not map, so that is no fault of the file.
    for (CinemaShader& s : f.cinemaShaders)
        ResolveParameters(s.parameters, f.textures);
    for (Light& l : f.lights)
        ResolveParameters(l.parameters, f.textures);

    for (std::size_t i = 0; i < f.elements.size(); ++i) {
        Element& e = f.elements[i];
        e.layer = ResolveLookup(e.layerPosition, f.layers.size(), "layer", i, e.offset);
        e.elementClass =
            ResolveLookup(e.classPosition, f.classes.size(), "class", i, e.offset);
        e.story = ResolveLookup(e.storyPosition, f.stories.size(), "story", i, e.offset);
    }

    const std::size_t objects = f.elements.size();
    for (std::size_t i = 0; i < f.polygons.size(); ++i) {
        Polygon& p = f.polygons[i];
        if (p.objectNumber < 0 || static_cast<std::size_t>(p.objectNumber) >= objects)
            FailRecord("polygons", i, p.offset,
                       "object number " + std::to_string(p.objectNumber) + " is outside the " +
                           std::to_string(objects) + " elements");
        for (int32_t n : p.pointNumbers)
            if (n < 0 || static_cast<std::size_t>(n) >= f.points.size())
                FailRecord("polygons", i, p.offset,
                           "point number " + std::to_string(n) + " is outside the " +
                               std::to_string(f.points.size()) + " points");
        // -1 is a polygon without material. Without the RGB opener the writer
        // had no shader list to map through, so the value is only checked for
        // being a material number - 1.
        if (p.materialPosition < -1 ||
            (f.materialOpener &&
             static_cast<long>(p.materialPosition) >= static_cast<long>(f.rgbShaders.size())))
            FailRecord("polygons", i, p.offset,
                       "material position " + std::to_string(p.materialPosition) +
                           " is outside the " + std::to_string(f.rgbShaders.size()) +
                           " RGB shaders");
        p.shader = f.materialOpener ? p.materialPosition : -1;
        if (f.uvws[i].coords.size() != p.pointNumbers.size())
            FailRecord("polygons", i, p.offset,
                       std::to_string(p.pointNumbers.size()) +
                           " corners, but its texture-coordinate record has " +
                           std::to_string(f.uvws[i].coords.size()));
    }

    for (std::size_t i = 0; i < f.lights.size(); ++i) {
        const Light& l = f.lights[i];
        if (l.objectNumber < 0 || static_cast<std::size_t>(l.objectNumber) >= objects)
            FailRecord("lights", i, l.offset,
                       "object number " + std::to_string(l.objectNumber) + " is outside the " +
                           std::to_string(objects) + " elements");
    }

    for (std::size_t i = 0; i < f.cameras.size(); ++i) {
        const Camera& k = f.cameras[i];
        if (k.cameraSet < -1 || static_cast<long>(k.cameraSet) >= static_cast<long>(f.cameraSets.size()))
            FailRecord("cameras", i, k.offset,
                       "camera-set number " + std::to_string(k.cameraSet) + " is outside the " +
                           std::to_string(f.cameraSets.size()) + " camera sets");
    }
}

void ReadOpener(Cursor& c, File& f)
{
    c.Enter("RGB shader opener");
    const std::size_t at = c.Pos();
    MaterialOpener o;
    o.maxAttributeIndex = c.I32("largest attribute index");
    o.materialMode = c.I32("material mode");
    if (o.maxAttributeIndex < 0)
        c.Fail(at, "largest attribute index " + std::to_string(o.maxAttributeIndex) +
                       " is negative");
    if (o.materialMode < 1 || o.materialMode > 3)
        c.Fail(at + 4, "material mode " + std::to_string(o.materialMode) + " is not 1 to 3");
    // Each shader run writes one record per model material, and the mode
    // decides which runs there are.
    const Counts& n = f.counts;
    const int32_t wantInternal = o.materialMode >= 2 ? n.rgbShaders : 0;
    const int32_t wantCinema = o.materialMode == 3 ? n.rgbShaders : 0;
    if (n.internalShaders != wantInternal || n.cinemaShaders != wantCinema)
        c.Fail(at + 4, "material mode " + std::to_string(o.materialMode) + " with Sh " +
                           std::to_string(n.rgbShaders) + " needs ShInt " +
                           std::to_string(wantInternal) + " and ShC4D " +
                           std::to_string(wantCinema) + ", trailer has " +
                           std::to_string(n.internalShaders) + " and " +
                           std::to_string(n.cinemaShaders));
    f.materialOpener = o;
}

File Walk(const std::vector<uint8_t>& bytes, const Counts& counts, bool withOpener)
{
    File f;
    f.fileSize = bytes.size();
    f.counts = counts;
    const std::size_t end = bytes.size() - kTrailerSize;
    Cursor c(bytes, 0, end);

    f.header = ReadHeader(c);
    c.Enter("scene bounds");
    f.bounds.min = c.Point();
    f.bounds.max = c.Point();
    if (withOpener)
        ReadOpener(c, f);

    ReadSection(c, "RGB shaders", counts.rgbShaders, f.rgbShaders, ReadRgbShader);
    ReadSection(c, "textures", counts.textures, f.textures, ReadTexture);
    ReadSection(c, "internal shaders", counts.internalShaders, f.internalShaders,
                ReadInternalShader);
    ReadSection(c, "Cinema 4D shaders", counts.cinemaShaders, f.cinemaShaders, [](Cursor& k) {
        CinemaShader s;
        s.offset = k.Pos();
        s.parameters = ReadParameters(k);
        return s;
    });
    ReadSection(c, "classes", counts.classes, f.classes, [](Cursor& k) {
        ElementClass e;
        e.offset = k.Pos();
        e.typeId = k.I32("type id");
        e.name = k.String("class name");
        return e;
    });
    ReadSection(c, "stories", counts.stories, f.stories, [](Cursor& k) {
        Story s;
        s.offset = k.Pos();
        s.index = k.I32("story index");
        s.name = k.String("story name");
        s.elevation = k.Real("elevation");
        s.height = k.Real("height");
        return s;
    });
    ReadSection(c, "layers", counts.layers, f.layers, [](Cursor& k) {
        Layer l;
        l.offset = k.Pos();
        l.name = k.String("layer name");
        return l;
    });
    ReadSection(c, "elements", counts.objects, f.elements, ReadElement);
    ReadSection(c, "points", counts.points, f.points, [](Cursor& k) { return k.Point(); });
    ReadSection(c, "texture coordinates", counts.uvws, f.uvws, ReadUvw);
    ReadSection(c, "polygons", counts.polygons, f.polygons, ReadPolygon);
    ReadSection(c, "lights", counts.lights, f.lights, ReadLight);
    ReadSection(c, "camera sets", counts.cameraSets, f.cameraSets, [](Cursor& k) {
        CameraSet s;
        s.offset = k.Pos();
        s.name = k.String("camera-set name");
        return s;
    });
    ReadSection(c, "cameras", counts.cameras, f.cameras, ReadCamera);

    if (c.Pos() != end)
        throw FormatError("trailer counts", c.Pos(),
                          "the counted records end here, " + std::to_string(end - c.Pos()) +
                              " bytes before the trailer at " + std::to_string(end));
    Resolve(f);
    return f;
}

}  // namespace

File ReadBytes(const std::vector<uint8_t>& bytes)
{
    const Counts counts = ReadTrailer(bytes);
    // Any RGB shader record means the host listed its materials, and then the
    // opener is always written.
    if (counts.rgbShaders > 0)
        return Walk(bytes, counts, true);
    // With no RGB shader records the trailer cannot tell whether the opener
    // is there (an empty material list writes it, a failed listing does not).
    // The usual case is tried first; the error of the usual case is the one
    // reported, with the other attempt's appended.
    try {
        return Walk(bytes, counts, true);
    } catch (const FormatError& withOpener) {
        try {
            return Walk(bytes, counts, false);
        } catch (const FormatError& without) {
            // Faults before the opener read the same either way.
            if (without.offset() == withOpener.offset() && without.detail() == withOpener.detail())
                throw;
            throw FormatError(withOpener.section(), withOpener.offset(),
                              withOpener.detail() + " (read without the RGB shader opener: " +
                                  without.section() + " at offset " +
                                  std::to_string(without.offset()) + ": " + without.detail() +
                                  ")");
        }
    }
}

File ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Zelto file: cannot open " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad())
        throw std::runtime_error("Zelto file: cannot read " + path);
    return ReadBytes(bytes);
}

}  // namespace zelto_reader
