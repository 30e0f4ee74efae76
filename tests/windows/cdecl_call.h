// Calls a function of the plug-in as a cdecl caller does (arguments pushed
// right to left, removed by the caller) and tells whether the callee left
// the stack pointer where the caller expects it: a callee compiled with
// another convention (stdcall) removes its arguments itself. 32-bit x86
// only.
#ifndef VARNEK_TESTS_WINDOWS_CDECL_CALL_H_
#define VARNEK_TESTS_WINDOWS_CDECL_CALL_H_

#include <cstdint>

namespace scenario {

// Passes the three words as arguments (extra ones are harmless to a cdecl
// callee) and returns EAX. `balanced` is false when the callee moved ESP.
uint32_t CallCdecl(const void* function, const uint32_t (&args)[3], bool* balanced);

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_CDECL_CALL_H_
