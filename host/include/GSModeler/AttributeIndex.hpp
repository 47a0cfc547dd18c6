// A reference to a material or a texture of the model, by its 1-based number.
#ifndef GSMODELER_ATTRIBUTEINDEX_HPP
#define GSMODELER_ATTRIBUTEINDEX_HPP

#include "ModelerAPITypes.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT AttributeIndex {
public:
    // The kinds of model attribute an index can refer to.
    enum IndexType : Int32 {
        UndefinedIndex = 0,
        MaterialIndex = 2,
        TextureIndex = 4
    };

    // Not valid until the host fills it or it is made from a kind and a number.
    AttributeIndex() = default;
    // The third value is the host's own qualifier of the index; callers pass -2.
    AttributeIndex(Int32 type, Int32 index, Int32 qualifier);

    bool IsValid() const { return valid; }
    Int32 GetType() const { return type; }
    Int32 GetIndex() const { return index; }
    Int32 GetQualifier() const { return qualifier; }

    // Host side: makes the index refer to a number, or to nothing.
    void Set(Int32 newType, Int32 newIndex);
    void SetInvalid(Int32 newType);

    bool operator==(const AttributeIndex& other) const;
    bool operator!=(const AttributeIndex& other) const { return !(*this == other); }

private:
    Int32 type = UndefinedIndex;
    Int32 index = 0;
    Int32 qualifier = -2;
    bool valid = false;
};

}  // namespace ModelerAPI

#endif
