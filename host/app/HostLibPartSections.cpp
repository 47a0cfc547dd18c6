#include "HostLibPartSections.hpp"

#include <limits>
#include <utility>

#include "BM.hpp"

namespace ZeltoHost {

namespace {

bool SameSection(const API_LibPartSection& left, const API_LibPartSection& right)
{
    return left.sectType == right.sectType && left.subIdent == right.subIdent;
}

HostLibPartSection MakeSection(const API_LibPartSection& header)
{
    HostLibPartSection section;
    section.header = header;
    return section;
}

// A new handle holding the bytes; null when memory runs out.
GSHandle NewHandleOf(const std::string& bytes)
{
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<Int32>::max()))
        return nullptr;
    GSHandle handle = BMAllocateHandle(static_cast<Int32>(bytes.size()), 0, 0);
    if (handle != nullptr && !bytes.empty())
        std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

}  // namespace

GSErrCode ListSections(const HostSectionList& sections, Int32* count, API_LibPartSection*** list)
{
    if (count == nullptr || list == nullptr)
        return APIERR_BADPARS;
    const Int32 size = static_cast<Int32>(sections.size() * sizeof(API_LibPartSection));
    auto** headers = reinterpret_cast<API_LibPartSection**>(BMAllocateHandle(size, ALLOCATE_CLEAR, 0));
    if (headers == nullptr)
        return APIERR_MEMFULL;
    for (std::size_t i = 0; i < sections.size(); ++i)
        (*headers)[i] = sections[i].header;
    *count = static_cast<Int32>(sections.size());
    *list = headers;
    return NoError;
}

GSErrCode ReadSection(const HostSectionList& sections, API_LibPartSection* section, GSHandle* content,
                      GS::UniString* text)
{
    if (section == nullptr)
        return APIERR_BADPARS;
    for (const HostLibPartSection& stored : sections) {
        if (!SameSection(stored.header, *section))
            continue;
        if (content != nullptr) {
            *content = NewHandleOf(stored.data);
            if (*content == nullptr)
                return APIERR_MEMFULL;
        }
        if (text != nullptr)
            *text = GS::UniString(stored.data.c_str(), CC_UTF8);
        *section = stored.header;
        return NoError;
    }
    return APIERR_NOLIBSECT;
}

HostLibPartBuilder::HostLibPartBuilder()
{
    std::memset(&record, 0, sizeof record);
}

GSErrCode HostLibPartBuilder::Create(const API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    if (building)
        return APIERR_REFUSEDCMD;
    record = *libPart;
    record.location = nullptr;
    recordLocation = libPart->location != nullptr ? *libPart->location : IO::Location();
    sections.clear();
    building = true;
    sectionOpen = false;
    return NoError;
}

GSErrCode HostLibPartBuilder::NewSection(const API_LibPartSection* section)
{
    if (section == nullptr)
        return APIERR_BADPARS;
    if (!building || sectionOpen)
        return APIERR_REFUSEDCMD;
    sections.push_back(MakeSection(*section));
    sectionOpen = true;
    return NoError;
}

GSErrCode HostLibPartBuilder::WriteSection(Int32 byteCount, const char* data)
{
    if (byteCount < 0 || (byteCount > 0 && data == nullptr))
        return APIERR_BADPARS;
    if (!sectionOpen)
        return APIERR_REFUSEDCMD;
    sections.back().data.append(data, static_cast<std::size_t>(byteCount));
    return NoError;
}

GSErrCode HostLibPartBuilder::EndSection()
{
    if (!sectionOpen)
        return APIERR_REFUSEDCMD;
    sectionOpen = false;
    return NoError;
}

GSErrCode HostLibPartBuilder::AddSection(const API_LibPartSection* section, GSConstHandle content,
                                         const GS::UniString* text)
{
    if (section == nullptr || (content == nullptr && text == nullptr))
        return APIERR_BADPARS;
    if (!building || sectionOpen)
        return APIERR_REFUSEDCMD;
    HostLibPartSection added = MakeSection(*section);
    if (content != nullptr && *content != nullptr)
        added.data.assign(*content, static_cast<std::size_t>(BMGetHandleSize(content)));
    else if (content == nullptr)
        added.data = text->ToUtf8();
    sections.push_back(std::move(added));
    return NoError;
}

GSErrCode HostLibPartBuilder::Finish(API_LibPart* description, IO::Location* location, HostSectionList* built)
{
    if (description == nullptr || location == nullptr || built == nullptr)
        return APIERR_BADPARS;
    if (!building || sectionOpen)
        return APIERR_REFUSEDCMD;
    *description = record;
    *location = recordLocation;
    *built = std::move(sections);
    sections.clear();
    building = false;
    return NoError;
}

}  // namespace ZeltoHost
