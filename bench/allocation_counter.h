// Counts the heap allocations made anywhere in the process while counting
// is on: malloc, calloc, realloc and the aligned forms, and through them
// operator new. The benchmark executable defines the malloc family itself
// and exports it, so the calls of a plug-in loaded later resolve here too;
// every call is passed on to the C library's own allocator unchanged.
// Single-threaded use: the benchmark drives the plug-in from one thread.
#ifndef VARNEK_BENCH_ALLOCATION_COUNTER_H_
#define VARNEK_BENCH_ALLOCATION_COUNTER_H_

#include <cstdint>

namespace varnek_bench {

// Sets the count to zero (counting stays as it was).
void ResetAllocationCount();
// Counting on and off; allocations while off are not counted.
void ResumeAllocationCount();
void PauseAllocationCount();
uint64_t AllocationCount();

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_ALLOCATION_COUNTER_H_
