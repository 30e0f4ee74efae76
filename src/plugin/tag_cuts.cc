#include "plugin/tag_cuts.h"

#include <cstring>

#include "text/fields.h"

namespace varnek {

bool CutFirstTag(TextBuffer& remarks, TextBuffer& value,
                 std::initializer_list<const char*> keywords) {
  for (const char* keyword : keywords) {
    if (CutTag(remarks, value, keyword)) return true;
  }
  return false;
}

void DropNameRepeatingOperator(char** name, const TextBuffer& remarks, TextBuffer& value) {
  if (**name == '\0') return;
  if (FindTag(remarks, value, "OP") && std::strcmp(value.Str(), *name) == 0) {
    static char empty[1] = {'\0'};
    *name = empty;
  }
}

bool MoveFirstTag(TextBuffer& remarks, TextBuffer& value, TextBuffer& out,
                  std::initializer_list<const char*> keywords) {
  if (!CutFirstTag(remarks, value, keywords)) return false;
  out.AppendBuffer(value);
  return true;
}

bool CutFirstTagTrimmed(TextBuffer& remarks, TextBuffer& value,
                        std::initializer_list<const char*> keywords) {
  if (!CutFirstTag(remarks, value, keywords)) return false;
  value.Trim();
  return true;
}

void AppendEndTime(TextBuffer& out, TextBuffer& remarks, TextBuffer& value,
                   const char* start_time) {
  if (!MoveFirstTag(remarks, value, out, {"END"})) out.Append(start_time);
}

void AppendDatePieces(TextBuffer& out, const char* date, char joint) {
  // Pieces start at bytes 0, 3 and 6; the first two are two bytes long.
  size_t length = std::strlen(date);
  out.AppendN(date, 2);
  out.AppendChar(joint);
  if (length > 3) out.AppendN(date + 3, 2);
  out.AppendChar(joint);
  if (length > 6) out.Append(date + 6);
}

}  // namespace varnek
