#include "HostReportWindow.hpp"

#include "HostApi.hpp"
#include "HostControl.hpp"

namespace ZeltoHost {

void InstallReportWindow()
{
    HostApi::Instance().impl.ACAPI_WriteReportText = [](const GS::UniString* text, bool /*withDialog*/) -> GSErrCode {
        if (text == nullptr)
            return APIERR_BADPARS;
        HostControl::TheRecorder().reports.push_back(text->ToUtf8());
        return NoError;
    };
}

}  // namespace ZeltoHost
