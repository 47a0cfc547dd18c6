#include "ZELTO_export_Cancel.hpp"

#include "UniString.hpp"

namespace WRL {

Cancel::Cancel(const char* message, const char* sourceFile, unsigned int line, int errorCode)
    : GS::GSException(message, sourceFile, line, errorCode)
{
}

Cancel::Cancel(const char* message, const char* sourceFile, unsigned int line, const GS::GSException& causedBy,
               int errorCode)
    : GS::GSException(message, sourceFile, line, causedBy, errorCode)
{
}

Cancel::Cancel(const GS::UniString& message, const char* sourceFile, unsigned int line, int errorCode)
    : GS::GSException(message, sourceFile, line, errorCode)
{
}

Cancel::Cancel(const GS::UniString& message, const char* sourceFile, unsigned int line,
               const GS::GSException& causedBy, int errorCode)
    : GS::GSException(message, sourceFile, line, causedBy, errorCode)
{
}

Cancel::~Cancel() = default;

const char* Cancel::GetName() const
{
    return "Cancel";
}

GS::GSException* Cancel::Clone() const
{
    return new Cancel(*this);
}

void ThrowCancel()
{
    throw Cancel(static_cast<const char*>(nullptr), nullptr, 0, CancelErrorCode);
}

}  // namespace WRL
