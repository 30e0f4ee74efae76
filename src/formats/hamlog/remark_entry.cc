#include "formats/hamlog/remark_entry.h"

#include <cstdint>

#include "formats/hamlog/hamlog_layout.h"

namespace varnek {
namespace hamlog {

namespace {

// Reads `length` bytes into `out` (up to a zero byte among them); false
// when fewer arrive.
bool ReadText(std::FILE* file, int32_t length, TextBuffer& out) {
  if (length == 0) return true;
  char area[kEntryTextMax + 1];
  size_t size = static_cast<size_t>(length);
  if (std::fread(area, 1, size, file) != size) return false;
  area[length] = '\0';
  out.Append(area);
  return true;
}

int32_t Limited(const TextBuffer& text, int32_t limit, bool* cut) {
  if (text.Length() <= limit) return text.Length();
  *cut = true;
  return limit;
}

bool WriteBytes(std::FILE* file, const void* bytes, int32_t length) {
  size_t size = static_cast<size_t>(length);
  return length == 0 || std::fwrite(bytes, 1, size, file) == size;
}

}  // namespace

void ReadRemarkEntry(std::FILE* file, uint32_t offset, TextBuffer& qth, TextBuffer& line1,
                     TextBuffer& line2) {
  qth.Clear();
  line1.Clear();
  line2.Clear();
  if (!IsRemarkOffset(offset)) return;
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return;
  unsigned char lengths[kEntryLengthsSize];
  if (std::fread(lengths, 1, sizeof lengths, file) != sizeof lengths) return;
  if (!ReadText(file, lengths[0], qth)) return;
  if (!ReadText(file, lengths[1], line1)) return;
  ReadText(file, lengths[2], line2);
}

bool IsRemarkOffset(int64_t position) { return position > 0 && position <= INT32_MAX; }

int32_t AppendRemarkEntry(std::FILE* file, int64_t at, const TextBuffer& qth,
                          const TextBuffer& line1, const TextBuffer& line2, bool* cut) {
  int32_t qth_length = Limited(qth, kQthLimit, cut);
  int32_t line1_length = Limited(line1, kRemarkLineLimit, cut);
  int32_t line2_length = Limited(line2, kRemarkLineLimit, cut);
  unsigned char lengths[kEntryLengthsSize] = {static_cast<unsigned char>(qth_length),
                                              static_cast<unsigned char>(line1_length),
                                              static_cast<unsigned char>(line2_length)};
  if (WriteBytes(file, lengths, kEntryLengthsSize) && WriteBytes(file, qth.Str(), qth_length) &&
      WriteBytes(file, line1.Str(), line1_length) && WriteBytes(file, line2.Str(), line2_length)) {
    return kEntryLengthsSize + qth_length + line1_length + line2_length;
  }
  std::fseek(file, static_cast<long>(at), SEEK_SET);
  return 0;
}

}  // namespace hamlog
}  // namespace varnek
