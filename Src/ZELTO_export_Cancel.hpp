// The exception that means the user cancelled an export. It belongs to the host library's
// exception family, so `catch (const GS::GSException&)` also catches it.
#ifndef ZELTO_EXPORT_CANCEL_HPP
#define ZELTO_EXPORT_CANCEL_HPP

#include "GSException.hpp"

namespace WRL {

// Error codes carried by export failures.
constexpr GSErrCode CancelErrorCode = -7003;        // user cancel, and a general export failure
constexpr GSErrCode MissingInputErrorCode = -50;    // no model or no I/O block
constexpr GSErrCode FileNotMadeErrorCode = -108;    // the export file could not be made

class Cancel : public GS::GSException, public virtual GS::RootException {
public:
    Cancel(const char* message, const char* sourceFile, unsigned int line, int errorCode);
    Cancel(const char* message, const char* sourceFile, unsigned int line, const GS::GSException& causedBy,
           int errorCode);
    Cancel(const GS::UniString& message, const char* sourceFile, unsigned int line, int errorCode);
    Cancel(const GS::UniString& message, const char* sourceFile, unsigned int line, const GS::GSException& causedBy,
           int errorCode);
    Cancel(const Cancel& source) = default;
    ~Cancel() override;

    const char* GetName() const override;
    GS::GSException* Clone() const override;
};

// What every cancel site throws.
[[noreturn]] void ThrowCancel();

}  // namespace WRL

#endif
