#include "ProjectStructure.hpp"

#include <algorithm>
#include <cstring>

#include "BM.hpp"
#include "EngineHostCalls.hpp"

namespace WRL {

namespace {

constexpr API_AttrTypeID LayerAttributeType = 1;

}  // namespace

StorySettings::StorySettings()
{
    std::memset(&info, 0, sizeof info);
}

StorySettings::~StorySettings()
{
    Release();
}

void StorySettings::Release()
{
    if (info.data != nullptr) {
        GSHandle handle = reinterpret_cast<GSHandle>(info.data);
        BMKillHandle(&handle);
    }
    std::memset(&info, 0, sizeof info);
    read = false;
}

GSErrCode StorySettings::Read()
{
    Release();
    const GSErrCode err = EngineHost::GetStorySettings(&info, 0);
    read = err == NoError;
    if (!read)
        Release();
    return err;
}

Int32 StorySettings::AnnouncedCount() const
{
    if (!read)
        return 0;
    return static_cast<Int16>(info.lastStory - info.firstStory + 1);
}

Int32 StorySettings::RecordCount() const
{
    if (!read || info.data == nullptr)
        return 0;
    const Int32 held = BMGetHandleSize(reinterpret_cast<GSConstHandle>(info.data)) /
                       static_cast<Int32>(sizeof(API_StoryType));
    return std::max(0, std::min(AnnouncedCount(), held));
}

const API_StoryType& StorySettings::Record(Int32 position) const
{
    return (*info.data)[position];
}

GSErrCode LayerAttributes::Read()
{
    layers.Clear();
    const GSErrCode err = EngineHost::GetAttributesByType(LayerAttributeType, layers);
    read = err == NoError;
    if (!read)
        layers.Clear();
    return err;
}

}  // namespace WRL
