#include "AttributeIndex.hpp"

namespace ModelerAPI {

AttributeIndex::AttributeIndex(Int32 type, Int32 index, Int32 qualifier)
    : type(type), index(index), qualifier(qualifier), valid(true)
{
}

void AttributeIndex::Set(Int32 newType, Int32 newIndex)
{
    type = newType;
    index = newIndex;
    valid = true;
}

void AttributeIndex::SetInvalid(Int32 newType)
{
    type = newType;
    index = 0;
    valid = false;
}

bool AttributeIndex::operator==(const AttributeIndex& other) const
{
    return type == other.type && index == other.index && valid == other.valid;
}

}  // namespace ModelerAPI
