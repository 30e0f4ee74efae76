// Any other file (CSV, plain text, unknown extensions) from arbitrary bytes:
// the input is the file, its first byte also picks the extension. The file
// is read as raw lines and never written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_host.h"

namespace {

constexpr const char* kNames[] = {"/log.csv", "/log.txt", "/log", "/log.DAT"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path =
      varnek_fuzz::Host() + kNames[size == 0 ? 0 : data[0] % (sizeof kNames / sizeof *kNames)];
  const std::string before(reinterpret_cast<const char*>(data), size);
  varnek_fuzz::WriteBytes(path, before);
  varnek_fuzz::Choices choices(data, size);
  varnek_fuzz::SessionReport report = varnek_fuzz::ReadSession(path, choices);
  FUZZ_CHECK(!report.can_update || !report.opened);
  FUZZ_CHECK(varnek_fuzz::ReadBytes(path) == before);
  varnek_fuzz::Remove(path);
  return 0;
}
