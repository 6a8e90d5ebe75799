#pragma once

namespace testing_helpers
{
/** Counts heap allocations made by the calling thread between start() and stop(). The test
    binary replaces the global allocation functions to make this possible.
*/
class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();

    /** Allocations counted so far on this thread. */
    long count() const noexcept;

private:
    long startCount;
};
} // namespace testing_helpers
