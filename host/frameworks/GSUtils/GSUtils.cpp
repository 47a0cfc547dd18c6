#include "GSUtils.hpp"

#include "HostControl.hpp"

void GSSysBeep()
{
    ++HostControl::TheRecorder().beeps;
}
