#include "plugin/tag_cuts.h"

#include <cstring>

namespace varnek {

bool PutFieldTag(TextBuffer& out, TextBuffer& scratch, const char* keyword, const char* value,
                 int32_t length, char open, char close) {
  if (length <= 0) return true;
  int places = 0;
  if (!out.Empty()) CountTagPlaces(out.Str(), out.Length(), &keyword, 1, &places);
  if (places == 0 || !FindTag(out, scratch, keyword)) {
    return AppendRemarkTag(out, keyword, value, length, open, close);
  }
  scratch.Clear();
  bool paired = AppendRemarkTag(scratch, keyword, value, length, open, close);
  scratch.AppendWord(out.Str());
  out.AssignBuffer(scratch);
  return paired;
}

bool ReadBackCheck::AsGivenFrom(std::initializer_list<const TextBuffer*> texts, RemarkText& scratch,
                                TextBuffer& value) {
  // Where the only places for these tags are the writer's own, the reader
  // takes those.
  int places[kMost] = {};
  for (const TextBuffer* text : texts) {
    int counts[kMost];
    CountTagPlaces(text->Str(), text->Length(), keyword_, keyword_length_, n_, counts);
    for (int i = 0; i < n_; ++i) places[i] += counts[i];
  }
  bool plain = true;
  for (int i = 0; i < n_; ++i) {
    int own = given_[i] != nullptr && given_length_[i] > 0 ? 1 : 0;
    plain = plain && places[i] == own;
    // A place inside one of the writer's own values would be taken first.
    for (int32_t j = 0; plain && own == 1 && j < given_length_[i]; ++j) {
      plain = !IsOpeningBracket(given_[i][j]);
    }
  }
  if (plain) return true;

  int found[kMost] = {};
  bool last_matches[kMost] = {};
  for (const TextBuffer* text : texts) {
    scratch.AssignBytes(text->Str(), text->Length());
    for (int i = 0; i < n_; ++i) {
      if (!scratch.CutBytes(value, keyword_[i], keyword_length_[i])) continue;
      // A value that fills an empty field must not end it early: the QSO
      // line splits at the comma.
      if (given_[i] == nullptr && std::memchr(value.Str(), ',', value.Length()) != nullptr) {
        return false;
      }
      ++found[i];
      last_matches[i] =
          given_[i] != nullptr && value.Length() == given_length_[i] &&
          std::memcmp(value.Str(), given_[i], static_cast<size_t>(given_length_[i])) == 0;
    }
  }
  for (int i = 0; i < n_; ++i) {
    if (found[i] > 1) return false;
    if (given_[i] == nullptr) continue;
    if (given_length_[i] == 0 ? found[i] != 0 : found[i] == 0 || !last_matches[i]) return false;
  }
  return true;
}

void AppendDatePieces(TextBuffer& out, char* date, char joint) {
  // Pieces start at bytes 0, 3 and 6; the first two are two bytes long.
  size_t length = std::strlen(date);
  if (length > 2) date[2] = '\0';
  if (length > 5) date[5] = '\0';
  out.AppendN(date, 2);
  out.AppendChar(joint);
  if (length > 3) out.AppendN(date + 3, 2);
  out.AppendChar(joint);
  if (length > 6) out.Append(date + 6);
}

}  // namespace varnek
