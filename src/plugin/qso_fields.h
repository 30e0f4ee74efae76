// QsoFields: one contact in the host's form, as thirteen field slots and the
// assembled QSO line (fields joined by commas; fields 8, 9 and 10 quoted
// when not empty; nothing escaped; no line end). Readers fill the slots, or
// point a field at bytes of their own that already hold its text, and
// assemble; writers use the slots as scratch. The slots' storage is kept
// across records.
#ifndef VARNEK_PLUGIN_QSO_FIELDS_H_
#define VARNEK_PLUGIN_QSO_FIELDS_H_

#include <cstdint>

#include "text/text_buffer.h"

namespace varnek {

// QSO line field numbers.
enum QsoField : int {
  kDate = 1,
  kTime = 2,
  kCall = 3,
  kHisReport = 4,
  kFrequency = 5,
  kMode = 6,
  kPower = 7,
  kName = 8,
  kQth = 9,
  kRemarks = 10,
  kQslMark1 = 11,
  kQslMark2 = 12,
  kEnv = 13,
};
constexpr int kQsoFieldCount = 13;

class QsoFields {
 public:
  // Slot of field n (1 to 13).
  TextBuffer& Field(int n) { return slots_[n - 1]; }
  TextBuffer& Line() { return line_; }

  // Empties the thirteen slots (storage kept) and forgets what Show set;
  // the line is left alone.
  void Clear();
  // Field n is the `length` bytes at `text` (no zero byte among them)
  // instead of its slot, until the next Clear or Show; the slot is then not
  // looked at. The bytes belong to the caller and must stay as they are
  // until Assemble.
  void Show(int n, const char* text, int32_t length) {
    shown_[n - 1] = text;
    shown_length_[n - 1] = length;
  }
  // Builds the line from the slots, copies at most (size & 0xFFFF) - 1 bytes
  // and a zero into `buffer` (nothing when the low 16 bits are 0) and
  // returns the whole line.
  const char* Assemble(char* buffer, int32_t size);

 private:
  TextBuffer slots_[kQsoFieldCount];
  const char* shown_[kQsoFieldCount] = {};
  int32_t shown_length_[kQsoFieldCount] = {};
  TextBuffer line_;
};

// Copies a line into a host buffer of `size` bytes (low 16 bits used):
// at most size - 1 bytes and a zero; nothing at all for size 0.
void CopyToHostBuffer(char* buffer, int32_t size, const char* text);
// The same for a text of `length` bytes without a zero byte among them.
void CopyToHostBuffer(char* buffer, int32_t size, const char* text, int32_t length);

// Takes a writable QSO line apart in place into fields 1 to 13 (missing
// trailing fields are empty texts; anything after field 13 is ignored).
struct QsoLineParts {
  char* field[kQsoFieldCount + 1];     // field[1] .. field[13]
  int32_t length[kQsoFieldCount + 1];  // their lengths
  explicit QsoLineParts(char* line);

  // Appends field n to `out`.
  void AppendTo(TextBuffer& out, int n) const { out.AppendBytes(field[n], length[n]); }
  // Makes field n empty.
  void Drop(int n) {
    field[n] = none_;
    length[n] = 0;
  }

 private:
  char none_[1] = {'\0'};  // stands in for a null line
};

}  // namespace varnek

#endif  // VARNEK_PLUGIN_QSO_FIELDS_H_
