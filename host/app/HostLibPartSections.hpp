// Library-part sections as the host keeps them, and the library part an add-on is building.
//
// ACAPI_LibraryPart_Create starts a new library part. NewSection, any number of WriteSection calls
// and EndSection stream one section into it; AddSection adds a whole one; ACAPI_LibraryPart_Save
// makes it one of the project's library parts. A call out of that order is refused with
// APIERR_REFUSEDCMD and changes nothing.
//
// What the host hands out is the caller's to free with BMKillHandle: the handle of section headers
// of ACAPI_LibraryPart_GetSectionList and the content handle of ACAPI_LibraryPart_GetSection.
#ifndef HOSTAPP_HOSTLIBPARTSECTIONS_HPP
#define HOSTAPP_HOSTLIBPARTSECTIONS_HPP

#include <cstring>
#include <string>
#include <vector>

#include "HostApi.hpp"
#include "Location.hpp"

namespace ZeltoHost {

struct HostLibPartSection {
    HostLibPartSection() { std::memset(&header, 0, sizeof header); }

    API_LibPartSection header;  // type, sub-identifier, version, name
    std::string data;           // the section's bytes as written
};

using HostSectionList = std::vector<HostLibPartSection>;

// A new handle of every section's header, in the part's order.
GSErrCode ListSections(const HostSectionList& sections, Int32* count, API_LibPartSection*** list);
// The first section with the type and sub-identifier that *section names: its header goes into
// *section, its bytes into a new handle (when content is not null) and, read as UTF-8 up to the
// first NUL, into text (when not null). APIERR_NOLIBSECT when the part has no such section.
GSErrCode ReadSection(const HostSectionList& sections, API_LibPartSection* section, GSHandle* content,
                      GS::UniString* text);

class HostLibPartBuilder {
public:
    HostLibPartBuilder();

    GSErrCode Create(const API_LibPart* libPart);
    GSErrCode NewSection(const API_LibPartSection* section);
    GSErrCode WriteSection(Int32 byteCount, const char* data);
    GSErrCode EndSection();
    // The section's bytes are the handle's, or without a handle the text's UTF-8.
    GSErrCode AddSection(const API_LibPartSection* section, GSConstHandle content, const GS::UniString* text);

    // Ends the building and hands over what Create was given (its location pointer null) and the
    // sections. APIERR_REFUSEDCMD while nothing is built or a section is still open.
    GSErrCode Finish(API_LibPart* description, IO::Location* location, HostSectionList* built);

    bool IsBuilding() const { return building; }
    const HostSectionList& Sections() const { return sections; }

private:
    bool building = false;
    bool sectionOpen = false;
    API_LibPart record;
    IO::Location recordLocation;
    HostSectionList sections;
};

}  // namespace ZeltoHost

#endif
