#include "windows/cdecl_call.h"

namespace scenario {

__attribute__((noinline)) uint32_t CallCdecl(const void* function, const uint32_t (&args)[3],
                                             bool* balanced) {
  uint32_t result;
  uint32_t sp_after;
  uint32_t sp_at_call;
  const uint32_t* words = args;
  // ESI keeps the caller's stack pointer across the call (callee-saved);
  // EDI holds ESP as it stood at the call, ECX ESP after the return.
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl 8(%%edx)\n\t"
      "pushl 4(%%edx)\n\t"
      "pushl (%%edx)\n\t"
      "movl %%esp, %%edi\n\t"
      "call *%%eax\n\t"
      "movl %%esp, %%ecx\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=c"(sp_after), "=D"(sp_at_call), "+d"(words)
      : "0"(function)
      : "esi", "memory", "cc");
  *balanced = sp_after == sp_at_call;
  return result;
}

}  // namespace scenario
