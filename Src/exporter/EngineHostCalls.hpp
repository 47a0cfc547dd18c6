// The host functions the export engine calls directly, in the form the module's host version
// offers them: named functions from host API 27 on, the dispatch functions before. Each makes
// exactly one host call and returns the host's result unchanged.
#ifndef EXPORTER_ENGINEHOSTCALLS_HPP
#define EXPORTER_ENGINEHOSTCALLS_HPP

#include "ACAPinc.h"

namespace EngineHost {

GSErrCode GetProjectOffset(API_Coord* offset);
// The story handle that the host puts into stories belongs to the caller (BMKillHandle).
GSErrCode GetStorySettings(API_StoryInfo* stories, UInt32 mask);
GSErrCode GetAttributesByType(API_AttrTypeID type, GS::Array<API_Attribute>& attributes);
// The memo's handles belong to the caller (ACAPI_DisposeElemMemoHdls).
GSErrCode GetElementMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask);
GSErrCode GetElementDefaults(API_Element* element, API_ElementMemo* memo);
GSErrCode GetElemTypeName(const API_ElemType& type, GS::UniString& name);
GSErrCode SelectSight(void* sight, void** previous);

}  // namespace EngineHost

#endif
