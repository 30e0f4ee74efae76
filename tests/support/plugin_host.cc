#include "support/plugin_host.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
SYSTEMTIME PluginHost::utc_clock = {2026, 12, 2, 8, 12, 30, 0, 0};

namespace {

int RecordMessageBox(HWND owner, const char* text, const char* caption, unsigned int style) {
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
void AnswerUtcClock(SYSTEMTIME* now) { *now = PluginHost::utc_clock; }

}  // namespace

PluginHost::PluginHost(const char* path) : plugin_path_(path ? path : VARNEK_PLUGIN_PATH) {
  LoadAndAnswer();
}

void PluginHost::LoadAndAnswer() {
  std::string problem;
  varnek_host::UserCalls calls;
  calls.message_box = &RecordMessageBox;
  calls.open_dialog = &AnswerDialog;
  calls.local_time = &AnswerClock;
  calls.system_time = &AnswerUtcClock;
  if (!Load(plugin_path_, &problem) || !Intercept(calls, &problem)) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  message_boxes.clear();
  dialogs.clear();
  dialog_choice.clear();
  yes_no_answer = IDYES;
}

void PluginHost::Reload() {
  Unload();
  LoadAndAnswer();
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

SmallFileSystem::SmallFileSystem(const std::string& path, int kib) : path_(path) {
  if (geteuid() != 0) {
    why_ = "only root may mount a file system for this test";
    return;
  }
  mkdir(path.c_str(), 0755);
  std::string options = "size=" + std::to_string(kib) + "k,mode=0755";
  mounted_ = mount("varnek-test", path.c_str(), "tmpfs", 0, options.c_str()) == 0;
  if (!mounted_) why_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) umount2(path_.c_str(), MNT_DETACH);
}

bool SmallFileSystem::MakeReadOnly() {
  return mounted_ &&
         mount("varnek-test", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
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
