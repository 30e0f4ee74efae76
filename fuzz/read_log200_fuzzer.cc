// LOG200 logs (.l2) from arbitrary bytes: the input is the file. After a
// whole host session the file may differ only inside the records whose QSL
// mark the host set.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_host.h"

namespace {

constexpr size_t kRecordSize = 200;

// An update rewrites the data area of its record and restores CR LF.
bool AnyByteOfTheRecord(size_t) { return true; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = varnek_fuzz::Host() + "/log.l2";
  varnek_fuzz::WriteBytes(path, data, size);
  const std::string before(reinterpret_cast<const char*>(data), size);
  varnek_fuzz::Choices choices(data, size);
  varnek_fuzz::SessionReport report = varnek_fuzz::ReadSession(path, choices);
  varnek_fuzz::CheckOnlyUpdatedRecordsChanged(before, varnek_fuzz::ReadBytes(path), 0, kRecordSize,
                                              report.updated, &AnyByteOfTheRecord);
  return 0;
}
