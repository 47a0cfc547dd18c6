// The host's hash set.
#ifndef GSROOT_HASHSET_HPP
#define GSROOT_HASHSET_HPP

#include <unordered_set>

#include "Definitions.hpp"

namespace GS {

template <typename T, typename Hash = std::hash<T>>
class HashSet {
public:
    bool Add(const T& item) { return items.insert(item).second; }
    bool Delete(const T& item) { return items.erase(item) > 0; }
    bool Contains(const T& item) const { return items.count(item) > 0; }
    USize GetSize() const { return static_cast<USize>(items.size()); }
    bool IsEmpty() const { return items.empty(); }
    void Clear() { items.clear(); }

    typename std::unordered_set<T, Hash>::const_iterator begin() const { return items.begin(); }
    typename std::unordered_set<T, Hash>::const_iterator end() const { return items.end(); }

private:
    std::unordered_set<T, Hash> items;
};

}  // namespace GS

#endif
