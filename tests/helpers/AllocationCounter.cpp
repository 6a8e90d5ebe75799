#include "helpers/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
thread_local int countingDepth = 0;
thread_local long allocations = 0;

void* allocate (std::size_t size)
{
    if (countingDepth > 0)
        ++allocations;

    if (auto* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    if (countingDepth > 0)
        ++allocations;

    const auto align = static_cast<std::size_t> (alignment);
    const auto rounded = (size + align - 1) / align * align;

    if (auto* p = std::aligned_alloc (align, rounded == 0 ? align : rounded))
        return p;

    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size)
{
    return allocate (size);
}
void* operator new[] (std::size_t size)
{
    return allocate (size);
}
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new[] (std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new (size, tag);
}
void* operator new (std::size_t size, std::align_val_t a)
{
    return allocateAligned (size, a);
}
void* operator new[] (std::size_t size, std::align_val_t a)
{
    return allocateAligned (size, a);
}
void operator delete (void* p) noexcept
{
    std::free (p);
}
void operator delete[] (void* p) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::size_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::size_t) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::align_val_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::align_val_t) noexcept
{
    std::free (p);
}
void operator delete (void* p, std::size_t, std::align_val_t) noexcept
{
    std::free (p);
}
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept
{
    std::free (p);
}

namespace testing_helpers
{
AllocationCounter::AllocationCounter()
    : startCount (allocations)
{
    ++countingDepth;
}
AllocationCounter::~AllocationCounter()
{
    --countingDepth;
}
long AllocationCounter::count() const noexcept
{
    return allocations - startCount;
}
} // namespace testing_helpers
