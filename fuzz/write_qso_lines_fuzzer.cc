// Arbitrary QSO lines for each of the five writers (chosen by the
// extensions log, l2, dbs, csv and adi). The input is split into lines at LF;
// the first byte also answers the JST/UTC question. Each line is handed
// over in a heap block of exactly its size, so that a writer that takes it
// apart in place cannot step outside it unnoticed. With a working file
// system every call succeeds, the output has the shape of its format, and
// the LOG200, HAMLOG and ADIF outputs read back with one record per line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"

namespace {

constexpr size_t kMostLines = 200;
constexpr size_t kL2RecordSize = 200;
constexpr size_t kDbsHeaderSize = 449;
constexpr size_t kDbsRecordSize = 58;
constexpr size_t kDbrHeaderSize = 256;

uint32_t Count(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

size_t CountByte(const std::string& bytes, char c) {
  size_t n = 0;
  for (char b : bytes) n += b == c;
  return n;
}

// Reads a LOG200 or HAMLOG output back and counts its records.
void CheckReadsBack(const std::string& path, size_t lines) {
  varnek_fuzz::Choices none(nullptr, 0);
  varnek_fuzz::SessionReport report = varnek_fuzz::ReadSession(path, none);
  // Only a record reader (not the raw-text one) counts records.
  if (!report.can_update) return;
  FUZZ_CHECK(report.opened);
  FUZZ_CHECK(static_cast<size_t>(report.records_listed) == lines);
}

void WriteAll(const std::string& path, const std::vector<std::string>& lines) {
  const std::string remark_path = path.substr(0, path.rfind('.')) + ".DBR";
  varnek_fuzz::Remove(path);
  varnek_fuzz::Remove(remark_path);
  int questions = varnek_fuzz::QuestionsAsked();
  FUZZ_CHECK(varnek_fuzz::Plugin().Create(path.c_str()) == 1);
  // Only the CSV writer asks the JST/UTC question.
  const bool csv_writer = varnek_fuzz::QuestionsAsked() != questions;
  for (const std::string& line : lines) {
    char* copy = static_cast<char*>(std::malloc(line.size() + 1));
    std::memcpy(copy, line.c_str(), line.size() + 1);
    FUZZ_CHECK(varnek_fuzz::Plugin().WriteText(copy) == 1);
    std::free(copy);
  }
  FUZZ_CHECK(varnek_fuzz::Plugin().CClose() == 1);
  FUZZ_CHECK(varnek_fuzz::Plugin().CClose() == 0);  // no writer is left

  const std::string out = varnek_fuzz::ReadBytes(path);
  const std::string ext = path.substr(path.rfind('.') + 1);
  const size_t n = lines.size();
  if (csv_writer || ext == "log") {
    FUZZ_CHECK(CountByte(out, '\n') == n);
  } else if (ext == "l2") {
    FUZZ_CHECK(out.size() == n * kL2RecordSize);
    for (size_t r = 0; r < n; ++r) {
      FUZZ_CHECK(out.compare(r * kL2RecordSize + kL2RecordSize - 2, 2, "\r\n") == 0);
    }
    if (n > 0) CheckReadsBack(path, n);
  } else if (ext == "dbs") {
    FUZZ_CHECK(out.size() == kDbsHeaderSize + n * kDbsRecordSize + 1);
    FUZZ_CHECK(out.back() == '\x1A' && Count(out, 4) == n);
    const std::string remarks = varnek_fuzz::ReadBytes(remark_path);
    FUZZ_CHECK(remarks.size() >= kDbrHeaderSize && Count(remarks, 4) == n);
    if (n > 0) CheckReadsBack(path, n);
  } else if (ext == "adi") {
    FUZZ_CHECK(out.find("<EOH>\r\n") != std::string::npos);
    FUZZ_CHECK(varnek_fuzz::ListRecords(path).size() == n);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = varnek_fuzz::Host();
  varnek_fuzz::AnswerQuestionsWith(size == 0 || (data[0] & 1) == 0);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= size && lines.size() < kMostLines; ++i) {
    if (i == size || data[i] == '\n') {
      std::string line(reinterpret_cast<const char*>(data) + start, i - start);
      lines.push_back(line.substr(0, std::strlen(line.c_str())));
      start = i + 1;
    }
  }
  for (const char* name : {"/out.log", "/out.l2", "/out.dbs", "/out.csv", "/out.adi"}) {
    WriteAll(dir + name, lines);
  }
  return 0;
}
