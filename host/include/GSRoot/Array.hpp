// The host's dynamic array, with its 0-based indexing and the members the add-on uses.
#ifndef GSROOT_ARRAY_HPP
#define GSROOT_ARRAY_HPP

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "Definitions.hpp"

namespace GS {

template <typename T>
class Array {
public:
    Array() = default;
    Array(std::initializer_list<T> items) : items(items) {}

    void Push(const T& item) { items.push_back(item); }
    void Push(T&& item) { items.push_back(std::move(item)); }
    void Insert(UIndex index, const T& item) { items.insert(items.begin() + index, item); }
    void Delete(UIndex index) { items.erase(items.begin() + index); }
    void DeleteLast() { items.pop_back(); }
    void Clear() { items.clear(); }
    void SetSize(USize size) { items.resize(size); }
    void EnsureCapacity(USize capacity) { items.reserve(capacity); }

    USize GetSize() const { return static_cast<USize>(items.size()); }
    bool IsEmpty() const { return items.empty(); }
    T& operator[](UIndex index) { return items.at(index); }
    const T& operator[](UIndex index) const { return items.at(index); }
    T& GetLast() { return items.back(); }
    const T& GetLast() const { return items.back(); }
    T& GetFirst() { return items.front(); }
    const T& GetFirst() const { return items.front(); }

    UIndex FindFirst(const T& item) const
    {
        auto found = std::find(items.begin(), items.end(), item);
        return found == items.end() ? MaxUIndex : static_cast<UIndex>(found - items.begin());
    }
    bool Contains(const T& item) const { return FindFirst(item) != MaxUIndex; }

    typename std::vector<T>::iterator begin() { return items.begin(); }
    typename std::vector<T>::iterator end() { return items.end(); }
    typename std::vector<T>::const_iterator begin() const { return items.begin(); }
    typename std::vector<T>::const_iterator end() const { return items.end(); }

    bool operator==(const Array& other) const { return items == other.items; }
    bool operator!=(const Array& other) const { return items != other.items; }

private:
    std::vector<T> items;
};

}  // namespace GS

#endif
