// The host's project as the add-on reads it: windows, special folders, project information, the
// project offset, stories, attributes, library parts and elements. The scene loader (or a test)
// fills the public data; InstallProject makes the host API serve it.
//
// Ownership of what the host hands out, as the real host does it:
// - parameter handles (ACAPI_LibraryPart_GetParams, the memo's params): the caller frees them with
//   ACAPI_DisposeAddParHdl or ACAPI_DisposeElemMemoHdls;
// - the story handle of ACAPI_ProjectSetting_GetStorySettings: the caller frees it with BMKillHandle;
// - the four pointers of API_ProjectInfo: new objects that the caller deletes;
// - API_LibPart::location: filled in place when the caller set it, otherwise a new IO::Location
//   that the caller deletes;
// - the section list and section contents of a library part: see HostLibPartSections.hpp.
#ifndef HOSTAPP_HOSTPROJECT_HPP
#define HOSTAPP_HOSTPROJECT_HPP

#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "HostApi.hpp"
#include "HostLibPartSections.hpp"
#include "HostParameters.hpp"
#include "Location.hpp"

namespace ZeltoHost {

struct HostLibPart {
    API_LibTypeID typeID = 4;  // object
    GS::UniString documentName;
    GS::UniString fileName;
    IO::Location location;
    std::string ownUnID;
    std::string parentUnID;
    bool isTemplate = false;
    bool isPlaceable = true;
    double a = 1.0;  // default sizes
    double b = 1.0;
    HostParameterList parameters;  // default parameters
    HostSectionList sections;
    API_LibPartDetails details{};
};

struct HostElement {
    HostElement() { std::memset(&record, 0, sizeof record); }

    API_Element record;            // the element as ACAPI_Element_Get gives it; header.guid identifies it
    HostParameterList parameters;  // its own parameters, handed out with its memo
};

struct HostAttribute {
    HostAttribute() { std::memset(&record, 0, sizeof record); }

    API_Attribute record;  // header.typeID and header.index identify it; the header's name is made from name
    GS::UniString name;
};

struct HostStory {
    Int16 index = 0;
    double level = 0.0;  // metres
    GS::UniString name;
};

struct HostProjectInfo {
    IO::Location location;      // the project file; empty while the project is untitled
    IO::Location teamLocation;  // the shared project of a teamwork project; empty otherwise
};

class HostProject {
public:
    // Special folders the add-on asks for.
    static constexpr API_SpecFolderID DirectExportFolder = 6;
    static constexpr API_SpecFolderID UpdateCheckFolder = 7;

    API_WindowTypeID currentWindow = APIWind_FloorPlanID;
    std::map<API_SpecFolderID, IO::Location> specialFolders;
    HostProjectInfo info;
    API_Coord offset{0.0, 0.0};
    std::vector<HostStory> stories;        // lowest first, with consecutive indices
    std::vector<HostAttribute> attributes;  // in the host's order (layers are type 1)
    std::vector<HostLibPart> libParts;      // the library-part index is the position + 1
    std::vector<HostElement> elements;      // in the project's order
    std::map<API_ElemTypeID, GS::UniString> elementTypeNames;
    HostLibPartBuilder libPartBuilder;  // the library part the add-on is creating

    // Building the project. The new records are zero but for what the arguments set; the reference
    // returned stays valid until the next record of its kind is added.
    HostElement& AddElement(API_ElemTypeID typeId, const API_Guid& guid);
    HostAttribute& AddAttribute(API_AttrTypeID typeId, API_AttributeIndex index, const GS::UniString& name);
    Int32 AddLibPart(HostLibPart part);  // its library-part index
    HostStory& AddStory(Int16 index, double level, const GS::UniString& name);

    // The first element with the GUID; null for the null GUID. O(1) on the average: an index by GUID
    // that takes in added elements as it finds them, is checked at every hit and made anew when
    // elements were removed or a hit finds another GUID. A GUID changed in place without a lookup
    // of the old one is found once a miss comes after as many lookups as there are elements (a
    // miss never costs more than its share of one new index).
    const HostElement* FindElement(const API_Guid& guid) const;
    const HostLibPart* FindLibPart(Int32 index) const;
    const HostAttribute* FindAttribute(API_AttrTypeID typeId, API_AttributeIndex index) const;

    // The host operations, each as the host API function of the same purpose answers.
    GSErrCode GetCurrentWindow(API_WindowInfo* window) const;
    GSErrCode ChangeWindow(const API_WindowInfo* window);
    GSErrCode GetSpecialFolder(const API_SpecFolderID* folderId, IO::Location* location) const;
    GSErrCode GetProjectInfo(API_ProjectInfo* project) const;
    GSErrCode GetOffset(API_Coord* projectOffset) const;
    GSErrCode GetStorySettings(API_StoryInfo* storyInfo) const;
    GSErrCode GetAttribute(API_Attribute* attribute) const;
    GSErrCode SearchAttribute(API_Attr_Head* header) const;
    GSErrCode GetAttributesByType(API_AttrTypeID typeId, GS::Array<API_Attribute>& list) const;
    GSErrCode GetLibPartCount(Int32* count) const;
    GSErrCode SearchLibPart(API_LibPart* libPart) const;
    GSErrCode GetLibPart(API_LibPart* libPart) const;
    GSErrCode GetLibPartParams(Int32 libIndex, double* a, double* b, Int32* count, API_AddParType*** params) const;
    GSErrCode GetLibPartSectionList(Int32 libIndex, Int32* count, API_LibPartSection*** sections) const;
    GSErrCode GetLibPartSection(Int32 libIndex, API_LibPartSection* section, GSHandle* content,
                                GS::UniString* text) const;
    GSErrCode GetLibPartDetails(Int32 libIndex, API_LibPartDetails* details) const;
    // Adds the library part that the builder holds; its new index goes into libPart->index.
    GSErrCode SaveLibPart(API_LibPart* libPart);
    GSErrCode GetElement(API_Element* element) const;
    GSErrCode GetElementHeader(API_Elem_Head* header) const;
    GSErrCode GetElementMemo(const API_Guid& guid, API_ElementMemo* memo) const;
    GSErrCode GetElementList(const API_ElemType& type, GS::Array<API_Guid>* guids) const;
    GSErrCode GetElementTypeName(const API_ElemType& type, GS::UniString& name) const;

private:
    struct GuidHash {
        std::size_t operator()(const API_Guid& guid) const;
    };
    void RebuildElementIndex() const;
    void IndexAddedElements() const;
    mutable std::unordered_map<API_Guid, std::size_t, GuidHash> elementIndex;
    mutable std::size_t indexedElements = 0;
    mutable std::size_t lookupsSinceRebuild = 0;

    Int32 FindLibPartIndex(const API_LibPart& criteria) const;  // 0 when none matches
    void FillLibPart(Int32 index, API_LibPart* libPart) const;
    void FillAttribute(const HostAttribute& attribute, API_Attribute* record) const;
};

// Serves the project's host functions (and the disposal of the handles it hands out) from it.
void InstallProject(HostProject& project);

}  // namespace ZeltoHost

#endif
