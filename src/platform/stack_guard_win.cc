// Stack protection for VARNEK.DLL without the compiler's support library,
// whose canary setup would add an import beyond the DLLs the host expects
// (KERNEL32, USER32, COMDLG32, msvcrt). The canary is drawn from kernel32
// counters before any protected function runs: at static initialisation,
// which the runtime's DLL entry point performs before DllMain.
#ifdef _WIN32

#include <windows.h>

#include <cstdint>

extern "C" {

// Read by every protected function's prologue and epilogue.
uintptr_t __stack_chk_guard = 0x2B992DDFu;

// Called when a protected function finds its canary overwritten: the stack
// can no longer be trusted, so the process ends at once.
[[noreturn]] void __stack_chk_fail(void) {
  TerminateProcess(GetCurrentProcess(), 0xC0000409u);  // STATUS_STACK_BUFFER_OVERRUN
  for (;;) {
  }
}

}  // extern "C"

namespace {

__attribute__((noinline, no_stack_protector)) uintptr_t DrawCanary() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  uintptr_t canary = static_cast<uintptr_t>(counter.QuadPart) ^
                     (static_cast<uintptr_t>(counter.QuadPart >> 32) << 7) ^ now.dwLowDateTime ^
                     (static_cast<uintptr_t>(GetCurrentProcessId()) << 16) ^ GetCurrentThreadId() ^
                     reinterpret_cast<uintptr_t>(&counter);
  canary &= ~static_cast<uintptr_t>(0xFF);  // a zero byte stops string overruns
  return canary != 0 ? canary : 0x2B992D00u;
}

struct CanarySetup {
  __attribute__((no_stack_protector)) CanarySetup() { __stack_chk_guard = DrawCanary(); }
};

CanarySetup canary_setup __attribute__((init_priority(101)));

}  // namespace

#endif  // _WIN32
