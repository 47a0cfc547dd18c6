// The project's stories and layers as the export reads them from the host, once per export and
// before the process window opens: whether each could be read decides whether its pass runs and so
// how many phases the window is told about.
#ifndef EXPORTER_PROJECTSTRUCTURE_HPP
#define EXPORTER_PROJECTSTRUCTURE_HPP

#include "ACAPinc.h"

namespace WRL {

// The host's story settings; the story handle is released with the object.
class StorySettings {
public:
    StorySettings();
    ~StorySettings();
    StorySettings(const StorySettings&) = delete;
    StorySettings& operator=(const StorySettings&) = delete;

    // Reads the settings (a second read replaces the first); the host's result.
    GSErrCode Read();
    bool IsRead() const { return read; }

    // last - first + 1 in 16 bits, as the host numbers its stories; 0 or less when last < first.
    Int32 AnnouncedCount() const;
    // The records that can be walked: the announced ones that the handle really holds.
    Int32 RecordCount() const;
    // 0-based position in the host's list, lowest story first.
    const API_StoryType& Record(Int32 position) const;

private:
    void Release();

    API_StoryInfo info;
    bool read = false;
};

// The project's layer attributes in the host's order.
class LayerAttributes {
public:
    GSErrCode Read();
    bool IsRead() const { return read; }
    const GS::Array<API_Attribute>& List() const { return layers; }

private:
    GS::Array<API_Attribute> layers;
    bool read = false;
};

struct ProjectStructure {
    StorySettings stories;
    LayerAttributes layers;
};

}  // namespace WRL

#endif
