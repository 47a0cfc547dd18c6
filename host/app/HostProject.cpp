#include "HostProject.hpp"

#include <cstring>

#include "BM.hpp"
#include "HostRecordTexts.hpp"

namespace ZeltoHost {

namespace {

bool SameText(const GS::UniString& left, const GS::UniString& right)
{
    return left.IsEqual(right, GS::CaseInsensitive);
}

// The text by which a search names what it looks for: the text object when the caller gave one.
GS::UniString SearchedName(const API_Attr_Head& header)
{
    if (header.uniStringNamePtr != nullptr)
        return *header.uniStringNamePtr;
    return ReadBytes(header.name);
}

const IO::Location& PreferredLocation(const HostProjectInfo& info)
{
    return info.teamLocation.IsEmpty() ? info.location : info.teamLocation;
}

}  // namespace

// ---- Building ------------------------------------------------------------------------------------

HostElement& HostProject::AddElement(API_ElemTypeID typeId, const API_Guid& guid)
{
    HostElement element;
    element.record.header.typeID = typeId;
    element.record.header.guid = guid;
    elements.push_back(std::move(element));
    return elements.back();
}

HostAttribute& HostProject::AddAttribute(API_AttrTypeID typeId, API_AttributeIndex index, const GS::UniString& name)
{
    HostAttribute attribute;
    attribute.record.header.typeID = typeId;
    attribute.record.header.index = index;
    attribute.name = name;
    attributes.push_back(std::move(attribute));
    return attributes.back();
}

Int32 HostProject::AddLibPart(HostLibPart part)
{
    libParts.push_back(std::move(part));
    return static_cast<Int32>(libParts.size());
}

HostStory& HostProject::AddStory(Int16 index, double level, const GS::UniString& name)
{
    stories.push_back(HostStory{index, level, name});
    return stories.back();
}

std::size_t HostProject::GuidHash::operator()(const API_Guid& guid) const
{
    std::size_t hash = guid.time_low;
    hash = hash * 31 + guid.time_mid;
    hash = hash * 31 + guid.time_hi_and_version;
    hash = hash * 31 + guid.clock_seq_hi_and_reserved;
    hash = hash * 31 + guid.clock_seq_low;
    for (UInt8 byte : guid.node)
        hash = hash * 31 + byte;
    return hash;
}

void HostProject::RebuildElementIndex() const
{
    elementIndex.clear();
    indexedElements = 0;
    lookupsSinceRebuild = 0;
    IndexAddedElements();
}

void HostProject::IndexAddedElements() const
{
    for (std::size_t position = indexedElements; position < elements.size(); ++position)
        elementIndex.emplace(elements[position].record.header.guid, position);  // the first one stays
    indexedElements = elements.size();
}

const HostElement* HostProject::FindElement(const API_Guid& guid) const
{
    if (guid == APINULLGuid)
        return nullptr;
    if (elements.size() < indexedElements)
        RebuildElementIndex();
    else
        IndexAddedElements();
    ++lookupsSinceRebuild;
    const auto found = elementIndex.find(guid);
    if (found != elementIndex.end() && elements[found->second].record.header.guid == guid)
        return &elements[found->second];
    // A hit on an element that holds another GUID now, or a miss that has been paid for by the
    // lookups since the last index: elements changed in place are taken in.
    if (found == elementIndex.end() && lookupsSinceRebuild < elements.size())
        return nullptr;
    RebuildElementIndex();
    const auto again = elementIndex.find(guid);
    return again != elementIndex.end() ? &elements[again->second] : nullptr;
}

const HostLibPart* HostProject::FindLibPart(Int32 index) const
{
    if (index < 1 || static_cast<std::size_t>(index) > libParts.size())
        return nullptr;
    return &libParts[static_cast<std::size_t>(index) - 1];
}

const HostAttribute* HostProject::FindAttribute(API_AttrTypeID typeId, API_AttributeIndex index) const
{
    for (const HostAttribute& attribute : attributes) {
        if (attribute.record.header.typeID == typeId && attribute.record.header.index == index)
            return &attribute;
    }
    return nullptr;
}

// ---- Windows, folders, project information, offset -----------------------------------------------

GSErrCode HostProject::GetCurrentWindow(API_WindowInfo* window) const
{
    if (window == nullptr)
        return APIERR_BADPARS;
    std::memset(window, 0, sizeof *window);
    window->typeID = currentWindow;
    return NoError;
}

GSErrCode HostProject::ChangeWindow(const API_WindowInfo* window)
{
    if (window == nullptr)
        return APIERR_BADPARS;
    if (window->typeID <= 0)
        return APIERR_BADWINDOW;
    currentWindow = window->typeID;
    return NoError;
}

GSErrCode HostProject::GetSpecialFolder(const API_SpecFolderID* folderId, IO::Location* location) const
{
    if (folderId == nullptr || location == nullptr)
        return APIERR_BADPARS;
    const auto found = specialFolders.find(*folderId);
    if (found == specialFolders.end())
        return APIERR_BADID;
    *location = found->second;
    return NoError;
}

GSErrCode HostProject::GetProjectInfo(API_ProjectInfo* project) const
{
    if (project == nullptr)
        return APIERR_BADPARS;
    const IO::Location& file = PreferredLocation(info);
    project->untitled = file.IsEmpty();
    project->teamwork = !info.teamLocation.IsEmpty();
    project->userId = 0;
    project->location = info.location.IsEmpty() ? nullptr : new IO::Location(info.location);
    project->location_team = info.teamLocation.IsEmpty() ? nullptr : new IO::Location(info.teamLocation);
    project->projectPath = nullptr;
    project->projectName = nullptr;
    if (!file.IsEmpty()) {
        IO::Name name;
        file.GetLastLocalName(&name);
        project->projectPath = new GS::UniString(GS::UniString::FromUtf8(file.ToUtf8Path()));
        project->projectName = new GS::UniString(name.ToString());
    }
    return NoError;
}

GSErrCode HostProject::GetOffset(API_Coord* projectOffset) const
{
    if (projectOffset == nullptr)
        return APIERR_BADPARS;
    *projectOffset = offset;
    return NoError;
}

// ---- Stories ---------------------------------------------------------------------------------------

// The last story number follows from the first and the count, so that the handle always holds
// every story the numbers announce.
GSErrCode HostProject::GetStorySettings(API_StoryInfo* storyInfo) const
{
    if (storyInfo == nullptr)
        return APIERR_BADPARS;
    const Int32 count = static_cast<Int32>(stories.size());
    auto** data = reinterpret_cast<API_StoryType**>(
        BMAllocateHandle(count * static_cast<Int32>(sizeof(API_StoryType)), ALLOCATE_CLEAR, 0));
    if (data == nullptr)
        return APIERR_MEMFULL;
    for (Int32 i = 0; i < count; ++i) {
        const HostStory& story = stories[static_cast<std::size_t>(i)];
        API_StoryType& record = (*data)[i];
        record.index = story.index;
        record.level = story.level;
        WriteUnits(story.name, record.uName);
    }
    storyInfo->firstStory = stories.empty() ? 0 : stories.front().index;
    storyInfo->lastStory = static_cast<short>(storyInfo->firstStory + count - 1);
    storyInfo->actStory = storyInfo->firstStory;
    storyInfo->data = data;
    return NoError;
}

// ---- Attributes -------------------------------------------------------------------------------------

void HostProject::FillAttribute(const HostAttribute& attribute, API_Attribute* record) const
{
    GS::UniString* const textObject = record->header.uniStringNamePtr;
    *record = attribute.record;
    WriteBytes(attribute.name, record->header.name);
    record->header.uniStringNamePtr = textObject;
    if (textObject != nullptr)
        *textObject = attribute.name;
}

GSErrCode HostProject::GetAttribute(API_Attribute* attribute) const
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    const HostAttribute* found = FindAttribute(attribute->header.typeID, attribute->header.index);
    if (found == nullptr)
        return APIERR_BADINDEX;
    FillAttribute(*found, attribute);
    return NoError;
}

// Names are matched exactly: the add-on searches with names it read from the host.
GSErrCode HostProject::SearchAttribute(API_Attr_Head* header) const
{
    if (header == nullptr)
        return APIERR_BADPARS;
    const GS::UniString name = SearchedName(*header);
    if (name.IsEmpty())
        return APIERR_BADNAME;
    for (const HostAttribute& attribute : attributes) {
        if (attribute.record.header.typeID == header->typeID && attribute.name == name) {
            header->index = attribute.record.header.index;
            header->guid = attribute.record.header.guid;
            return NoError;
        }
    }
    return APIERR_BADNAME;
}

GSErrCode HostProject::GetAttributesByType(API_AttrTypeID typeId, GS::Array<API_Attribute>& list) const
{
    list.Clear();
    for (const HostAttribute& attribute : attributes) {
        if (attribute.record.header.typeID != typeId)
            continue;
        API_Attribute record;
        std::memset(&record, 0, sizeof record);
        FillAttribute(attribute, &record);
        list.Push(record);
    }
    return NoError;
}

// ---- Library parts ----------------------------------------------------------------------------------

GSErrCode HostProject::GetLibPartCount(Int32* count) const
{
    if (count == nullptr)
        return APIERR_BADPARS;
    *count = static_cast<Int32>(libParts.size());
    return NoError;
}

// The search names a part by its unique id, else its document name, else its file name, letter
// case disregarded; a type set in the criteria must match too. The first part in index order wins.
Int32 HostProject::FindLibPartIndex(const API_LibPart& criteria) const
{
    const GS::UniString ownUnID = ReadBytes(criteria.ownUnID);
    const GS::UniString documentName = ReadUnits(criteria.docu_UName);
    const GS::UniString fileName = ReadUnits(criteria.file_UName);
    for (std::size_t i = 0; i < libParts.size(); ++i) {
        const HostLibPart& part = libParts[i];
        if (criteria.typeID != 0 && part.typeID != criteria.typeID)
            continue;
        bool matches = false;
        if (!ownUnID.IsEmpty())
            matches = SameText(GS::UniString::FromUtf8(part.ownUnID), ownUnID);
        else if (!documentName.IsEmpty())
            matches = SameText(part.documentName, documentName);
        else if (!fileName.IsEmpty())
            matches = SameText(part.fileName, fileName);
        if (matches)
            return static_cast<Int32>(i + 1);
    }
    return 0;
}

void HostProject::FillLibPart(Int32 index, API_LibPart* libPart) const
{
    const HostLibPart& part = *FindLibPart(index);
    libPart->typeID = part.typeID;
    libPart->index = index;
    WriteUnits(part.documentName, libPart->docu_UName);
    WriteUnits(part.fileName, libPart->file_UName);
    WriteBytes(GS::UniString::FromUtf8(part.ownUnID), libPart->ownUnID);
    WriteBytes(GS::UniString::FromUtf8(part.parentUnID), libPart->parentUnID);
    libPart->isTemplate = part.isTemplate;
    libPart->isPlaceable = part.isPlaceable;
    libPart->missingDef = false;
    if (libPart->location != nullptr)
        *libPart->location = part.location;
    else
        libPart->location = new IO::Location(part.location);
}

GSErrCode HostProject::SearchLibPart(API_LibPart* libPart) const
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    const Int32 index = FindLibPartIndex(*libPart);
    if (index == 0)
        return APIERR_BADNAME;
    FillLibPart(index, libPart);
    return NoError;
}

GSErrCode HostProject::GetLibPart(API_LibPart* libPart) const
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    if (FindLibPart(libPart->index) == nullptr)
        return APIERR_BADINDEX;
    FillLibPart(libPart->index, libPart);
    return NoError;
}

GSErrCode HostProject::GetLibPartParams(Int32 libIndex, double* a, double* b, Int32* count,
                                        API_AddParType*** params) const
{
    const HostLibPart* part = FindLibPart(libIndex);
    if (part == nullptr)
        return APIERR_BADINDEX;
    if (a == nullptr || b == nullptr || count == nullptr || params == nullptr)
        return APIERR_BADPARS;
    API_AddParType** handle = NewParameterHandle(part->parameters);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    *a = part->a;
    *b = part->b;
    *count = static_cast<Int32>(part->parameters.size());
    *params = handle;
    return NoError;
}

GSErrCode HostProject::GetLibPartSectionList(Int32 libIndex, Int32* count, API_LibPartSection*** sections) const
{
    const HostLibPart* part = FindLibPart(libIndex);
    if (part == nullptr)
        return APIERR_BADINDEX;
    return ListSections(part->sections, count, sections);
}

GSErrCode HostProject::GetLibPartSection(Int32 libIndex, API_LibPartSection* section, GSHandle* content,
                                         GS::UniString* text) const
{
    const HostLibPart* part = FindLibPart(libIndex);
    if (part == nullptr)
        return APIERR_BADINDEX;
    return ReadSection(part->sections, section, content, text);
}

GSErrCode HostProject::GetLibPartDetails(Int32 libIndex, API_LibPartDetails* details) const
{
    const HostLibPart* part = FindLibPart(libIndex);
    if (part == nullptr)
        return APIERR_BADINDEX;
    if (details == nullptr)
        return APIERR_BADPARS;
    *details = part->details;
    return NoError;
}

GSErrCode HostProject::SaveLibPart(API_LibPart* libPart)
{
    if (libPart == nullptr)
        return APIERR_BADPARS;
    API_LibPart record;
    HostLibPart part;
    const GSErrCode finished = libPartBuilder.Finish(&record, &part.location, &part.sections);
    if (finished != NoError)
        return finished;
    part.typeID = record.typeID;
    part.documentName = ReadUnits(record.docu_UName);
    part.fileName = ReadUnits(record.file_UName);
    part.ownUnID = ReadBytes(record.ownUnID).ToUtf8();
    part.parentUnID = ReadBytes(record.parentUnID).ToUtf8();
    part.isTemplate = record.isTemplate;
    part.isPlaceable = record.isPlaceable;
    libPart->index = AddLibPart(std::move(part));
    return NoError;
}

// ---- Elements -----------------------------------------------------------------------------------------

GSErrCode HostProject::GetElement(API_Element* element) const
{
    if (element == nullptr)
        return APIERR_BADPARS;
    const HostElement* found = FindElement(element->header.guid);
    if (found == nullptr)
        return APIERR_BADID;
    *element = found->record;
    return NoError;
}

GSErrCode HostProject::GetElementHeader(API_Elem_Head* header) const
{
    if (header == nullptr)
        return APIERR_BADPARS;
    const HostElement* found = FindElement(header->guid);
    if (found == nullptr)
        return APIERR_BADID;
    *header = found->record.header;
    return NoError;
}

GSErrCode HostProject::GetElementMemo(const API_Guid& guid, API_ElementMemo* memo) const
{
    if (memo == nullptr)
        return APIERR_BADPARS;
    const HostElement* found = FindElement(guid);
    if (found == nullptr)
        return APIERR_BADID;
    API_AddParType** handle = NewParameterHandle(found->parameters);
    if (handle == nullptr)
        return APIERR_MEMFULL;
    memo->params = handle;
    return NoError;
}

GSErrCode HostProject::GetElementList(const API_ElemType& type, GS::Array<API_Guid>* guids) const
{
    if (guids == nullptr)
        return APIERR_BADPARS;
    guids->Clear();
    for (const HostElement& element : elements) {
        if (element.record.header.typeID == type.typeID)
            guids->Push(element.record.header.guid);
    }
    return NoError;
}

GSErrCode HostProject::GetElementTypeName(const API_ElemType& type, GS::UniString& name) const
{
    const auto found = elementTypeNames.find(type.typeID);
    if (found == elementTypeNames.end())
        return APIERR_BADELEMENTTYPE;
    name = found->second;
    return NoError;
}

// ---- Installation -------------------------------------------------------------------------------------

namespace {

void InstallLibPartSections(HostProject& project)
{
    HostImplementations& impl = HostApi::Instance().impl;
    HostLibPartBuilder& builder = project.libPartBuilder;
    impl.ACAPI_LibraryPart_Create = [&builder](const API_LibPart* libPart) { return builder.Create(libPart); };
    impl.ACAPI_LibraryPart_NewSection = [&builder](const API_LibPartSection* section) {
        return builder.NewSection(section);
    };
    impl.ACAPI_LibraryPart_WriteSection = [&builder](Int32 byteCount, char* data) {
        return builder.WriteSection(byteCount, data);
    };
    impl.ACAPI_LibraryPart_EndSection = [&builder]() { return builder.EndSection(); };
    impl.ACAPI_LibraryPart_AddSection = [&builder](const API_LibPartSection* section, GSHandle content,
                                                   GS::UniString* text) {
        return builder.AddSection(section, content, text);
    };
    impl.ACAPI_LibraryPart_Save = [&project](API_LibPart* libPart) { return project.SaveLibPart(libPart); };
    impl.ACAPI_LibraryPart_GetSectionList = [&project](Int32 libIndex, Int32* count, API_LibPartSection*** list) {
        return project.GetLibPartSectionList(libIndex, count, list);
    };
    impl.ACAPI_LibraryPart_GetSection = [&project](Int32 libIndex, API_LibPartSection* section, GSHandle* content,
                                                   GS::UniString* text, GS::UniString* /*password*/) {
        return project.GetLibPartSection(libIndex, section, content, text);
    };
    impl.ACAPI_LibraryPart_GetDetails = [&project](Int32 libIndex, API_LibPartDetails* details) {
        return project.GetLibPartDetails(libIndex, details);
    };
}

}  // namespace

void InstallProject(HostProject& project)
{
    HostImplementations& impl = HostApi::Instance().impl;
    impl.ACAPI_Window_GetCurrentWindow = [&project](API_WindowInfo* window) {
        return project.GetCurrentWindow(window);
    };
    impl.ACAPI_Window_ChangeWindow = [&project](API_WindowInfo* window) { return project.ChangeWindow(window); };
    impl.ACAPI_ProjectSettings_GetSpecFolder = [&project](API_SpecFolderID* folderId, IO::Location* location) {
        return project.GetSpecialFolder(folderId, location);
    };
    impl.ACAPI_ProjectOperation_Project = [&project](API_ProjectInfo* info) { return project.GetProjectInfo(info); };
    impl.ACAPI_ProjectSetting_GetOffset = [&project](API_Coord* offset) { return project.GetOffset(offset); };
    impl.ACAPI_ProjectSetting_GetStorySettings = [&project](API_StoryInfo* stories, UInt32 /*mask*/) {
        return project.GetStorySettings(stories);
    };
    impl.ACAPI_Attribute_Get = [&project](API_Attribute* attribute) { return project.GetAttribute(attribute); };
    impl.ACAPI_Attribute_Search = [&project](API_Attr_Head* header) { return project.SearchAttribute(header); };
    impl.ACAPI_Attribute_GetAttributesByType = [&project](API_AttrTypeID type, GS::Array<API_Attribute>& list) {
        return project.GetAttributesByType(type, list);
    };
    impl.ACAPI_LibraryPart_GetNum = [&project](Int32* count) { return project.GetLibPartCount(count); };
    impl.ACAPI_LibraryPart_Search = [&project](API_LibPart* libPart, bool /*warnings*/, bool /*placeable*/) {
        return project.SearchLibPart(libPart);
    };
    impl.ACAPI_LibraryPart_Get = [&project](API_LibPart* libPart) { return project.GetLibPart(libPart); };
    impl.ACAPI_LibraryPart_GetParams = [&project](Int32 libIndex, double* a, double* b, Int32* count,
                                                  API_AddParType*** params) {
        return project.GetLibPartParams(libIndex, a, b, count, params);
    };
    impl.ACAPI_DisposeAddParHdl = [](API_AddParType*** params) { return DisposeParameterHandle(params); };
    InstallLibPartSections(project);
    impl.ACAPI_Element_Get = [&project](API_Element* element, UInt64 /*mask*/) {
        return project.GetElement(element);
    };
    impl.ACAPI_Element_GetHeader = [&project](API_Elem_Head* header, UInt64 /*mask*/) {
        return project.GetElementHeader(header);
    };
    impl.ACAPI_Element_GetMemo = [&project](const API_Guid& guid, API_ElementMemo* memo, UInt64 /*mask*/) {
        return project.GetElementMemo(guid, memo);
    };
    impl.ACAPI_DisposeElemMemoHdls = [](API_ElementMemo* memo) { return DisposeMemoHandles(memo); };
    impl.ACAPI_Element_GetElemList = [&project](const API_ElemType& type, GS::Array<API_Guid>* guids,
                                                API_ElemFilterFlags /*filter*/, const API_Guid& /*renovation*/) {
        return project.GetElementList(type, guids);
    };
    impl.ACAPI_Element_GetElemTypeName = [&project](const API_ElemType& type, GS::UniString& name) {
        return project.GetElementTypeName(type, name);
    };
}

}  // namespace ZeltoHost
