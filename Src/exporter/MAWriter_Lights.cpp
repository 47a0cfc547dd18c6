// Light records: the element's object number, the light's type code, name and number, colour,
// position and target (X, Z, Y), shadow flag, the eight reals of its cone and distances, and its
// extra parameters.
#include "ExportPrimitives.hpp"
#include "ExportText.hpp"
#include "ExtraParameterRecord.hpp"
#include "MAWriter.hpp"
#include "ModelerAPI.hpp"

namespace WRL {

namespace {

constexpr const char* LightRecord = "light";

}  // namespace

void MAWriter::WriteLight(Int32 objectIndex, Int32 typeCode, const char* name, Int32 lightNumber, double red,
                          double green, double blue, double x, double y, double z, double targetX, double targetY,
                          double targetZ, const bool& castsShadow, double attenuation, double radius,
                          double coneAngle1, double coneAngle2, double angleFalloff, double minDistance,
                          double maxDistance, double distanceFalloff, const ModelerAPI::ParameterList& parameters)
{
    char recordName[RecordNameSize];
    CopyUtf8Cut(name, recordName);

    WriteInt32(objectIndex);
    WriteInt32(typeCode);
    WriteBinUnicode(recordName);
    WriteInt32(lightNumber);
    WriteReal(red, LightRecord);
    WriteReal(green, LightRecord);
    WriteReal(blue, LightRecord);
    WritePoint(x, y, z, LightRecord);
    WritePoint(targetX, targetY, targetZ, LightRecord);
    WriteInt32(BoolByte(castsShadow));
    WriteReal(attenuation, LightRecord);
    WriteReal(radius, LightRecord);
    WriteReal(coneAngle1, LightRecord);
    WriteReal(coneAngle2, LightRecord);
    WriteReal(angleFalloff, LightRecord);
    WriteReal(minDistance, LightRecord);
    WriteReal(maxDistance, LightRecord);
    WriteReal(distanceFalloff, LightRecord);

    const Int32 parameterCount = parameters.GetParameterCount();
    WriteInt32(parameterCount);
    ModelerAPI::Parameter parameter;
    for (Int32 number = 1; number <= parameterCount; ++number) {
        parameters.GetParameter(number, &parameter);
        WriteExtraParameter(parameter, NoTextureKey);
    }
}

}  // namespace WRL
