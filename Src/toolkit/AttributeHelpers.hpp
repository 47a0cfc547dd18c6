// Project attributes by type and index: index conversions, names and the search by name.
#ifndef TOOLKIT_ATTRIBUTEHELPERS_HPP
#define TOOLKIT_ATTRIBUTEHELPERS_HPP

#include "ACAPinc.h"

int GetAttributeIndex(const API_AttributeIndex& index);
API_AttributeIndex CreateAttributeIndex(int index);

// The attribute's 8-bit name (at most 255 bytes), or "" when the host cannot read it. The buffer
// is shared and overwritten by the next call: copy the name at once to keep it.
const char* GetAttributeName(API_AttrTypeID type, const API_AttributeIndex& index);
// The attribute's name, or the empty text when the host cannot read it.
GS::UniString GetAttributeNameUniString(API_AttrTypeID type, const API_AttributeIndex& index);

// The index of the attribute of that type with that name; 0 when the host finds none, and for a
// null name or one that does not fit the host's name field.
int SearchAttributeName(API_AttrTypeID type, const char* name);
int SearchAttributeName(API_AttrTypeID type, const GS::UniString& name);

#endif
