// Texture-coordinate and polygon records; these run once per polygon, so they append straight into
// the output's buffer.
#include <cmath>
#include <limits>

#include "ExportOutput.hpp"
#include "GSException.hpp"
#include "MAWriter.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

namespace {

// Texture coordinates this close to 0 are written as 0.
constexpr double UvwSnapLimit = 1e-10;

void SnapToZero(double& value)
{
    if (std::fabs(value) < UvwSnapLimit)
        value = 0.0;
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
    char* at = output->Room(2 * RealBytes);
    at = PutReal(at, u);
    PutReal(at, v);
    output->Commit(2 * RealBytes);
}

void MAWriter::WriteCoordIndexParam(Int32 material, Int32 objectIndex, Int32 vertexCount)
{
    char* at = output->Room(3 * Int32Bytes);
    at = PutInt32(at, MaterialPosition(material));
    at = PutInt32(at, objectIndex);
    PutInt32(at, vertexCount);
    output->Commit(3 * Int32Bytes);
}

void MAWriter::WriteCoordIndexPointNumber(Int64 pointNumber)
{
    if (pointNumber < std::numeric_limits<Int32>::min() || pointNumber > std::numeric_limits<Int32>::max())
        throw GS::GeneralException("Zelto_export:: Too many points for the file format", __FILE__, __LINE__,
                                   CancelErrorCode);
    output->AppendInt32(static_cast<Int32>(pointNumber));
}

void MAWriter::NoteMaterialShaderPosition(Int32 materialIndex, Int32 shaderPosition)
{
    materialShaderPositions.emplace(materialIndex, shaderPosition);  // the first note for an index stays
}

// material is the host material index - 1; without a note it is written as it is.
Int32 MAWriter::MaterialPosition(Int32 material) const
{
    if (materialShaderPositions.empty() || material == std::numeric_limits<Int32>::max())
        return material;
    const auto found = materialShaderPositions.find(material + 1);
    return found == materialShaderPositions.end() ? material : found->second;
}

}  // namespace WRL
