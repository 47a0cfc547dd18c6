// Text form of a read Zelto file, for test failure messages and the CLI summary.
#include "ZeltoReader.hpp"

#include <cstdio>
#include <sstream>

namespace zelto_reader {

namespace {

// Names come from users; control bytes and a stray NUL must stay visible.
std::string Quote(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20 || ch == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", ch);
            out += buf;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}

std::string Num(double v)
{
    std::ostringstream os;
    os.precision(12);
    os << v;
    return os.str();
}

std::string P(const Point3& p)
{
    return "(" + Num(p.x) + ", " + Num(p.y) + ", " + Num(p.z) + ")";
}

std::string C(const Color& c)
{
    return "rgb(" + Num(c.red) + ", " + Num(c.green) + ", " + Num(c.blue) + ")";
}

const char* TypeName(ParameterType t)
{
    switch (t) {
        case ParameterType::Numeric: return "numeric";
        case ParameterType::Text: return "text";
        case ParameterType::NumericArray: return "numeric array";
        case ParameterType::TextArray: return "text array";
        case ParameterType::Unknown: break;
    }
    return "unknown";
}

void Parameters(std::ostream& os, const std::vector<ExtraParameter>& list, const char* indent)
{
    for (const ExtraParameter& p : list) {
        os << indent << Quote(p.name) << " " << TypeName(p.type);
        switch (p.type) {
            case ParameterType::Numeric:
                os << " " << Num(p.number);
                break;
            case ParameterType::Text:
                os << " " << Quote(p.text);
                if (p.textureIndex >= 0)
                    os << " -> texture " << p.textureIndex;
                break;
            case ParameterType::NumericArray:
                os << " [" << p.rows << " x " << p.columns << "]";
                for (double v : p.numbers)
                    os << " " << Num(v);
                break;
            case ParameterType::TextArray:
                os << " [" << p.rows << " x " << p.columns << "]";
                for (const std::string& v : p.texts)
                    os << " " << Quote(v);
                break;
            case ParameterType::Unknown:
                break;
        }
        os << "\n";
    }
}

template <typename T>
void Title(std::ostream& os, const char* name, const std::vector<T>& list)
{
    os << name << " (" << list.size() << ")\n";
}

}  // namespace

std::string Dump(const File& f)
{
    std::ostringstream os;
    const Header& h = f.header;
    os << "Zelto file, " << f.fileSize << " bytes\n";
    os << "header\n";
    os << "  marker " << Quote(h.marker) << ", system " << Quote(h.systemName) << ", format "
       << h.formatNumber << ", add-on version " << Quote(h.addonVersion) << "\n";
    os << "  file " << Quote(h.fileName) << ", project " << Quote(h.projectName) << "\n";
    os << "  flags " << h.constantFlags[0] << " " << h.constantFlags[1] << " "
       << h.constantFlags[2] << ", unit " << h.unit << ", scale " << Num(h.scale) << ", direct "
       << h.direct << ", host API " << h.apiVersion << "\n";
    os << "bounds min " << P(f.bounds.min) << " max " << P(f.bounds.max) << "\n";

    const Counts& n = f.counts;
    os << "counts Sh " << n.rgbShaders << ", Tex " << n.textures << ", ShInt "
       << n.internalShaders << ", ShC4D " << n.cinemaShaders << ", Class " << n.classes
       << ", Story " << n.stories << ", Layer " << n.layers << ", Object " << n.objects
       << ", Point " << n.points << ", Uvw " << n.uvws << ", Normals " << n.normals << ", Poly "
       << n.polygons << ", Lights " << n.lights << ", CameraSet " << n.cameraSets << ", Camera "
       << n.cameras << "\n";

    if (f.materialOpener)
        os << "material opener: largest attribute index " << f.materialOpener->maxAttributeIndex
           << ", material mode " << f.materialOpener->materialMode << "\n";
    else
        os << "material opener: absent\n";

    Title(os, "RGB shaders", f.rgbShaders);
    for (std::size_t i = 0; i < f.rgbShaders.size(); ++i) {
        const RgbShader& s = f.rgbShaders[i];
        os << "  [" << i << "] " << Quote(s.name) << " ref " << s.attributeReference << " type "
           << s.materialType << " " << C(s.color) << "\n";
    }

    Title(os, "textures", f.textures);
    for (std::size_t i = 0; i < f.textures.size(); ++i) {
        const Texture& t = f.textures[i];
        os << "  [" << i << "] " << Quote(t.name) << " " << t.mime << ", " << t.dataSize
           << " bytes at " << t.dataOffset << "\n";
    }

    Title(os, "internal shaders", f.internalShaders);
    for (std::size_t i = 0; i < f.internalShaders.size(); ++i) {
        const InternalShader& s = f.internalShaders[i];
        os << "  [" << i << "]";
        if (s.hasTexture) {
            os << " texture " << Quote(s.textureName);
            if (s.textureIndex >= 0)
                os << " -> texture " << s.textureIndex;
            os << " rotation " << Num(s.rotationDegrees) << " size " << Num(s.textureSizeX)
               << " x " << Num(s.textureSizeY) << " bump " << s.bumpMap << " transparent "
               << s.transparentPattern << " mirror " << s.mirroredX << s.mirroredY << ";";
        }
        os << " transparency " << Num(s.transparency) << "/" << Num(s.transparencyAttenuation)
           << " emission " << C(s.emissionColor) << "/" << Num(s.emissionAttenuation)
           << " ambient " << Num(s.ambientReflection) << " diffuse " << Num(s.diffuseReflection)
           << " shining " << Num(s.shining) << " specular " << Num(s.specularReflection) << " "
           << C(s.specularColor) << "\n";
    }

    Title(os, "Cinema 4D shaders", f.cinemaShaders);
    for (std::size_t i = 0; i < f.cinemaShaders.size(); ++i) {
        os << "  [" << i << "] " << f.cinemaShaders[i].parameters.size() << " parameters\n";
        Parameters(os, f.cinemaShaders[i].parameters, "    ");
    }

    Title(os, "classes", f.classes);
    for (std::size_t i = 0; i < f.classes.size(); ++i)
        os << "  [" << i << "] type " << f.classes[i].typeId << " " << Quote(f.classes[i].name)
           << "\n";

    Title(os, "stories", f.stories);
    for (std::size_t i = 0; i < f.stories.size(); ++i) {
        const Story& s = f.stories[i];
        os << "  [" << i << "] index " << s.index << " " << Quote(s.name) << " elevation "
           << Num(s.elevation) << " height " << Num(s.height) << "\n";
    }

    Title(os, "layers", f.layers);
    for (std::size_t i = 0; i < f.layers.size(); ++i)
        os << "  [" << i << "] " << Quote(f.layers[i].name) << "\n";

    Title(os, "elements", f.elements);
    for (std::size_t i = 0; i < f.elements.size(); ++i) {
        const Element& e = f.elements[i];
        os << "  [" << i << "] " << e.guid << " layer " << e.layer << " class " << e.elementClass
           << " story " << e.story;
        if (e.libraryPart) {
            const LibraryPartData& d = *e.libraryPart;
            os << " part " << Quote(d.name) << " at (" << Num(d.x) << ", " << Num(d.y) << ", "
               << Num(d.z) << ") angle " << Num(d.angleDegrees) << " size " << Num(d.sizeA)
               << " x " << Num(d.sizeB) << " flag " << d.flag << " default " << Num(d.defaultA)
               << " x " << Num(d.defaultB) << " height " << Num(d.height) << "/"
               << Num(d.defaultHeight) << " geometry " << d.hasGeometry;
        }
        os << "\n";
    }

    Title(os, "points", f.points);
    for (std::size_t i = 0; i < f.points.size(); ++i)
        os << "  [" << i << "] " << P(f.points[i]) << "\n";

    Title(os, "polygons", f.polygons);
    for (std::size_t i = 0; i < f.polygons.size(); ++i) {
        const Polygon& p = f.polygons[i];
        os << "  [" << i << "] object " << p.objectNumber << " shader " << p.shader
           << " (written " << p.materialPosition << ") points";
        for (int32_t k : p.pointNumbers)
            os << " " << k;
        os << " uv";
        for (const TexCoord& t : f.uvws[i].coords)
            os << " (" << Num(t.u) << ", " << Num(t.v) << ")";
        os << "\n";
    }

    Title(os, "lights", f.lights);
    for (std::size_t i = 0; i < f.lights.size(); ++i) {
        const Light& l = f.lights[i];
        os << "  [" << i << "] object " << l.objectNumber << " type " << l.typeCode << " "
           << Quote(l.name) << " #" << l.lightNumber << " " << C(l.color) << " at "
           << P(l.position) << " to " << P(l.target) << " shadow " << l.castsShadow
           << " attenuation " << Num(l.attenuation) << " radius " << Num(l.radius) << " cone "
           << Num(l.coneAngle1) << "/" << Num(l.coneAngle2) << " falloff "
           << Num(l.angleFalloff) << " distance " << Num(l.minDistance) << ".."
           << Num(l.maxDistance) << " falloff " << Num(l.distanceFalloff) << "\n";
        Parameters(os, l.parameters, "    ");
    }

    Title(os, "camera sets", f.cameraSets);
    for (std::size_t i = 0; i < f.cameraSets.size(); ++i)
        os << "  [" << i << "] " << Quote(f.cameraSets[i].name) << "\n";

    Title(os, "cameras", f.cameras);
    for (std::size_t i = 0; i < f.cameras.size(); ++i) {
        const Camera& k = f.cameras[i];
        os << "  [" << i << "] " << Quote(k.name) << " id " << k.id << " guid " << Quote(k.guid)
           << " at " << P(k.position) << " to " << P(k.target) << " angles " << Num(k.angle1)
           << "/" << Num(k.angle2) << " set " << k.cameraSet << "\n";
    }
    return os.str();
}

}  // namespace zelto_reader
