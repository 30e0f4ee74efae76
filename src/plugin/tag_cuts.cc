#include "plugin/tag_cuts.h"

#include <cstring>

namespace varnek {

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
