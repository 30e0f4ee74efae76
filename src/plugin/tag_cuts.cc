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

}  // namespace varnek
