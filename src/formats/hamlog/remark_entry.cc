#include "formats/hamlog/remark_entry.h"

#include <cstdint>
#include <cstring>

#include "formats/hamlog/hamlog_layout.h"
#include "text/lead_byte.h"
#include "text/remark_tags.h"

namespace varnek {
namespace hamlog {

namespace {

// The QTH is plain text, cut on a character boundary; a remark line also
// keeps its tags whole.
int32_t LimitedQth(const TextBuffer& qth, bool* cut) {
  if (qth.Length() <= kQthLimit) return qth.Length();
  *cut = true;
  return WholeCharacterLength(qth.Str(), qth.Length(), kQthLimit);
}

int32_t LimitedLine(const TextBuffer& line, bool* cut) {
  if (line.Length() <= kRemarkLineLimit) return line.Length();
  *cut = true;
  return RemarkCutLength(line.Str(), line.Length(), kRemarkLineLimit);
}

bool WriteBytes(std::FILE* file, const void* bytes, int32_t length) {
  size_t size = static_cast<size_t>(length);
  return length == 0 || std::fwrite(bytes, 1, size, file) == size;
}

}  // namespace

RemarkEntryTexts ViewRemarkEntry(const unsigned char* bytes, int32_t held) {
  RemarkEntryTexts entry;
  if (held < kEntryLengthsSize) return entry;
  int32_t at = kEntryLengthsSize;
  for (int i = 0; i < 3; ++i) {
    int32_t length = bytes[i];
    if (held - at < length) break;
    const char* text = reinterpret_cast<const char*>(bytes + at);
    const void* zero = std::memchr(text, '\0', static_cast<size_t>(length));
    entry.text[i] = text;
    entry.length[i] =
        zero == nullptr ? length : static_cast<int32_t>(static_cast<const char*>(zero) - text);
    at += length;
  }
  return entry;
}

void ReadRemarkEntry(std::FILE* file, uint32_t offset, TextBuffer& qth, TextBuffer& line1,
                     TextBuffer& line2) {
  unsigned char bytes[kEntryMax];
  int32_t held = 0;
  if (IsRemarkOffset(offset) && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0) {
    held = static_cast<int32_t>(std::fread(bytes, 1, sizeof bytes, file));
  }
  RemarkEntryTexts entry = ViewRemarkEntry(bytes, held);
  qth.AssignBytes(entry.text[RemarkEntryTexts::kQth], entry.length[RemarkEntryTexts::kQth]);
  line1.AssignBytes(entry.text[RemarkEntryTexts::kLine1], entry.length[RemarkEntryTexts::kLine1]);
  line2.AssignBytes(entry.text[RemarkEntryTexts::kLine2], entry.length[RemarkEntryTexts::kLine2]);
}

bool IsRemarkOffset(int64_t position) { return position > 0 && position <= INT32_MAX; }

int32_t AppendRemarkEntry(std::FILE* file, int64_t at, const TextBuffer& qth,
                          const TextBuffer& line1, const TextBuffer& line2, bool* cut) {
  int32_t qth_length = LimitedQth(qth, cut);
  int32_t line1_length = LimitedLine(line1, cut);
  int32_t line2_length = LimitedLine(line2, cut);
  // The entry is put together first and written with one call.
  unsigned char entry[kEntryLengthsSize + kQthLimit + 2 * kRemarkLineLimit];
  unsigned char* p = entry;
  *p++ = static_cast<unsigned char>(qth_length);
  *p++ = static_cast<unsigned char>(line1_length);
  *p++ = static_cast<unsigned char>(line2_length);
  auto put = [&p](const TextBuffer& text, int32_t length) {
    std::memcpy(p, text.Str(), static_cast<size_t>(length));
    p += length;
  };
  put(qth, qth_length);
  put(line1, line1_length);
  put(line2, line2_length);
  int32_t size = static_cast<int32_t>(p - entry);
  if (WriteBytes(file, entry, size)) return size;
  std::fseek(file, static_cast<long>(at), SEEK_SET);
  return 0;
}

}  // namespace hamlog
}  // namespace varnek
