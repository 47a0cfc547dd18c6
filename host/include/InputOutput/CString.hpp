// A C-string buffer of the file layer: texts shorter than N bytes live in the object itself,
// longer ones in a heap block that the object owns and frees. A buffer that was never set holds
// no text at all, and Get() gives null.
#ifndef INPUTOUTPUT_CSTRING_HPP
#define INPUTOUTPUT_CSTRING_HPP

#include <cstring>
#include <memory>
#include <string>

#include "Definitions.hpp"

namespace IO {

template <USize N>
class CString {
    static_assert(N > 0, "a CString needs room for its terminator");

public:
    CString() = default;
    CString(const CString& other) { Set(other.Get()); }
    CString& operator=(const CString& other)
    {
        if (this != &other)
            Set(other.Get());
        return *this;
    }

    // Copies text (null makes the buffer hold no text).
    void Set(const char* text)
    {
        heap.reset();
        hasText = text != nullptr;
        inlineBytes[0] = '\0';
        if (text == nullptr)
            return;
        const std::size_t length = std::strlen(text);
        if (length < N) {
            std::memcpy(inlineBytes, text, length + 1);
            return;
        }
        heap = std::make_unique<char[]>(length + 1);
        std::memcpy(heap.get(), text, length + 1);
    }
    void Set(const std::string& text) { Set(text.c_str()); }
    void Clear() { Set(nullptr); }

    const char* Get() const
    {
        if (!hasText)
            return nullptr;
        return heap != nullptr ? heap.get() : inlineBytes;
    }
    operator const char*() const { return Get(); }
    bool HasText() const { return hasText; }
    bool IsOnHeap() const { return heap != nullptr; }
    static constexpr USize InlineSize = N;

private:
    char inlineBytes[N] = {};
    std::unique_ptr<char[]> heap;
    bool hasText = false;
};

}  // namespace IO

#endif
