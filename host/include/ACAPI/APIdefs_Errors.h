// Host error codes. They are signed 32-bit values (the host's codes are negative), so that
// they compare equal to the GSErrCode results of host calls.
#ifndef ACAPI_APIDEFS_ERRORS_H
#define ACAPI_APIDEFS_ERRORS_H

#include "Definitions.hpp"

constexpr GSErrCode APIErrorCode(UInt32 code) { return static_cast<GSErrCode>(code); }

constexpr GSErrCode APIERR_GENERAL = APIErrorCode(0x81060001u);
constexpr GSErrCode APIERR_MEMFULL = APIErrorCode(0x81060002u);
constexpr GSErrCode APIERR_CANCEL = APIErrorCode(0x81060003u);
constexpr GSErrCode APIERR_BADID = APIErrorCode(0x81060065u);
constexpr GSErrCode APIERR_BADINDEX = APIErrorCode(0x81060066u);
constexpr GSErrCode APIERR_BADNAME = APIErrorCode(0x81060067u);
constexpr GSErrCode APIERR_BADPARS = APIErrorCode(0x81060068u);
constexpr GSErrCode APIERR_BADPOLY = APIErrorCode(0x81060069u);
constexpr GSErrCode APIERR_BADDATABASE = APIErrorCode(0x8106006Au);
constexpr GSErrCode APIERR_BADWINDOW = APIErrorCode(0x8106006Bu);
constexpr GSErrCode APIERR_BADKEYCODE = APIErrorCode(0x8106006Cu);
constexpr GSErrCode APIERR_BADPLATFORMSIGN = APIErrorCode(0x8106006Du);
constexpr GSErrCode APIERR_BADPLANE = APIErrorCode(0x8106006Eu);
constexpr GSErrCode APIERR_BADUSERID = APIErrorCode(0x8106006Fu);
constexpr GSErrCode APIERR_BADVALUE = APIErrorCode(0x81060070u);
constexpr GSErrCode APIERR_BADELEMENTTYPE = APIErrorCode(0x81060071u);
constexpr GSErrCode APIERR_IRREGULARPOLY = APIErrorCode(0x81060072u);
constexpr GSErrCode APIERR_NO3D = APIErrorCode(0x810600C9u);
constexpr GSErrCode APIERR_NOMORE = APIErrorCode(0x810600CAu);
constexpr GSErrCode APIERR_NOPLAN = APIErrorCode(0x810600CBu);
constexpr GSErrCode APIERR_NOLIB = APIErrorCode(0x810600CCu);
constexpr GSErrCode APIERR_NOLIBSECT = APIErrorCode(0x810600CDu);
constexpr GSErrCode APIERR_NOSEL = APIErrorCode(0x810600CEu);
constexpr GSErrCode APIERR_NOTEDITABLE = APIErrorCode(0x810600CFu);
constexpr GSErrCode APIERR_NOTSUBTYPEOF = APIErrorCode(0x810600D0u);
constexpr GSErrCode APIERR_NOTEQUALMAIN = APIErrorCode(0x810600D1u);
constexpr GSErrCode APIERR_NOTEQUALREVISION = APIErrorCode(0x810600D2u);
constexpr GSErrCode APIERR_NOTEAMWORKPROJECT = APIErrorCode(0x810600D3u);
constexpr GSErrCode APIERR_NOUSERDATA = APIErrorCode(0x810600DCu);
constexpr GSErrCode APIERR_MOREUSER = APIErrorCode(0x810600DDu);
constexpr GSErrCode APIERR_LINKEXIST = APIErrorCode(0x810600DEu);
constexpr GSErrCode APIERR_LINKNOTEXIST = APIErrorCode(0x810600DFu);
constexpr GSErrCode APIERR_WINDEXIST = APIErrorCode(0x810600E0u);
constexpr GSErrCode APIERR_WINDNOTEXIST = APIErrorCode(0x810600E1u);
constexpr GSErrCode APIERR_UNDOEMPTY = APIErrorCode(0x810600E2u);
constexpr GSErrCode APIERR_REFERENCEEXIST = APIErrorCode(0x810600E3u);
constexpr GSErrCode APIERR_NAMEALREADYUSED = APIErrorCode(0x810600E4u);
constexpr GSErrCode APIERR_ATTREXIST = APIErrorCode(0x8106012Du);
constexpr GSErrCode APIERR_DELETED = APIErrorCode(0x8106012Eu);
constexpr GSErrCode APIERR_LOCKEDLAY = APIErrorCode(0x8106012Fu);
constexpr GSErrCode APIERR_HIDDENLAY = APIErrorCode(0x81060130u);
constexpr GSErrCode APIERR_INVALFLOOR = APIErrorCode(0x81060131u);
constexpr GSErrCode APIERR_NOTMINE = APIErrorCode(0x81060132u);
constexpr GSErrCode APIERR_NOACCESSRIGHT = APIErrorCode(0x81060133u);
constexpr GSErrCode APIERR_BADPROPERTY = APIErrorCode(0x81060134u);
constexpr GSErrCode APIERR_BADCLASSIFICATION = APIErrorCode(0x81060135u);
constexpr GSErrCode APIERR_MODULNOTINSTALLED = APIErrorCode(0x81060191u);
constexpr GSErrCode APIERR_MODULCMDMINE = APIErrorCode(0x81060192u);
constexpr GSErrCode APIERR_MODULCMDNOTSUPPORTED = APIErrorCode(0x81060193u);
constexpr GSErrCode APIERR_MODULCMDVERSNOTSUPPORTED = APIErrorCode(0x81060194u);
constexpr GSErrCode APIERR_NOMODULEDATA = APIErrorCode(0x81060195u);
constexpr GSErrCode APIERR_PAROVERLAP = APIErrorCode(0x810601F5u);
constexpr GSErrCode APIERR_PARMISSING = APIErrorCode(0x810601F6u);
constexpr GSErrCode APIERR_PAROVERFLOW = APIErrorCode(0x810601F7u);
constexpr GSErrCode APIERR_PARIMPLICIT = APIErrorCode(0x810601F8u);
constexpr GSErrCode APIERR_RUNOVERLAP = APIErrorCode(0x810601FEu);
constexpr GSErrCode APIERR_RUNMISSING = APIErrorCode(0x810601FFu);
constexpr GSErrCode APIERR_RUNOVERFLOW = APIErrorCode(0x81060200u);
constexpr GSErrCode APIERR_RUNIMPLICIT = APIErrorCode(0x81060201u);
constexpr GSErrCode APIERR_RUNPROTECTED = APIErrorCode(0x81060202u);
constexpr GSErrCode APIERR_EOLOVERLAP = APIErrorCode(0x81060208u);
constexpr GSErrCode APIERR_TABOVERLAP = APIErrorCode(0x81060212u);
constexpr GSErrCode APIERR_NOTINIT = APIErrorCode(0x81060385u);
constexpr GSErrCode APIERR_NESTING = APIErrorCode(0x81060386u);
constexpr GSErrCode APIERR_NOTSUPPORTED = APIErrorCode(0x81060387u);
constexpr GSErrCode APIERR_REFUSEDCMD = APIErrorCode(0x81060388u);
constexpr GSErrCode APIERR_REFUSEDPAR = APIErrorCode(0x81060389u);
constexpr GSErrCode APIERR_READONLY = APIErrorCode(0x8106038Au);
constexpr GSErrCode APIERR_SERVICEFAILED = APIErrorCode(0x8106038Bu);
constexpr GSErrCode APIERR_COMMANDFAILED = APIErrorCode(0x8106038Cu);
constexpr GSErrCode APIERR_NEEDSUNDOSCOPE = APIErrorCode(0x8106038Du);
constexpr GSErrCode APIERR_MISSINGCODE = APIErrorCode(0x810603E9u);
constexpr GSErrCode APIERR_MISSINGDEF = APIErrorCode(0x810603EAu);

// Older hosts (21..23) know these two codes under longer names.
constexpr GSErrCode APIERR_BADPROPERTYFORELEM = APIERR_BADPROPERTY;
constexpr GSErrCode APIERR_BADCLASSIFICATIONFORELEM = APIERR_BADCLASSIFICATION;

#endif
