// Shared definitions of the host's picture framework (GX, GXImage) and its file-type registry.
#ifndef GX_GXDEFINITIONS_HPP
#define GX_GXDEFINITIONS_HPP

#include "Definitions.hpp"

#define GX_DLL_EXPORT __attribute__((visibility("default")))

namespace GX {

// Error codes of the picture calls, in a block of their own (the file layer uses -51xx, the memory
// manager -108, which the picture calls also answer when memory runs out).
constexpr GSErrCode NotSupportedErr = -5201;  // a file type the host cannot decode or encode
constexpr GSErrCode BadImageErr = -5202;      // bytes that are not a readable picture of their type
constexpr GSErrCode BadParameterErr = -5203;  // a null or empty pixel map or handle, an unknown format

}  // namespace GX

#endif
