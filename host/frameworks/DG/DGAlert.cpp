#include "DGModule.hpp"

#include "HostControl.hpp"

short DGAlert(short kind, const GS::UniString& title, const GS::UniString& text, const GS::UniString& third,
              const GS::UniString& button1, const GS::UniString& button2, const GS::UniString& button3)
{
    HostControl::TheRecorder().alerts.push_back(HostControl::AlertRecord{
        kind, title.ToUtf8(), text.ToUtf8(), third.ToUtf8(), button1.ToUtf8(), button2.ToUtf8(), button3.ToUtf8()});
    return 1;  // the scripted user presses the first button
}
