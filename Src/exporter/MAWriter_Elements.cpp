// Element records: the positions of layer, class and story, the GUID and, for placed library parts,
// the placement block.
#include <string>

#include "ExportPrimitives.hpp"
#include "HostNames.hpp"
#include "MAWriter.hpp"

namespace WRL {

namespace {

constexpr const char* ElementRecord = "element";

std::string GuidText(const API_Guid& guid)
{
    return std::string("{") + ApiGuidToChar(guid) + "}";
}

}  // namespace

void MAWriter::WriteObjects(Int32 layer, Int32 typeId, Int32 story, const API_Guid& guid, const bool& hasData,
                            const char* name, double x, double y, double z, double angle, double sizeA,
                            double sizeB, const bool& flag, double defaultA, double defaultB, double height,
                            double defaultHeight, const bool& hasGeometry)
{
    const Int32 storyPosition = StoryPosition(story);
    WriteInt32(LayerPosition(layer));
    WriteInt32(ClassPosition(typeId));
    WriteInt32(storyPosition);
    WriteBinAscii(GuidText(guid).c_str());
    WriteBool(hasData);
    if (!BoolByte(hasData))
        return;

    WriteBinUnicode(name);
    WriteReal(x, ElementRecord);
    WriteReal(y, ElementRecord);
    // Without story records the level stays as it is (adding 0.0 would turn -0.0 into 0.0).
    WriteReal(stories.IsEmpty() ? z : z + StoryElevation(storyPosition), ElementRecord);
    WriteReal(angle, ElementRecord);
    WriteReal(sizeA, ElementRecord);
    WriteReal(sizeB, ElementRecord);
    WriteBool(flag);
    WriteReal(defaultA, ElementRecord);
    WriteReal(defaultB, ElementRecord);
    WriteReal(height, ElementRecord);
    WriteReal(defaultHeight, ElementRecord);
    WriteBool(hasGeometry);
}

}  // namespace WRL
