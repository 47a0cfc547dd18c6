// Picture records of the host API.
#ifndef ACAPI_APIDEFS_PICTURES_H
#define ACAPI_APIDEFS_PICTURES_H

#include "Definitions.hpp"

// How a picture record holds its picture.
enum API_PictureFormat : Int32 {
    APIPictForm_Default = 0,
    APIPictForm_Bitmap = 4  // the encoded picture bytes (a JPEG, for instance) in a plain memory handle
};

// A picture in a host memory handle. Whoever fills the handle hands it to the caller, who frees it
// with BMKillHandle.
struct API_PictureHandle {
    Int32 storageFormat;
    GSHandle pictHdl;
};

#endif
