// Remark entries of the HAMLOG remark file: three length bytes (QTH,
// remark line 1, remark line 2), then the three texts without terminators.
// Reading follows an offset taken from a record, which may point anywhere:
// every length up to 255 is accepted, and whatever lies past the end of the
// file simply is not there. Writing appends an entry at the stream's
// current position, cutting each text to what the format allows.
#ifndef VARNEK_FORMATS_HAMLOG_REMARK_ENTRY_H_
#define VARNEK_FORMATS_HAMLOG_REMARK_ENTRY_H_

#include <cstdint>
#include <cstdio>

#include "formats/hamlog/hamlog_layout.h"
#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

// The most bytes an entry takes: three lengths and three texts of 255.
constexpr int32_t kEntryMax = kEntryLengthsSize + 3 * kEntryTextMax;

// The three texts of an entry (QTH, remark line 1, remark line 2) as they
// lie in the bytes read from the file. The texts come in order; one that
// the bytes do not hold whole is empty, and so are the ones after it. A
// text ends at its first zero byte, if it holds one.
struct RemarkEntryTexts {
  static constexpr int kQth = 0;
  static constexpr int kLine1 = 1;
  static constexpr int kLine2 = 2;
  const char* text[3] = {"", "", ""};
  int32_t length[3] = {0, 0, 0};
};

// Finds the texts of the entry that begins at bytes[0], of which `held`
// bytes could be read (at the end of the file, fewer than the entry has).
RemarkEntryTexts ViewRemarkEntry(const unsigned char* bytes, int32_t held);

// Reads the entry at `offset` (one seek and one read) and replaces the
// three texts with its texts; an offset the file cannot be positioned at,
// or an entry cut short before its lengths, gives three empty texts.
void ReadRemarkEntry(std::FILE* file, uint32_t offset, TextBuffer& qth, TextBuffer& line1,
                     TextBuffer& line2);

// True for a remark-file position that an OFS field can hold and a 32-bit
// stream seek can reach again.
bool IsRemarkOffset(int64_t position);

// Writes an entry for the three texts at the current position of `file`,
// which the caller keeps as `at`. A text longer than its limit (28, 54, 54
// bytes) is cut to fit and *cut becomes true: never inside a double-byte
// character, and a remark line never inside a tag (RemarkCutLength). Returns the number of bytes
// written; 0 after a short write, with the stream put back to `at`.
int32_t AppendRemarkEntry(std::FILE* file, int64_t at, const TextBuffer& qth,
                          const TextBuffer& line1, const TextBuffer& line2, bool* cut);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_REMARK_ENTRY_H_
