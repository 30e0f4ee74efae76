// Utf8Stream: whether a text handed over in pieces of any size is
// well-formed UTF-8 from its first byte to its last, characters as
// Utf8CharacterLength tells them. On processors that have them, 32 bytes
// are checked at a time with vector instructions (chosen when the stream
// is made); elsewhere ASCII and the common three-byte characters are
// passed over in runs and the rest is taken byte by byte. The stream keeps
// the last bytes of a piece that a character may continue from; it reads
// nothing outside the pieces it is given and owns no memory of its own.
#ifndef VARNEK_FORMATS_ADIF_UTF8_STREAM_H_
#define VARNEK_FORMATS_ADIF_UTF8_STREAM_H_

#include <cstdint>

#include "platform/code_page.h"

namespace varnek {
namespace adif {

class Utf8Stream {
 public:
  static constexpr int32_t kBlock = 32;

  // `vectors` false: the byte path, whatever the processor has.
  explicit Utf8Stream(bool vectors = true);
  // Takes the next `length` bytes; false once the text cannot be UTF-8.
  bool Take(const unsigned char* bytes, int32_t length);
  // The text taken is UTF-8 and ends with a whole character. The stream
  // is finished: nothing more is to be taken.
  bool Finish();

 private:
  bool TakeBytes(const unsigned char* bytes, int32_t length);

  bool wide_ = false;  // the vector path
  bool failed_ = false;
  Utf8Check check_;  // the byte path
  // The vector path: the block before, which of its last bytes start a
  // character it does not finish, and bytes not yet making a whole block.
  unsigned char previous_[kBlock] = {};
  unsigned char unfinished_[kBlock] = {};
  unsigned char pending_[kBlock] = {};
  int32_t pending_length_ = 0;
};

}  // namespace adif
}  // namespace varnek

#endif  // VARNEK_FORMATS_ADIF_UTF8_STREAM_H_
