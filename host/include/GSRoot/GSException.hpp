// The host library's exception family. Every export failure travels as one of these.
#ifndef GSROOT_GSEXCEPTION_HPP
#define GSROOT_GSEXCEPTION_HPP

#include <string>

#include "Definitions.hpp"

namespace GS {

class UniString;

// Root of the family; classes that join the family derive from it virtually.
class GSROOT_DLL_EXPORT RootException {
public:
    virtual ~RootException();
    virtual const char* GetName() const = 0;
};

class GSROOT_DLL_EXPORT GSException : public virtual RootException {
public:
    GSException();
    GSException(const char* message, const char* sourceFile, unsigned int line, GSErrCode errorCode = Error);
    GSException(const char* message, const char* sourceFile, unsigned int line, const GSException& causedBy,
                GSErrCode errorCode = Error);
    GSException(const UniString& message, const char* sourceFile, unsigned int line, GSErrCode errorCode = Error);
    GSException(const UniString& message, const char* sourceFile, unsigned int line, const GSException& causedBy,
                GSErrCode errorCode = Error);
    GSException(const GSException& source);
    GSException& operator=(const GSException& source);
    ~GSException() override;

    const char* GetName() const override;
    virtual GSException* Clone() const;

    const char* GetMessage() const;
    const char* GetFileName() const;
    unsigned int GetLine() const;
    GSErrCode GetErrorCode() const;
    const GSException* GetCause() const;

private:
    std::string message;
    std::string sourceFile;
    unsigned int line = 0;
    GSErrCode errorCode = Error;
    GSException* cause = nullptr;  // owned clone of the causing exception
};

#define GS_DECLARE_HOST_EXCEPTION(ClassName)                                                            \
    class GSROOT_DLL_EXPORT ClassName : public GSException {                                            \
    public:                                                                                             \
        using GSException::GSException;                                                                 \
        ClassName(const ClassName&) = default;                                                          \
        ~ClassName() override;                                                                          \
        const char* GetName() const override;                                                           \
        GSException* Clone() const override;                                                            \
    };

GS_DECLARE_HOST_EXCEPTION(GeneralException)
GS_DECLARE_HOST_EXCEPTION(NullPointerException)
GS_DECLARE_HOST_EXCEPTION(OutOfMemoryException)
GS_DECLARE_HOST_EXCEPTION(IllegalArgumentException)

#undef GS_DECLARE_HOST_EXCEPTION

}  // namespace GS

#endif
