#include "HostNames.hpp"

// Placeholder until the name tables arrive.
const char* ErrID_To_Name(const int& errorCode)
{
    return errorCode == 0 ? "NO_ERROR" : "Unknown Error";
}
