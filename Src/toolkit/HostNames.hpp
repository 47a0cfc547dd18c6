// Names of host values for messages: error codes, library-part, attribute and element types,
// GUIDs and library-part section codes.
#ifndef TOOLKIT_HOSTNAMES_HPP
#define TOOLKIT_HOSTNAMES_HPP

#include "ACAPinc.h"

const char* ErrID_To_Name(const int& errorCode);
const char* LibID_To_Name(const API_LibTypeID& type);
const char* AttrID_To_Name(const API_AttrTypeID& type);
GS::UniString ElemID_To_Name(const API_ElemType& type);
GS::UniString ElemID_To_LocalizedName(const API_ElemType& type);
char* ApiGuidToChar(const API_Guid& guid);
int Element_To_LibPartIndex(const API_Element* element);
const char* LibPartSectToChar(unsigned int sectionType);

#endif
