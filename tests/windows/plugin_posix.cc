// The native host: libvarnek.so through dlopen(), its user-interface calls
// answered through the stand-in's setters.
#include <dlfcn.h>

#include "platform/win_api.h"
#include "windows/dialog_answer.h"
#include "windows/plugin.h"

namespace scenario {

namespace {

int RecordMessageBox(void* owner, const char* text, const char* caption, unsigned int style) {
  host_record.message_boxes.push_back(
      {reinterpret_cast<uintptr_t>(owner), TextOrEmpty(text), TextOrEmpty(caption), style});
  return (style & 0x0Fu) == MB_YESNO ? host_answers.yes_no : IDOK;
}

int RecordDialog(OPENFILENAMEA* dialog) { return AnswerDialog(dialog); }

void AnswerClock(SYSTEMTIME* now) {
  ++host_record.clock_reads;
  const LocalTime& clock = host_answers.clock;
  *now = {clock.year, clock.month,  clock.day_of_week, clock.day,
          clock.hour, clock.minute, clock.second,      clock.milliseconds};
}

}  // namespace

bool Plugin::LoadLibraryAndHooks() {
  handle_ = dlopen(VARNEK_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    faults_.push_back(std::string("cannot load ") + VARNEK_PLUGIN_PATH + ": " + dlerror());
    return false;
  }
  for (int i = 0; i < kExportCount; ++i) {
    exports_[i] = dlsym(handle_, kExportNames[i]);
    if (exports_[i] == nullptr) {
      faults_.push_back(std::string("export missing: ") + kExportNames[i]);
      return false;
    }
  }
  using SetMessageBox = void (*)(int (*)(void*, const char*, const char*, unsigned int));
  using SetOpenDialog = void (*)(int (*)(OPENFILENAMEA*));
  using SetLocalTime = void (*)(void (*)(SYSTEMTIME*));
  auto set_box = reinterpret_cast<SetMessageBox>(dlsym(handle_, "VarnekSetMessageBox"));
  auto set_dialog = reinterpret_cast<SetOpenDialog>(dlsym(handle_, "VarnekSetOpenDialog"));
  auto set_clock = reinterpret_cast<SetLocalTime>(dlsym(handle_, "VarnekSetLocalTime"));
  if (set_box == nullptr || set_dialog == nullptr || set_clock == nullptr) {
    faults_.push_back("the stand-in setters are missing");
    return false;
  }
  set_box(&RecordMessageBox);
  set_dialog(&RecordDialog);
  set_clock(&AnswerClock);
  return true;
}

void Plugin::UnloadLibrary() {
  if (handle_ != nullptr && dlclose(handle_) != 0) {
    faults_.push_back(std::string("dlclose failed: ") + dlerror());
  }
  handle_ = nullptr;
}

}  // namespace scenario
