// The element list of the camera passes, which the toolkit does not wrap, in the form the module's
// host version offers it: the named function from host API 27 on, the dispatch function before. It
// makes exactly one host call and returns the host's result unchanged.
#ifndef EXPORTER_CAMERAHOSTCALLS_HPP
#define EXPORTER_CAMERAHOSTCALLS_HPP

#include "ACAPinc.h"

namespace EngineHost {

// The GUIDs of every element of the type, in the project's order (no filter, no renovation filter).
GSErrCode GetElementList(API_ElemTypeID typeId, GS::Array<API_Guid>* guids);

}  // namespace EngineHost

#endif
