#include "HostNames.hpp"

#include <cstddef>
#include <cstring>

#include "Guid.hpp"
#include "IOErrors.hpp"

// The tables follow the host version the module is built for: older hosts know fewer library-part
// and more attribute types, two error codes under longer names, and a shorter fallback text.
namespace {

#if ZELTO_ACAPI_VERSION <= 25
constexpr const char* UnknownErrorName = "???";
constexpr const char* UnknownLibPartTypeName = "???";
constexpr const char* UnknownAttributeTypeName = "???";
#else
constexpr const char* UnknownErrorName = "Unknown Error";
constexpr const char* UnknownLibPartTypeName = "Unknown library part type";
constexpr const char* UnknownAttributeTypeName = "Unknown attribute type";
#endif

struct ErrorName {
    GSErrCode code;
    const char* name;
};

#define ZELTO_ERROR_NAME(code) {code, #code}
const ErrorName errorNames[] = {
    {NoError, "NO_ERROR"},
    ZELTO_ERROR_NAME(APIERR_GENERAL),
    ZELTO_ERROR_NAME(APIERR_MEMFULL),
    ZELTO_ERROR_NAME(APIERR_CANCEL),
    ZELTO_ERROR_NAME(APIERR_BADID),
    ZELTO_ERROR_NAME(APIERR_BADINDEX),
    ZELTO_ERROR_NAME(APIERR_BADNAME),
    ZELTO_ERROR_NAME(APIERR_BADPARS),
    ZELTO_ERROR_NAME(APIERR_BADPOLY),
    ZELTO_ERROR_NAME(APIERR_BADDATABASE),
    ZELTO_ERROR_NAME(APIERR_BADWINDOW),
    ZELTO_ERROR_NAME(APIERR_BADKEYCODE),
    ZELTO_ERROR_NAME(APIERR_BADPLATFORMSIGN),
    ZELTO_ERROR_NAME(APIERR_BADPLANE),
    ZELTO_ERROR_NAME(APIERR_BADUSERID),
    ZELTO_ERROR_NAME(APIERR_BADVALUE),
    ZELTO_ERROR_NAME(APIERR_BADELEMENTTYPE),
    ZELTO_ERROR_NAME(APIERR_IRREGULARPOLY),
    ZELTO_ERROR_NAME(APIERR_NO3D),
    ZELTO_ERROR_NAME(APIERR_NOMORE),
    ZELTO_ERROR_NAME(APIERR_NOPLAN),
    ZELTO_ERROR_NAME(APIERR_NOLIB),
    ZELTO_ERROR_NAME(APIERR_NOLIBSECT),
    ZELTO_ERROR_NAME(APIERR_NOSEL),
    ZELTO_ERROR_NAME(APIERR_NOTEDITABLE),
    ZELTO_ERROR_NAME(APIERR_NOTSUBTYPEOF),
    ZELTO_ERROR_NAME(APIERR_NOTEQUALMAIN),
    ZELTO_ERROR_NAME(APIERR_NOTEQUALREVISION),
    ZELTO_ERROR_NAME(APIERR_NOTEAMWORKPROJECT),
    ZELTO_ERROR_NAME(APIERR_NOUSERDATA),
    ZELTO_ERROR_NAME(APIERR_MOREUSER),
    ZELTO_ERROR_NAME(APIERR_LINKEXIST),
    ZELTO_ERROR_NAME(APIERR_LINKNOTEXIST),
    ZELTO_ERROR_NAME(APIERR_WINDEXIST),
    ZELTO_ERROR_NAME(APIERR_WINDNOTEXIST),
    ZELTO_ERROR_NAME(APIERR_UNDOEMPTY),
    ZELTO_ERROR_NAME(APIERR_REFERENCEEXIST),
    ZELTO_ERROR_NAME(APIERR_NAMEALREADYUSED),
    ZELTO_ERROR_NAME(APIERR_ATTREXIST),
    ZELTO_ERROR_NAME(APIERR_DELETED),
    ZELTO_ERROR_NAME(APIERR_LOCKEDLAY),
    ZELTO_ERROR_NAME(APIERR_HIDDENLAY),
    ZELTO_ERROR_NAME(APIERR_INVALFLOOR),
    ZELTO_ERROR_NAME(APIERR_NOTMINE),
    ZELTO_ERROR_NAME(APIERR_NOACCESSRIGHT),
#if ZELTO_ACAPI_VERSION <= 23
    ZELTO_ERROR_NAME(APIERR_BADPROPERTYFORELEM),
    ZELTO_ERROR_NAME(APIERR_BADCLASSIFICATIONFORELEM),
#else
    ZELTO_ERROR_NAME(APIERR_BADPROPERTY),
    ZELTO_ERROR_NAME(APIERR_BADCLASSIFICATION),
#endif
    ZELTO_ERROR_NAME(APIERR_MODULNOTINSTALLED),
    ZELTO_ERROR_NAME(APIERR_MODULCMDMINE),
    ZELTO_ERROR_NAME(APIERR_MODULCMDNOTSUPPORTED),
    ZELTO_ERROR_NAME(APIERR_MODULCMDVERSNOTSUPPORTED),
    ZELTO_ERROR_NAME(APIERR_NOMODULEDATA),
    ZELTO_ERROR_NAME(APIERR_PAROVERLAP),
    ZELTO_ERROR_NAME(APIERR_PARMISSING),
    ZELTO_ERROR_NAME(APIERR_PAROVERFLOW),
    ZELTO_ERROR_NAME(APIERR_PARIMPLICIT),
    ZELTO_ERROR_NAME(APIERR_RUNOVERLAP),
    ZELTO_ERROR_NAME(APIERR_RUNMISSING),
    ZELTO_ERROR_NAME(APIERR_RUNOVERFLOW),
    ZELTO_ERROR_NAME(APIERR_RUNIMPLICIT),
    ZELTO_ERROR_NAME(APIERR_RUNPROTECTED),
    ZELTO_ERROR_NAME(APIERR_EOLOVERLAP),
    ZELTO_ERROR_NAME(APIERR_TABOVERLAP),
    ZELTO_ERROR_NAME(APIERR_NOTINIT),
    ZELTO_ERROR_NAME(APIERR_NESTING),
    ZELTO_ERROR_NAME(APIERR_NOTSUPPORTED),
    ZELTO_ERROR_NAME(APIERR_REFUSEDCMD),
    ZELTO_ERROR_NAME(APIERR_REFUSEDPAR),
    ZELTO_ERROR_NAME(APIERR_READONLY),
    ZELTO_ERROR_NAME(APIERR_SERVICEFAILED),
    ZELTO_ERROR_NAME(APIERR_COMMANDFAILED),
    ZELTO_ERROR_NAME(APIERR_NEEDSUNDOSCOPE),
    ZELTO_ERROR_NAME(APIERR_MISSINGCODE),
    ZELTO_ERROR_NAME(APIERR_MISSINGDEF),
    // The file layer's codes, which the file helpers and the export file pass on: a message names
    // why a file could not be written rather than showing a number.
    ZELTO_ERROR_NAME(IO::NotFoundErr),
    ZELTO_ERROR_NAME(IO::AlreadyExistsErr),
    ZELTO_ERROR_NAME(IO::AccessDeniedErr),
    ZELTO_ERROR_NAME(IO::WrongTypeErr),
    ZELTO_ERROR_NAME(IO::NotEmptyErr),
    ZELTO_ERROR_NAME(IO::BadLocationErr),
    ZELTO_ERROR_NAME(IO::BadNameErr),
    ZELTO_ERROR_NAME(IO::NotOpenErr),
    ZELTO_ERROR_NAME(IO::AlreadyOpenErr),
    ZELTO_ERROR_NAME(IO::WrongOpenModeErr),
    ZELTO_ERROR_NAME(IO::EndOfFileErr),
    ZELTO_ERROR_NAME(IO::DiskFullErr),
    ZELTO_ERROR_NAME(IO::TooLongErr),
    ZELTO_ERROR_NAME(IO::BadParameterErr),
    ZELTO_ERROR_NAME(IO::GeneralIOErr),
};
#undef ZELTO_ERROR_NAME

// Indexed by the library-part type.
const char* const libPartTypeNames[] = {
    "Zombie", "Spec", "Window", "Door", "Object", "Lamp", "Room", "Property",
    "PlanSign", "Label", "Macro", "Pict", "List Scheme", "Skylight",
#if ZELTO_ACAPI_VERSION >= 26
    "Opening",
#endif
};

// Indexed by the attribute type.
const char* const attributeTypeNames[] = {
    "Zombie", "Pen", "Layer", "Linetype", "Filltype", "Composite Wall", "Surface",
#if ZELTO_ACAPI_VERSION <= 25
    "City",
#endif
    "Layer Combination", "Zone Category", "Font", "Profile", "Pen table", "Dimension style",
#if ZELTO_ACAPI_VERSION <= 26
    "Model View options", "MEP System", "Operation Profile", "Building Material",
#endif
#if ZELTO_ACAPI_VERSION <= 23
    "Mark-Up Style",
#endif
};

// The library-part section types that have a name; the code spells the four letters, the first
// one in the most significant byte.
const char* const sectionTypeNames[] = {
    "HEAD", "PARD", "COMD", "DESD", "1DSC", "2DDR", "2DSC", "3DSC", "PRSC", "UISC", "VLSC", "3DBN", "PROP",
    "CTXT", "PICT", "GIFF", "GDLP", "TYPE", "MCRS", "ANCS", "FMSC", "BMSC", "MGRT", "LURL", "CPYR",
};

constexpr unsigned int FourCharCode(const char* letters)
{
    return (static_cast<unsigned int>(static_cast<unsigned char>(letters[0])) << 24) |
           (static_cast<unsigned int>(static_cast<unsigned char>(letters[1])) << 16) |
           (static_cast<unsigned int>(static_cast<unsigned char>(letters[2])) << 8) |
           static_cast<unsigned int>(static_cast<unsigned char>(letters[3]));
}

// The value is read as unsigned, so a negative one falls outside every table.
template <std::size_t Count>
const char* NameAt(const char* const (&names)[Count], Int32 value, const char* fallback)
{
    const UInt32 index = static_cast<UInt32>(value);
    return index < Count ? names[index] : fallback;
}

GSErrCode GetElemTypeName(const API_ElemType& type, GS::UniString& name)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetElemTypeName(type, name);
#else
    return ACAPI_Element(APISEL(Element_GetElemTypeName), &type, &name);
#endif
}

GS::Guid ToGSGuid(const API_Guid& guid)
{
    const UInt8 rest[8] = {guid.clock_seq_hi_and_reserved, guid.clock_seq_low, guid.node[0], guid.node[1],
                           guid.node[2],                   guid.node[3],       guid.node[4], guid.node[5]};
    return GS::Guid(guid.time_low, guid.time_mid, guid.time_hi_and_version, rest);
}

// Element types whose records carry a library-part index.
constexpr API_ElemTypeID WindowTypeID = 4;
constexpr API_ElemTypeID DoorTypeID = 5;
constexpr API_ElemTypeID ObjectTypeID = 6;
constexpr API_ElemTypeID LampTypeID = 7;
constexpr API_ElemTypeID LibPartElemTypeID = 17;

}  // namespace

const char* ErrID_To_Name(const int& errorCode)
{
    for (const ErrorName& entry : errorNames) {
        if (entry.code == errorCode)
            return entry.name;
    }
    return UnknownErrorName;
}

const char* LibID_To_Name(const API_LibTypeID& type)
{
    return NameAt(libPartTypeNames, type, UnknownLibPartTypeName);
}

const char* AttrID_To_Name(const API_AttrTypeID& type)
{
    return NameAt(attributeTypeNames, type, UnknownAttributeTypeName);
}

// A failed call leaves whatever the host wrote so far.
GS::UniString ElemID_To_Name(const API_ElemType& type)
{
    GS::UniString name;
    GetElemTypeName(type, name);
    return name;
}

GS::UniString ElemID_To_LocalizedName(const API_ElemType& type)
{
    GS::UniString name;
    if (GetElemTypeName(type, name) != NoError)
        return GS::UniString("???");
    return name;
}

// One buffer for every call: the caller uses or copies the text before the next call.
char* ApiGuidToChar(const API_Guid& guid)
{
    static char text[256];
    const GS::UniString::CStr guidText = ToGSGuid(guid).ToUniString().ToCStr(CC_Default);
    std::strncpy(text, guidText.Get(), sizeof text - 1);
    text[sizeof text - 1] = '\0';
    return text;
}

int Element_To_LibPartIndex(const API_Element* element)
{
    if (element == nullptr)
        return 0;
    switch (element->header.typeID) {
        case WindowTypeID: return element->window.libInd;
        case DoorTypeID: return element->door.libInd;
        case ObjectTypeID: return element->object.libInd;
        case LampTypeID: return element->lamp.libInd;
        case LibPartElemTypeID: return element->libPartElem.libInd;
        default: return 0;
    }
}

const char* LibPartSectToChar(unsigned int sectionType)
{
    for (const char* name : sectionTypeNames) {
        if (FourCharCode(name) == sectionType)
            return name;
    }
    return "????";
}
