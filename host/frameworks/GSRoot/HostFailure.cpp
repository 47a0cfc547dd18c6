#include "HostFailure.hpp"

#include <new>
#include <stdexcept>

#include "GSException.hpp"
#include "HostControl.hpp"

namespace HostFailure {

GSErrCode Check(const std::string& point)
{
    const auto failure = HostControl::TakeFailure(point);
    if (!failure)
        return NoError;
    switch (failure->kind) {
        case HostControl::Failure::Kind::ErrorCode:
            return failure->code;
        case HostControl::Failure::Kind::HostException:
            throw GS::GeneralException(("injected host failure at " + point).c_str(), __FILE__, __LINE__,
                                       failure->code);
        case HostControl::Failure::Kind::OutOfMemory:
            throw std::bad_alloc();
        case HostControl::Failure::Kind::OtherException:
            break;
    }
    throw std::runtime_error("injected failure at " + point);
}

}  // namespace HostFailure
