#pragma once

#include <memory>
#include <utility>
#include <vector>

namespace lumetra {

// An allocator whose new elements are left uninitialised unless given a value: a buffer that is
// about to be written whole (a decoded picture, a grid filled row by row) is not cleared first.
template <typename T>
struct UninitialisedAllocator : std::allocator<T>
{
    template <typename U>
    struct rebind
    {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <typename U>
    UninitialisedAllocator(const UninitialisedAllocator<U> &) noexcept
    {
    }
    template <typename U>
    void construct(U *p) noexcept
    {
        ::new (static_cast<void *>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U *p, Args &&...args)
    {
        ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
    }
};

// Samples whose resize() leaves the new ones to be written.
using Samples = std::vector<float, UninitialisedAllocator<float>>;

} // namespace lumetra
