#include "allocation_counter.h"

#include <cstddef>

// The C library's allocator under its internal names; the public names
// below forward to them.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace varnek_bench {
namespace {

bool counting = false;
uint64_t allocations = 0;

inline void Note() {
  if (counting) ++allocations;
}

}  // namespace

void ResetAllocationCount() { allocations = 0; }
void ResumeAllocationCount() { counting = true; }
void PauseAllocationCount() { counting = false; }
uint64_t AllocationCount() { return allocations; }

}  // namespace varnek_bench

using varnek_bench::Note;

extern "C" {

void* malloc(size_t size) noexcept {
  Note();
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept {
  Note();
  return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) noexcept {
  Note();
  return __libc_realloc(block, size);
}

void free(void* block) noexcept { __libc_free(block); }

void* memalign(size_t alignment, size_t size) noexcept {
  Note();
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
  Note();
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** result, size_t alignment, size_t size) noexcept {
  Note();
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
  void* block = __libc_memalign(alignment, size);
  if (block == nullptr) return 12;  // ENOMEM
  *result = block;
  return 0;
}

}  // extern "C"
