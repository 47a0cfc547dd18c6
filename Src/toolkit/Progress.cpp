#include "Progress.hpp"

// The host takes the numbers by address; the wrappers hand over copies of their own, so the host
// never sees (or changes) the caller's variables.
namespace Progress {

GSErrCode Init(const GS::UniString& title, int phaseCount, API_ProcessControlTypeID* control)
{
    Int32 count = phaseCount;
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProcessWindow_InitProcessWindow(&title, &count, control);
#else
    return ACAPI_Interface(APISEL(ProcessWindow_InitProcessWindow), &title, &count, control);
#endif
}

GSErrCode Next(const GS::UniString& title, int maxValue, bool* flag)
{
    Int32 maximum = maxValue;
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProcessWindow_SetNextProcessPhase(&title, &maximum, flag);
#else
    return ACAPI_Interface(APISEL(ProcessWindow_SetNextProcessPhase), &title, &maximum, flag);
#endif
}

GSErrCode SetValue(int value)
{
    Int32 current = value;
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProcessWindow_SetProcessValue(&current);
#else
    return ACAPI_Interface(APISEL(ProcessWindow_SetProcessValue), &current);
#endif
}

GSErrCode IncrementValue(int& value)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProcessWindow_IncProcessValue(&value);
#else
    return ACAPI_Interface(APISEL(ProcessWindow_IncProcessValue), &value);
#endif
}

GSErrCode Close()
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProcessWindow_CloseProcessWindow();
#else
    return ACAPI_Interface(APISEL(ProcessWindow_CloseProcessWindow));
#endif
}

// A named function in every host version.
int IsCancelled()
{
    return ACAPI_ProcessWindow_IsProcessCanceled() ? 1 : 0;
}

}  // namespace Progress
