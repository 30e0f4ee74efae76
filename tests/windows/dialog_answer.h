// The host's side of the file-choice dialog, shared by the Windows host
// (the real OPENFILENAMEA) and the native host (the stand-in's structure
// of the same field names): records what the plug-in filled in, then
// answers as the dialog does when the user picks host_answers.dialog_choice,
// or cancels when there is none.
#ifndef VARNEK_TESTS_WINDOWS_DIALOG_ANSWER_H_
#define VARNEK_TESTS_WINDOWS_DIALOG_ANSWER_H_

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/dialog_choice.h"
#include "windows/plugin.h"

namespace scenario {

inline std::string TextOrEmpty(const char* text) { return text ? text : ""; }

// The filter list: pairs of zero-ended texts, ended by one more zero byte.
inline std::string FilterList(const char* filter) {
  if (filter == nullptr) return std::string();
  const char* end = filter;
  while (*end != '\0') end += std::strlen(end) + 1;
  return std::string(filter, static_cast<size_t>(end - filter + 1));
}

template <typename Dialog>
int AnswerDialog(Dialog* dialog) {
  DialogSeen seen;
  seen.struct_size = dialog->lStructSize;
  seen.owner = reinterpret_cast<uintptr_t>(dialog->hwndOwner);
  seen.instance = reinterpret_cast<uintptr_t>(dialog->hInstance);
  seen.filter = FilterList(dialog->lpstrFilter);
  seen.custom_filter_null = dialog->lpstrCustomFilter == nullptr;
  seen.max_custom_filter = dialog->nMaxCustFilter;
  seen.filter_index = dialog->nFilterIndex;
  seen.max_file = dialog->nMaxFile;
  seen.file = dialog->lpstrFile
                  ? std::string(dialog->lpstrFile, strnlen(dialog->lpstrFile, dialog->nMaxFile))
                  : std::string();
  seen.file_title_null = dialog->lpstrFileTitle == nullptr;
  seen.max_file_title = dialog->nMaxFileTitle;
  seen.initial_dir_null = dialog->lpstrInitialDir == nullptr;
  seen.initial_dir = TextOrEmpty(dialog->lpstrInitialDir);
  seen.title_null = dialog->lpstrTitle == nullptr;
  seen.title = TextOrEmpty(dialog->lpstrTitle);
  seen.flags = dialog->Flags;
  seen.default_extension_null = dialog->lpstrDefExt == nullptr;
  seen.custom_data = static_cast<uintptr_t>(dialog->lCustData);
  seen.hook_null = dialog->lpfnHook == nullptr;
  seen.template_null = dialog->lpTemplateName == nullptr;
  host_record.dialogs.push_back(seen);

  const std::string& choice = host_answers.dialog_choice;
  return varnek::AnswerDialogWith(dialog, choice.data(), choice.size());
}

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_DIALOG_ANSWER_H_
