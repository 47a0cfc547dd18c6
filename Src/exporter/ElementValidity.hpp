// The element numbering of one export: which model elements are exported and under which object
// number. It is decided once, element by element, by the first pass over the model (the scene
// bounds); every later per-element pass reads it, so the element, polygon and light records can
// never disagree about an object number.
#ifndef EXPORTER_ELEMENTVALIDITY_HPP
#define EXPORTER_ELEMENTVALIDITY_HPP

#include <vector>

#include "Definitions.hpp"

namespace WRL {

class ElementValidity {
public:
    // Starts a new table for a model of elementCount elements.
    void Start(Int32 elementCount);
    // Decides the next element (numbers run from 1 in model order).
    void Decide(bool valid);

    bool IsComplete() const;
    Int32 ElementCount() const { return elementCount; }
    Int32 ValidCount() const { return validCount; }

    // Both throw GS::GeneralException for an element the table has not decided yet.
    bool IsValid(Int32 elementNumber) const;
    // The number of valid elements before this valid element (0-based); -1 for an invalid one.
    Int32 ObjectNumber(Int32 elementNumber) const;

private:
    static constexpr Int32 Invalid = -1;

    Int32 Lookup(Int32 elementNumber) const;

    Int32 elementCount = 0;
    Int32 validCount = 0;
    std::vector<Int32> objectNumbers;  // position = element number - 1
};

}  // namespace WRL

#endif
