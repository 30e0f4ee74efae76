#include "plugin/file_names.h"

#include <cstring>

namespace varnek {

namespace {

// Index of the extension dot (searched from the last byte down to the
// second), or -1.
int32_t ExtensionDot(const char* name) {
  int32_t n = static_cast<int32_t>(std::strlen(name));
  for (int32_t i = n - 1; i >= 1; --i) {
    if (name[i] == '.') return i;
  }
  return -1;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const char* GetExtension(const char* name) {
  int32_t dot = ExtensionDot(name);
  return dot < 0 ? name + std::strlen(name) : name + dot + 1;
}

void ReplaceExtension(TextBuffer& name, const char* extension) {
  int32_t dot = ExtensionDot(name.Str());
  if (dot >= 0) name.Truncate(dot);
  name.Append(extension);
}

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (Lower(*a) != Lower(*b)) return false;
  }
  return *a == *b;
}

}  // namespace varnek
