// The three shader runs over the model's materials: RGB shaders (which also name and classify every
// material and decide the shader positions that polygon records carry), internal shaders and
// Cinema 4D shaders. Each run writes one record per model material, material 1 first.
#include "MAExporter.hpp"

#include <cstring>
#include <limits>
#include <string>

#include "AttributeHelpers.hpp"
#include "EngineHostCalls.hpp"
#include "ExportText.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

constexpr API_AttrTypeID MaterialAttributeType = 5;
constexpr Int32 HostAttributeQualifier = -2;
constexpr char GdlPrefix[] = "GDLM";
constexpr char PenPrefix[] = "PEN_MATERIAL";
constexpr USize GdlPrefixLength = sizeof GdlPrefix - 1;
constexpr USize PenPrefixLength = sizeof PenPrefix - 1;
constexpr char UnknownMaterialName[] = "Unknown material";
constexpr USize TextureFileNameSize = 1024;

// How the RGB run writes one material.
struct MaterialNaming {
    char name[MaterialNameSize] = {};
    Int32 attributeReference = 0;
    MaterialType type = OtherMaterial;
};

ModelerAPI::Material FetchMaterial(const ModelerAPI::Model& model, Int32 materialNumber)
{
    ModelerAPI::Material material;
    model.GetMaterial(ModelerAPI::AttributeIndex(ModelerAPI::AttributeIndex::MaterialIndex, materialNumber,
                                                 HostAttributeQualifier),
                      &material);
    return material;
}

bool StartsWith(const char* text, const char* prefix, USize prefixLength)
{
    return std::strncmp(text, prefix, prefixLength) == 0;
}

// "GDLM12_Oak" becomes "GDLM_Oak": what stands between the prefix and the first "_" drops out.
void DropGdlNumber(char* name)
{
    const char* underscore = std::strchr(name, '_');
    if (underscore == nullptr)
        return;
    std::memmove(name + GdlPrefixLength, underscore, std::strlen(underscore) + 1);
}

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The pen number after "PEN_MATERIAL", read like a decimal integer (leading white space, a sign,
// digits). Only a number from 1 to the largest Int32 is a pen; anything else gives 0.
Int32 ParsePenNumber(const char* text)
{
    while (IsWhiteSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    Int64 number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + (*text - '0');
        if (number > std::numeric_limits<Int32>::max())
            return 0;
    }
    return negative ? 0 : static_cast<Int32>(number);
}

// The largest index among the project's material attributes, 0 for none.
Int32 LargestAttributeIndex(const GS::Array<API_Attribute>& attributes)
{
    Int32 largest = 0;
    for (const API_Attribute& attribute : attributes)
        if (attribute.header.index > largest)
            largest = attribute.header.index;
    return largest;
}

// A material made from a project material attribute takes that attribute's name; any other keeps its
// own, GDL and pen materials recognised by their prefixes. A project material attribute of the
// (rebuilt) name makes the material one of that attribute.
MaterialNaming NameMaterial(const ModelerAPI::Material& material)
{
    MaterialNaming naming;
    const Int32 externalReference = material.GetExternalReference();
    naming.attributeReference = externalReference;
    bool found = false;
    bool gdl = false;
    bool pen = false;
    if (externalReference > 0) {
        CopyUtf8Cut(GetAttributeName(MaterialAttributeType, externalReference), naming.name);
        found = true;
    } else {
        CopyUtf8Cut(material.GetName().ToCStr().Get(), naming.name);
        if (StartsWith(naming.name, GdlPrefix, GdlPrefixLength)) {
            gdl = true;
            DropGdlNumber(naming.name);
        } else if (StartsWith(naming.name, PenPrefix, PenPrefixLength)) {
            pen = true;
            if (externalReference == 0 && std::strlen(naming.name) > PenPrefixLength) {
                const Int32 penNumber = ParsePenNumber(naming.name + PenPrefixLength);
                if (penNumber > 0)
                    naming.attributeReference = -penNumber;
            }
        }
        const int attributeIndex = SearchAttributeName(MaterialAttributeType, naming.name);
        if (attributeIndex > 0) {
            naming.attributeReference = attributeIndex;
            found = true;
        }
    }
    if (naming.name[0] == '\0')
        CopyUtf8Cut(UnknownMaterialName, naming.name);
    naming.type = found ? AttributeMaterial : gdl ? GdlMaterial : pen ? PenMaterial : OtherMaterial;
    return naming;
}

}  // namespace

// One phase per shader run; the RGB run opens its phase even when the host cannot list its material
// attributes.
Int32 MAExporter::CountMaterialPhases() const
{
    Int32 phases = 1;
    if (parameters->materialType >= 2)
        ++phases;
    if (parameters->materialType == 3)
        ++phases;
    return phases;
}

// The section opens with the largest material attribute index and the material mode. When the host
// cannot list its attributes the largest index is written as 0, so the file can still be walked, and
// the materials are still written: their names and attribute references come from other host calls.
void MAExporter::ExportMaterialsRgb()
{
    GS::Array<API_Attribute> attributes;
    const GSErrCode listed = EngineHost::GetAttributesByType(MaterialAttributeType, attributes);
    if (listed != NoError) {
        LogMessageError("Zelto_export:: Error: Cannot list the material attributes: #%s\n", ErrID_To_Name(listed));
        attributes.Clear();
    }
    writer->WriteMaterialNum(LargestAttributeIndex(attributes));
    writer->WriteMaterialNum(parameters->materialType);

    const Int32 materialCount = model->GetMaterialCount();
    OpenPhase(ProgressText(SaveMatRgb), materialCount);
    for (Int32 materialNumber = 1; materialNumber <= materialCount; ++materialNumber) {
        const MaterialNaming naming = NameMaterial(FetchMaterial(*model, materialNumber));
        writer->WriteMaterialRgb(materialNumber, naming.name, naming.attributeReference, naming.type);
        ++totals.Sh;
        ReportItem(materialNumber);
        PollCancel();
    }
}

void MAExporter::ExportMaterialsInternal()
{
    const Int32 materialCount = model->GetMaterialCount();
    OpenPhase(ProgressText(SaveMatInternal), materialCount);
    for (Int32 materialNumber = 1; materialNumber <= materialCount; ++materialNumber) {
        char textureFileName[TextureFileNameSize] = {};
        ModelerAPI::AttributeIndex textureIndex;
        FetchMaterial(*model, materialNumber).GetTextureIndex(textureIndex);
        const Int32 textureNumber = textureIndex.GetIndex();
        if (textureIndex.IsValid() && textureNumber > 0 && static_cast<USize>(textureNumber) <= textureNames.GetSize())
            CopyUtf8Cut(textureNames[static_cast<GS::UIndex>(textureNumber - 1)].ToCStr().Get(), textureFileName);
        writer->WriteMaterialInternal(materialNumber, textureFileName);
        ++totals.ShInt;
        ReportItem(materialNumber);
        PollCancel();
    }
}

void MAExporter::ExportMaterialsCinema4D()
{
    const Int32 materialCount = model->GetMaterialCount();
    OpenPhase(ProgressText(SaveMatCinema), materialCount);
    for (Int32 materialNumber = 1; materialNumber <= materialCount; ++materialNumber) {
        writer->WriteMaterialCinema4D(materialNumber);
        ++totals.ShC4D;
        ReportItem(materialNumber);
        PollCancel();
    }
}

}  // namespace WRL
