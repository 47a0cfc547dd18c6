#include "ElementValidity.hpp"

#include "GSException.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

void ElementValidity::Start(Int32 count)
{
    elementCount = count > 0 ? count : 0;
    validCount = 0;
    objectNumbers.clear();
    objectNumbers.reserve(static_cast<std::size_t>(elementCount));
}

void ElementValidity::Decide(bool valid)
{
    if (IsComplete())
        throw GS::GeneralException("Zelto_export:: more elements decided than the model holds", __FILE__, __LINE__,
                                   CancelErrorCode);
    objectNumbers.push_back(valid ? validCount++ : Invalid);
}

bool ElementValidity::IsComplete() const
{
    return objectNumbers.size() == static_cast<std::size_t>(elementCount);
}

bool ElementValidity::IsValid(Int32 elementNumber) const
{
    return Lookup(elementNumber) != Invalid;
}

Int32 ElementValidity::ObjectNumber(Int32 elementNumber) const
{
    return Lookup(elementNumber);
}

Int32 ElementValidity::Lookup(Int32 elementNumber) const
{
    if (elementNumber < 1 || static_cast<std::size_t>(elementNumber) > objectNumbers.size())
        throw GS::GeneralException("Zelto_export:: element validity asked before it was decided", __FILE__,
                                   __LINE__, CancelErrorCode);
    return objectNumbers[static_cast<std::size_t>(elementNumber) - 1];
}

}  // namespace WRL
