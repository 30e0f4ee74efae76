// How a HAMLOG record holds a call sign: seven bytes of call sign and three
// bytes of portable designator, no slash. A designator that stood before
// the call sign (KH6/JA1ABC) is remembered by the marker text "$DX" in a
// remark line; a call sign that does not fit the two fields travels whole
// in a ToRadio tag.
#ifndef VARNEK_FORMATS_HAMLOG_CALL_SIGN_H_
#define VARNEK_FORMATS_HAMLOG_CALL_SIGN_H_

#include <cstdint>

#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {

// The marker of a designator that goes before the call sign.
constexpr char kDxMarker[] = "$DX";

// A host call sign taken apart for the record. The two parts point into
// the text that was split; neither is zero-terminated.
struct SplitCall {
  const char* call;
  int32_t call_length;
  const char* portable;  // empty when there is no designator
  int32_t portable_length;
  bool prefix_first;    // the designator stood before the call sign
  bool needs_to_radio;  // the whole text must be kept in a ToRadio tag
};

// Splits at the first '/': the longer part is the call sign (the first one
// when both are as long, unless `marked_first`: the remarks hold the "$DX"
// marker already, which lists the designator first); a third part is
// dropped. The text is not changed.
SplitCall SplitCallSign(const char* text, bool marked_first = false);

// Replaces `out` with the call sign of the 58-byte `record`, with its
// designator after it, or before it when `prefix_first`.
void ComposeCallSign(const unsigned char* record, bool prefix_first, TextBuffer& out);

// True when the record's call sign, as ComposeCallSign gives it back (into
// `scratch`), is `text`, spaces aside: nothing of it was cut or dropped.
bool HoldsCallSign(const unsigned char* record, bool prefix_first, const char* text,
                   TextBuffer& scratch);

// True when `text` holds the "$DX" marker in any letter case.
bool HasDxMarker(const char* text);

}  // namespace hamlog
}  // namespace varnek

#endif  // VARNEK_FORMATS_HAMLOG_CALL_SIGN_H_
