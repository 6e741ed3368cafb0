// Replacement of the global allocation functions for a test program that
// checks behaviour under memory exhaustion: set g_countdown to n and the n-th
// allocation from then on fails (throws std::bad_alloc, or returns null for
// the nothrow forms), and g_failed records that one did.  Include this file
// in exactly one source file of a test program; the library has no such
// switch of its own.
#ifndef ZELTMATH_TESTS_SUPPORT_FAILING_NEW_H
#define ZELTMATH_TESTS_SUPPORT_FAILING_NEW_H

#include <cstdlib>
#include <new>

// allocations left before one fails; -1: never
inline long g_countdown = -1;
// an allocation was refused since arming
inline bool g_failed = false;

namespace {

bool RefuseThisOne()
{
    if (g_countdown < 0)
        return false;
    if (g_countdown == 0) {
        g_failed = true;
        return true;
    }
    --g_countdown;
    return false;
}

void* Allocate(std::size_t n)
{
    return std::malloc(n == 0 ? 1 : n);
}

void* AllocateAligned(std::size_t n, std::align_val_t a)
{
    const std::size_t align = static_cast<std::size_t>(a);
    const std::size_t size = ((n == 0 ? 1 : n) + align - 1) / align * align;
    return std::aligned_alloc(align, size);
}

} // namespace

void* operator new(std::size_t n)
{
    void* p = RefuseThisOne() ? nullptr : Allocate(n);
    if (!p)
        throw std::bad_alloc();
    return p;
}
void* operator new[](std::size_t n)
{
    return operator new(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    return RefuseThisOne() ? nullptr : Allocate(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    return RefuseThisOne() ? nullptr : Allocate(n);
}
void* operator new(std::size_t n, std::align_val_t a)
{
    void* p = RefuseThisOne() ? nullptr : AllocateAligned(n, a);
    if (!p)
        throw std::bad_alloc();
    return p;
}
void* operator new[](std::size_t n, std::align_val_t a)
{
    return operator new(n, a);
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return RefuseThisOne() ? nullptr : AllocateAligned(n, a);
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return RefuseThisOne() ? nullptr : AllocateAligned(n, a);
}
// Every allocation function above takes its storage from malloc, so every
// deallocation function gives it back with free; the compiler cannot see
// that pairing.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#endif
