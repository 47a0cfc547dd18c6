// Texture-coordinate and polygon records; these run once per polygon, so they append straight into
// the output's buffer.
#include <cmath>
#include <limits>
#include <string>

#include "ExportOutput.hpp"
#include "FiniteReal.hpp"
#include "GSException.hpp"
#include "MAWriter.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

namespace {

// Texture coordinates this close to 0 are written as 0.
constexpr double UvwSnapLimit = 1e-10;
// The material list keeps material numbers in 16 bits: larger ones are never found in it.
constexpr Int64 LargestListedMaterialNumber = std::numeric_limits<Int16>::max();

void SnapToZero(double& value)
{
    if (std::fabs(value) < UvwSnapLimit)
        value = 0.0;
}

// A number of a polygon record as the record's Int32; what does not fit fails the export.
Int32 RecordNumber(Int64 number, const char* what)
{
    if (number < std::numeric_limits<Int32>::min() || number > std::numeric_limits<Int32>::max())
        throw GS::GeneralException((std::string("Zelto_export:: ") + what + " " + std::to_string(number) +
                                    " does not fit the file format")
                                       .c_str(),
                                   __FILE__, __LINE__, CancelErrorCode);
    return static_cast<Int32>(number);
}

}  // namespace

void MAWriter::WriteUvwBegin(Int32 vertexCount)
{
    output->AppendInt32(vertexCount);
}

void MAWriter::WriteUvw(bool /*last: only the text form ends its line there*/, ModelerAPI::TextureCoordinate* uv)
{
    double u = 0.0;
    double v = 0.0;
    if (uv != nullptr) {
        SnapToZero(uv->u);
        SnapToZero(uv->v);
        u = uv->u;
        v = uv->v;
    }
    CheckFinite(u, "texture coordinate");
    CheckFinite(v, "texture coordinate");
    char* at = output->Room(2 * RealBytes);
    at = PutReal(at, u);
    PutReal(at, v);
    output->Commit(2 * RealBytes);
}

void MAWriter::WriteCoordIndexParam(Int64 material, Int32 objectIndex, Int32 vertexCount)
{
    const Int32 position = RecordNumber(MaterialPosition(material), "The material position");
    char* at = output->Room(3 * Int32Bytes);
    at = PutInt32(at, position);
    at = PutInt32(at, objectIndex);
    PutInt32(at, vertexCount);
    output->Commit(3 * Int32Bytes);
}

void MAWriter::WriteCoordIndexPointNumber(Int64 pointNumber)
{
    output->AppendInt32(RecordNumber(pointNumber, "The point number"));
}

void MAWriter::NoteMaterialShaderPosition(Int32 materialIndex, Int32 shaderPosition)
{
    materialShaderPositions.emplace(materialIndex, shaderPosition);  // the first note for an index stays
}

// material is the host material index - 1; without a note it is written as it is.
Int64 MAWriter::MaterialPosition(Int64 material) const
{
    const Int64 materialNumber = material + 1;
    if (materialNumber < 1 || materialNumber > LargestListedMaterialNumber)
        return material;
    const auto found = materialShaderPositions.find(static_cast<Int32>(materialNumber));
    return found == materialShaderPositions.end() ? material : found->second;
}

}  // namespace WRL
