// HAMLOG logs from arbitrary bytes. The input holds both files: its first
// two bytes (little-endian) give the length of the data file (.dbs), which
// follows; the rest is the remark file (.DBR), left out when empty. After a
// whole host session only the QSL mark byte of the records the host marked
// may differ; the remark file is never written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_host.h"

namespace {

constexpr size_t kHeaderSize = 449;
constexpr size_t kRecordSize = 58;
constexpr size_t kQslMark1 = 43;

bool QslMark1(size_t offset) { return offset == kQslMark1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = varnek_fuzz::Host();
  const std::string path = dir + "/log.dbs";
  const std::string remark_path = dir + "/log.DBR";
  size_t data_size = size;
  if (size >= 2) {
    size_t wanted = static_cast<size_t>(data[0]) | (static_cast<size_t>(data[1]) << 8);
    data += 2;
    size -= 2;
    data_size = wanted < size ? wanted : size;
  }
  const std::string before(reinterpret_cast<const char*>(data), data_size);
  const std::string remarks(reinterpret_cast<const char*>(data) + data_size, size - data_size);
  varnek_fuzz::WriteBytes(path, before);
  if (remarks.empty()) {
    varnek_fuzz::Remove(remark_path);
  } else {
    varnek_fuzz::WriteBytes(remark_path, remarks);
  }
  varnek_fuzz::Choices choices(data, size);
  varnek_fuzz::SessionReport report = varnek_fuzz::ReadSession(path, choices);
  varnek_fuzz::CheckOnlyUpdatedRecordsChanged(before, varnek_fuzz::ReadBytes(path), kHeaderSize,
                                              kRecordSize, report.updated, &QslMark1);
  FUZZ_CHECK(varnek_fuzz::ReadBytes(remark_path) == remarks);
  return 0;
}
