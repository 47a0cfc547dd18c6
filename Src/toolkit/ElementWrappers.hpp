// Host-API wrappers of element lookups. Each calls one host function with its arguments unchanged
// and returns the host's result unchanged.
#ifndef TOOLKIT_ELEMENTWRAPPERS_HPP
#define TOOLKIT_ELEMENTWRAPPERS_HPP

#include "ACAPinc.h"

namespace Element {

GSErrCode Get(API_Element* element, UInt64 mask);
GSErrCode GetHeader(API_Elem_Head* header, UInt64 mask);
GSErrCode NeigIDToElemType(API_NeigID neigId, API_ElemType& type);
GSErrCode SearchElementByCoord(const API_ElemSearchPars* search, API_Guid* found);

}  // namespace Element

#endif
