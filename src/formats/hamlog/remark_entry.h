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

#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

// Replaces the three texts with those of the entry at `offset`. The texts
// are read in order; when one cannot be read whole, it and the ones after
// it stay empty. A text ends at its first zero byte, if it holds one.
void ReadRemarkEntry(std::FILE* file, uint32_t offset, TextBuffer& qth, TextBuffer& line1,
                     TextBuffer& line2);

// True for a remark-file position that an OFS field can hold and a 32-bit
// stream seek can reach again.
bool IsRemarkOffset(int64_t position);

// Writes an entry for the three texts at the current position of `file`,
// which the caller keeps as `at`. A text longer than its limit (28, 54, 54
// bytes) is cut to it and *cut becomes true. Returns the number of bytes
// written; 0 after a short write, with the stream put back to `at`.
int32_t AppendRemarkEntry(std::FILE* file, int64_t at, const TextBuffer& qth,
                          const TextBuffer& line1, const TextBuffer& line2, bool* cut);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_REMARK_ENTRY_H_
