// How a file dialog reports the file the user chose, for every host of the
// plug-in and for the stand-in's own default: the full path in the file
// buffer, nFileOffset at the file name (after the last '\' or '/'), and
// nFileExtension after the name's last '.', at the end of the text when the
// name has none, or 0 when the name ends in '.'. Works on the real
// OPENFILENAMEA and on the stand-in's structure alike.
#ifndef VARNEK_PLATFORM_DIALOG_CHOICE_H_
#define VARNEK_PLATFORM_DIALOG_CHOICE_H_

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace varnek {

// Puts `path` (`length` bytes) into the dialog's file buffer; returns 1, or
// 0 (a cancelled dialog) when it does not fit.
template <typename Dialog>
int AnswerDialogWith(Dialog* dialog, const char* path, size_t length) {
  if (path == nullptr || length == 0 || dialog->lpstrFile == nullptr ||
      length + 1 > dialog->nMaxFile || length > 0xFFFF) {
    return 0;
  }
  std::memmove(dialog->lpstrFile, path, length);
  dialog->lpstrFile[length] = '\0';
  size_t name = 0;
  size_t dot = length;  // none yet
  for (size_t i = 0; i < length; ++i) {
    char c = dialog->lpstrFile[i];
    if (c == '\\' || c == '/') {
      name = i + 1;
      dot = length;
    } else if (c == '.') {
      dot = i;
    }
  }
  size_t extension = length;
  if (dot < length) extension = dot + 1 == length ? 0 : dot + 1;
  dialog->nFileOffset = static_cast<uint16_t>(name);
  dialog->nFileExtension = static_cast<uint16_t>(extension);
  return 1;
}

}  // namespace varnek

#endif  // VARNEK_PLATFORM_DIALOG_CHOICE_H_
