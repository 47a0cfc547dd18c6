#include "GSException.hpp"

#include "UniString.hpp"

namespace GS {

RootException::~RootException() = default;

GSException::GSException() = default;

GSException::GSException(const char* message, const char* sourceFile, unsigned int line, GSErrCode errorCode)
    : message(message != nullptr ? message : ""),
      sourceFile(sourceFile != nullptr ? sourceFile : ""),
      line(line),
      errorCode(errorCode)
{
}

GSException::GSException(const char* message, const char* sourceFile, unsigned int line, const GSException& causedBy,
                         GSErrCode errorCode)
    : GSException(message, sourceFile, line, errorCode)
{
    cause = causedBy.Clone();
}

GSException::GSException(const UniString& message, const char* sourceFile, unsigned int line, GSErrCode errorCode)
    : GSException(message.ToCStr().Get(), sourceFile, line, errorCode)
{
}

GSException::GSException(const UniString& message, const char* sourceFile, unsigned int line,
                         const GSException& causedBy, GSErrCode errorCode)
    : GSException(message.ToCStr().Get(), sourceFile, line, causedBy, errorCode)
{
}

GSException::GSException(const GSException& source)
    : RootException(source),
      message(source.message),
      sourceFile(source.sourceFile),
      line(source.line),
      errorCode(source.errorCode),
      cause(source.cause != nullptr ? source.cause->Clone() : nullptr)
{
}

GSException& GSException::operator=(const GSException& source)
{
    if (this != &source) {
        GSException* newCause = source.cause != nullptr ? source.cause->Clone() : nullptr;
        delete cause;
        cause = newCause;
        message = source.message;
        sourceFile = source.sourceFile;
        line = source.line;
        errorCode = source.errorCode;
    }
    return *this;
}

GSException::~GSException()
{
    delete cause;
}

const char* GSException::GetName() const { return "GSException"; }
GSException* GSException::Clone() const { return new GSException(*this); }
const char* GSException::GetMessage() const { return message.c_str(); }
const char* GSException::GetFileName() const { return sourceFile.c_str(); }
unsigned int GSException::GetLine() const { return line; }
GSErrCode GSException::GetErrorCode() const { return errorCode; }
const GSException* GSException::GetCause() const { return cause; }

#define GS_DEFINE_HOST_EXCEPTION(ClassName)                                 \
    ClassName::~ClassName() = default;                                      \
    const char* ClassName::GetName() const { return #ClassName; }           \
    GSException* ClassName::Clone() const { return new ClassName(*this); }

GS_DEFINE_HOST_EXCEPTION(GeneralException)
GS_DEFINE_HOST_EXCEPTION(NullPointerException)
GS_DEFINE_HOST_EXCEPTION(OutOfMemoryException)
GS_DEFINE_HOST_EXCEPTION(IllegalArgumentException)

}  // namespace GS
