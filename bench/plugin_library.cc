#include "plugin_library.h"

#include <cstring>

#include "platform/dialog_choice.h"
#include "platform/win_api.h"

namespace varnek_bench {
namespace {

const char* chosen_file = nullptr;
bool jst_answer = true;
int warnings_shown = 0;
char last_warning[512];

int AnswerMessageBox(HWND, const char* text, const char*, unsigned int style) {
  if ((style & 0x0Fu) == MB_YESNO) return jst_answer ? IDYES : IDNO;
  ++warnings_shown;
  std::strncpy(last_warning, text ? text : "", sizeof last_warning - 1);
  last_warning[sizeof last_warning - 1] = '\0';
  return IDOK;
}

// Returns the chosen file as the dialog does: the full path in the file
// buffer, the offsets of its name and of its extension.
int AnswerDialog(OPENFILENAMEA* dialog) {
  if (chosen_file == nullptr) return 0;
  return varnek::AnswerDialogWith(dialog, chosen_file, std::strlen(chosen_file));
}

// A fixed creation date keeps the written files the same from run to run.
void AnswerClock(SYSTEMTIME* now) { *now = SYSTEMTIME{2026, 12, 2, 8, 12, 0, 0, 0}; }

}  // namespace

bool PluginLibrary::Load(const char* path) {
  if (!varnek_host::PluginLibrary::Load(path, &error_)) return false;
  varnek_host::UserCalls calls;
  calls.message_box = &AnswerMessageBox;
  calls.open_dialog = &AnswerDialog;
  calls.local_time = &AnswerClock;
  calls.system_time = &AnswerClock;
  return Intercept(calls, &error_);
}

const char* PluginLibrary::OpenFile(const char* path) {
  chosen_file = path;
  const char* result = Open(0, nullptr, nullptr);
  chosen_file = nullptr;
  return result;
}

void PluginLibrary::AnswerJst(bool jst) { jst_answer = jst; }

int PluginLibrary::TakeWarnings(std::string* last) {
  int count = warnings_shown;
  if (last != nullptr) *last = count > 0 ? last_warning : "";
  warnings_shown = 0;
  return count;
}

}  // namespace varnek_bench
