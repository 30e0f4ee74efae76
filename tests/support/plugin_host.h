// A test host: the plug-in loaded with the project's one loader, its
// message boxes, file dialog and clocks answered for the test. Everything
// the plug-in showed or asked is recorded. Also the file helpers the tests
// share.
#ifndef VARNEK_TESTS_SUPPORT_PLUGIN_HOST_H_
#define VARNEK_TESTS_SUPPORT_PLUGIN_HOST_H_

#include <cstdint>
#include <string>
#include <vector>

#include "host/plugin_library.h"
#include "platform/win_api.h"

namespace varnek_test {

struct MessageBoxCall {
  void* owner;
  std::string text;
  std::string caption;
  unsigned int style;
};

struct DialogCall {
  uint32_t struct_size;
  void* owner;
  std::string filter;  // the whole double-zero-ended list, zeros included
  uint32_t filter_index;
  uint32_t max_file;
  std::string initial_file;
  std::string initial_dir;
  bool initial_dir_null;
  std::string title;
  uint32_t flags;
  bool file_title_null;
  bool custom_filter_null;
  bool def_ext_null;
};

// The exports are the members the loader resolves.
class PluginHost : public varnek_host::PluginLibrary {
 public:
  // Loads the plug-in; aborts the test program when it cannot.
  explicit PluginHost(const char* path = nullptr);
  // Unloads and loads again (the library's detach and attach run).
  void Reload();

  // What the plug-in showed and asked.
  static std::vector<MessageBoxCall> message_boxes;
  static std::vector<DialogCall> dialogs;
  // The user's answers: the file the dialog returns (empty: cancel), the
  // answer to a Yes/No box, the clock.
  static std::string dialog_choice;
  static int yes_no_answer;
  static SYSTEMTIME clock;
  static SYSTEMTIME utc_clock;

  // Opens `path` as if the user picked it in the dialog.
  const char* OpenFile(const std::string& path);
  // Writes `line` (copied, the plug-in may change it) to the active writer.
  int32_t Write(const std::string& line);
  // The current record through ListText with a large buffer.
  std::string List();
  // Message box texts shown since the last call, then forgotten.
  static std::vector<std::string> TakeWarnings();

 private:
  void LoadAndAnswer();
  std::string plugin_path_;
};

// Files for a test, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
};

// A tmpfs of `kib` KiB mounted on the directory `path` (made if missing)
// while the object lives, to be filled or made read-only. Only root may
// mount: for anyone else mounted() is false and why() says so.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::string& path, int kib);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }
  // Mounts it again read-only; false when that failed.
  bool MakeReadOnly();

 private:
  std::string path_;
  bool mounted_ = false;
  std::string why_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

}  // namespace varnek_test

#endif  // VARNEK_TESTS_SUPPORT_PLUGIN_HOST_H_
