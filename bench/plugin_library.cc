#include "plugin_library.h"

#include <dlfcn.h>

#include <cstring>
#include <type_traits>

#include "platform/dialog_choice.h"
#include "platform/win_api.h"

namespace varnek_bench {
namespace {

const char* chosen_file = nullptr;
bool jst_answer = true;
int warnings_shown = 0;
char last_warning[512];

int AnswerMessageBox(void*, const char* text, const char*, unsigned int style) {
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

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

bool PluginLibrary::Load(const char* path) {
  handle_ = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    error_ = std::string("cannot load ") + path + ": " + (reason ? reason : "?");
    return false;
  }
  bool complete = true;
  auto resolve = [&](const char* name, auto* target) {
    void* symbol = dlsym(handle_, name);
    if (symbol == nullptr) {
      error_ += std::string(error_.empty() ? "missing export:" : "") + " " + name;
      complete = false;
    }
    *target = reinterpret_cast<std::remove_pointer_t<decltype(target)>>(symbol);
  };
  resolve("GetVersionText", &GetVersionText);
  resolve("GetMenuName", &GetMenuName);
  resolve("Open", &Open);
  resolve("Close", &Close);
  resolve("GetLogType", &GetLogType);
  resolve("GetFieldText", &GetFieldText);
  resolve("MoveNext", &MoveNext);
  resolve("Seek", &Seek);
  resolve("IsEOF", &IsEOF);
  resolve("ListText", &ListText);
  resolve("GetText", &GetText);
  resolve("CanUpdate", &CanUpdate);
  resolve("Update", &Update);
  resolve("GetCreateFileType", &GetCreateFileType);
  resolve("Create", &Create);
  resolve("WriteText", &WriteText);
  resolve("CClose", &CClose);
  void (*set_box)(int (*)(void*, const char*, const char*, unsigned int)) = nullptr;
  void (*set_dialog)(int (*)(OPENFILENAMEA*)) = nullptr;
  void (*set_clock)(void (*)(SYSTEMTIME*)) = nullptr;
  resolve("VarnekSetMessageBox", &set_box);
  resolve("VarnekSetOpenDialog", &set_dialog);
  resolve("VarnekSetLocalTime", &set_clock);
  if (!complete) return false;
  set_box(&AnswerMessageBox);
  set_dialog(&AnswerDialog);
  set_clock(&AnswerClock);
  return true;
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
