#include "FiniteReal.hpp"

#include <cstdio>
#include <string>

#include "GSException.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

void ThrowNotFinite(double value, const char* record)
{
    char valueText[32];
    std::snprintf(valueText, sizeof valueText, "%g", value);
    const std::string message = std::string("Zelto_export:: The ") + (record == nullptr ? "unnamed" : record) +
                                " record's value " + valueText + " is not a finite number";
    throw GS::GeneralException(message.c_str(), __FILE__, __LINE__, CancelErrorCode);
}

}  // namespace WRL
