// Camera-set and camera records.
//
//   camera set:  String name
//   camera:      String name, Int32 id, AsciiString "{GUID}" or empty, Real X, Z, Y, target X, Z, Y,
//                Real first and second angle, Int32 camera-set number
#include <string>

#include "ExportText.hpp"
#include "HostNames.hpp"
#include "MAWriter.hpp"

namespace WRL {

namespace {

constexpr const char* CameraRecord = "camera";

std::string OwnGuidText(const API_Guid& guid)
{
    if (guid == APINULLGuid)
        return std::string();
    return std::string("{") + ApiGuidToChar(guid) + "}";
}

}  // namespace

void MAWriter::WriteCameraSets(const API_Guid& guid, const GS::UniString& name)
{
    cameraSets.Append(guid);
    WriteBinUnicode(name.ToCStr(CC_Default).Get());
}

void MAWriter::WriteCamera(const char* name, Int32 id, double x, double y, double z, double targetX,
                           double targetY, double targetZ, double angle1, double angle2, const API_Guid& setGuid,
                           const API_Guid& ownGuid)
{
    char recordName[RecordNameSize];
    CopyUtf8Cut(name, recordName);

    WriteBinUnicode(recordName);
    WriteInt32(id);
    WriteBinAscii(OwnGuidText(ownGuid).c_str());
    WritePoint(x, y, z, CameraRecord);
    WritePoint(targetX, targetY, targetZ, CameraRecord);
    WriteReal(angle1, CameraRecord);
    WriteReal(angle2, CameraRecord);
    WriteInt32(cameraSets.PositionOf(setGuid));
}

}  // namespace WRL
