#include "e2e/plugin_host.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/dialog_choice.h"

namespace varnek_test {

std::vector<MessageBoxCall> PluginHost::message_boxes;
std::vector<DialogCall> PluginHost::dialogs;
std::string PluginHost::dialog_choice;
int PluginHost::yes_no_answer = IDYES;
SYSTEMTIME PluginHost::clock = {2026, 12, 2, 8, 21, 30, 0, 0};

namespace {

int RecordMessageBox(void* owner, const char* text, const char* caption, unsigned int style) {
  PluginHost::message_boxes.push_back(
      {owner, text ? text : "(null)", caption ? caption : "(null)", style});
  return (style & 0x0F) == MB_YESNO ? PluginHost::yes_no_answer : IDOK;
}

int AnswerDialog(OPENFILENAMEA* dialog) {
  DialogCall call;
  call.struct_size = dialog->lStructSize;
  call.owner = dialog->hwndOwner;
  const char* f = dialog->lpstrFilter;
  if (f != nullptr) {
    const char* p = f;
    while (*p != '\0') p += std::strlen(p) + 1;
    call.filter.assign(f, static_cast<size_t>(p - f + 1));
  }
  call.filter_index = dialog->nFilterIndex;
  call.max_file = dialog->nMaxFile;
  call.initial_file = dialog->lpstrFile ? dialog->lpstrFile : "";
  call.initial_dir_null = dialog->lpstrInitialDir == nullptr;
  call.initial_dir = dialog->lpstrInitialDir ? dialog->lpstrInitialDir : "";
  call.title = dialog->lpstrTitle ? dialog->lpstrTitle : "";
  call.flags = dialog->Flags;
  call.file_title_null = dialog->lpstrFileTitle == nullptr;
  call.custom_filter_null = dialog->lpstrCustomFilter == nullptr;
  call.def_ext_null = dialog->lpstrDefExt == nullptr;
  PluginHost::dialogs.push_back(call);
  const std::string& choice = PluginHost::dialog_choice;
  return varnek::AnswerDialogWith(dialog, choice.data(), choice.size());
}

void AnswerClock(SYSTEMTIME* now) { *now = PluginHost::clock; }

template <typename F>
void Resolve(void* handle, const char* name, F* target) {
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    std::fprintf(stderr, "export %s missing\n", name);
    std::abort();
  }
  *target = reinterpret_cast<F>(symbol);
}

}  // namespace

PluginHost::PluginHost(const char* path) : path_(path ? path : VARNEK_PLUGIN_PATH) { Load(); }

PluginHost::~PluginHost() { Unload(); }

void PluginHost::Load() {
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", path_.c_str(), dlerror());
    std::abort();
  }
  Resolve(handle_, "GetVersionText", &GetVersionText);
  Resolve(handle_, "GetMenuName", &GetMenuName);
  Resolve(handle_, "Open", &Open);
  Resolve(handle_, "Close", &Close);
  Resolve(handle_, "GetLogType", &GetLogType);
  Resolve(handle_, "GetFieldText", &GetFieldText);
  Resolve(handle_, "MoveNext", &MoveNext);
  Resolve(handle_, "Seek", &Seek);
  Resolve(handle_, "IsEOF", &IsEOF);
  Resolve(handle_, "ListText", &ListText);
  Resolve(handle_, "GetText", &GetText);
  Resolve(handle_, "CanUpdate", &CanUpdate);
  Resolve(handle_, "Update", &Update);
  Resolve(handle_, "GetCreateFileType", &GetCreateFileType);
  Resolve(handle_, "Create", &Create);
  Resolve(handle_, "WriteText", &WriteText);
  Resolve(handle_, "CClose", &CClose);
  void (*set_box)(int (*)(void*, const char*, const char*, unsigned int));
  void (*set_dialog)(int (*)(OPENFILENAMEA*));
  void (*set_clock)(void (*)(SYSTEMTIME*));
  Resolve(handle_, "VarnekSetMessageBox", &set_box);
  Resolve(handle_, "VarnekSetOpenDialog", &set_dialog);
  Resolve(handle_, "VarnekSetLocalTime", &set_clock);
  set_box(&RecordMessageBox);
  set_dialog(&AnswerDialog);
  set_clock(&AnswerClock);
  message_boxes.clear();
  dialogs.clear();
  dialog_choice.clear();
  yes_no_answer = IDYES;
}

void PluginHost::Unload() {
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
}

void PluginHost::Reload() {
  Unload();
  Load();
}

const char* PluginHost::OpenFile(const std::string& path) {
  dialog_choice = path;
  const char* result = Open(0, nullptr, nullptr);
  dialog_choice.clear();
  return result;
}

int32_t PluginHost::Write(const std::string& line) {
  std::vector<char> copy(line.begin(), line.end());
  copy.push_back('\0');
  return WriteText(copy.data());
}

std::string PluginHost::List() {
  static char buffer[65535];
  const char* whole = ListText(buffer, sizeof buffer);
  return whole ? std::string(whole) : std::string("(null)");
}

std::vector<std::string> PluginHost::TakeWarnings() {
  std::vector<std::string> texts;
  for (const MessageBoxCall& call : message_boxes) texts.push_back(call.text);
  message_boxes.clear();
  return texts;
}

TempDir::TempDir() {
  char pattern[] = "/tmp/varnek-test-XXXXXX";
  char* made = mkdtemp(pattern);
  if (made == nullptr) std::abort();
  dir_ = made;
}

TempDir::~TempDir() {
  std::string command = "rm -rf '" + dir_ + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cannot remove %s\n", dir_.c_str());
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

}  // namespace varnek_test
