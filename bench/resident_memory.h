// Peak resident memory of this process (the kernel's high-water mark,
// "VmHWM"), which the benchmark sets back to the current resident size
// before each measurement so that each one reports its own peak. The
// figure covers the whole process: the benchmark, its libraries and the
// plug-in.
#ifndef VARNEK_BENCH_RESIDENT_MEMORY_H_
#define VARNEK_BENCH_RESIDENT_MEMORY_H_

#include <cstdint>

namespace varnek_bench {

// False when the kernel does not allow it; the peak then covers the
// process's whole life so far.
bool ResetPeakResident();
// In bytes; -1 when it cannot be read.
int64_t PeakResidentBytes();

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_RESIDENT_MEMORY_H_
