#ifndef ZELTMATH_S2D_CLIP_DETAIL_POD_STACK_H
#define ZELTMATH_S2D_CLIP_DETAIL_POD_STACK_H

// A growable array of trivially copyable records, for the short lists the
// sweep fills and empties in every beam (events, checks, edges walked).
//
// std::vector keeps the way to its out-of-line growth on the fast path of
// push_back and hands it the argument by reference, so a pointer pushed
// from a register is first stored to the stack, and the call was not even
// inlined in some of the sweep's loops.  Here the fast path is a compare, a
// store and an increment, and the growth, out of line, takes no argument.
// The names are those of std::vector, whose use this replaces.

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

namespace S2D {
namespace clip {
namespace detail {

template <class T>
class PodStack {
    static_assert(std::is_trivially_copyable<T>::value && std::is_trivially_destructible<T>::value,
                  "records are moved with realloc and never destroyed");

public:
    PodStack() = default;
    PodStack(const PodStack&) = delete;
    PodStack& operator=(const PodStack&) = delete;
    PodStack(PodStack&& o) noexcept : begin_(o.begin_), end_(o.end_), cap_(o.cap_) { o.begin_ = o.end_ = o.cap_ = nullptr; }
    PodStack& operator=(PodStack&& o) noexcept
    {
        std::swap(begin_, o.begin_);
        std::swap(end_, o.end_);
        std::swap(cap_, o.cap_);
        return *this;
    }
    ~PodStack() { std::free(begin_); }

    template <class... Args>
    [[gnu::always_inline]] void emplace_back(Args&&... args)
    {
        if (end_ == cap_)
            Grow();
        ::new (static_cast<void*>(end_)) T(std::forward<Args>(args)...);
        ++end_;
    }
    [[gnu::always_inline]] void push_back(T item) { emplace_back(item); }

    void reserve(std::size_t n)
    {
        if (n > static_cast<std::size_t>(cap_ - begin_))
            Resize(n);
    }
    void pop_back() { --end_; }
    void clear() { end_ = begin_; }
    bool empty() const { return end_ == begin_; }
    std::size_t size() const { return static_cast<std::size_t>(end_ - begin_); }
    T& back() { return end_[-1]; }
    const T& back() const { return end_[-1]; }
    T& operator[](std::size_t i) { return begin_[i]; }
    const T& operator[](std::size_t i) const { return begin_[i]; }
    T* begin() { return begin_; }
    T* end() { return end_; }
    const T* begin() const { return begin_; }
    const T* end() const { return end_; }

private:
    [[gnu::noinline]] void Grow()
    {
        const std::size_t n = size();
        Resize(n < 8 ? 16 : 2 * n);
    }
    void Resize(std::size_t cap)
    {
        const std::size_t n = size();
        if (cap > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        void* p = std::realloc(static_cast<void*>(begin_), cap * sizeof(T));
        if (!p)
            throw std::bad_alloc();
        begin_ = static_cast<T*>(p);
        end_ = begin_ + n;
        cap_ = begin_ + cap;
    }

    T* begin_ = nullptr;
    T* end_ = nullptr;
    T* cap_ = nullptr;
};

} // namespace detail
} // namespace clip
} // namespace S2D

#endif
