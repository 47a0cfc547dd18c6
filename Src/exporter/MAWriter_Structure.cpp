// Class, story and layer records, and the lists that later records find them in.
#include <string>

#include "ExportText.hpp"
#include "MAWriter.hpp"

namespace WRL {

namespace {

// The numbered story name of the file, "%d. %s", cut like a list name.
constexpr USize NumberedStoryNameBytes = RecordNameSize - 1;

}  // namespace

void MAWriter::WriteClass(Int32 typeId, const char* name)
{
    ClassData entry;
    entry.index = typeId;
    CopyUtf8Cut(name, entry.name);
    classes.Append(entry);

    WriteInt32(typeId);
    WriteBinUnicode(name);
}

void MAWriter::WriteStory(Int32 index, const char* name, double elevation, double height)
{
    StoryData entry;
    entry.index = index;
    CopyUtf8Cut(name, entry.name);
    entry.elevation = elevation;
    entry.height = height;
    stories.Append(entry);

    const std::string numbered = std::to_string(index) + ". " + (name == nullptr ? "" : name);
    const USize kept = Utf8PrefixLength(numbered.c_str(), numbered.size(), NumberedStoryNameBytes);
    WriteInt32(index);
    WriteBinUnicode(numbered.substr(0, kept).c_str());
    WriteReal(elevation, "story");
    WriteReal(height, "story");
}

void MAWriter::WriteLayer(Int32 index, const char* name)
{
    LayerData entry;
    entry.index = index;
    CopyUtf8Cut(name, entry.name);
    layers.Append(entry);

    WriteBinUnicode(name);
}

double MAWriter::StoryElevation(Int32 storyPosition) const
{
    if (storyPosition < 0 || static_cast<USize>(storyPosition) >= stories.GetSize())
        return 0.0;
    return stories[static_cast<GS::UIndex>(storyPosition)].elevation;
}

}  // namespace WRL
