// An ADIF file from arbitrary bytes: read as QSO lines (tags in any case,
// lengths that lie, values of any size, UTF-8 or code page 932), never
// written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = varnek_fuzz::Host() + (size % 2 == 0 ? "/log.adi" : "/log.ADIF");
  const std::string before(reinterpret_cast<const char*>(data), size);
  varnek_fuzz::WriteBytes(path, before);
  varnek_fuzz::Choices choices(data, size);
  varnek_fuzz::SessionReport report = varnek_fuzz::ReadSession(path, choices);
  FUZZ_CHECK(!report.can_update);
  FUZZ_CHECK(varnek_fuzz::ReadBytes(path) == before);
  varnek_fuzz::Remove(path);
  return 0;
}
