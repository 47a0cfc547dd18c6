#include "ModelReadChecks.hpp"

#include <string>

#include "GSException.hpp"

namespace ZeltoHost {

void ThrowIndexOutOfRange(const char* operation, Int32 index, std::size_t count)
{
    const std::string message = std::string(operation) + ": index " + std::to_string(index) +
                                " outside 1.." + std::to_string(count);
    throw GS::IllegalArgumentException(message.c_str(), __FILE__, __LINE__);
}

void ThrowNullOutput(const char* operation)
{
    const std::string message = std::string(operation) + ": null output";
    throw GS::NullPointerException(message.c_str(), __FILE__, __LINE__);
}

void ThrowBadArgument(const char* operation, const char* why)
{
    const std::string message = std::string(operation) + ": " + why;
    throw GS::IllegalArgumentException(message.c_str(), __FILE__, __LINE__);
}

}  // namespace ZeltoHost
