// Plugin: the scenario host's hold on the plug-in, loaded with the
// project's one loader the way the logging program loads it. On Windows
// that is LoadLibraryA("VARNEK.DLL"), GetProcAddress for the seventeen
// exports and a patch of the DLL's import address table so that its
// MessageBoxA, GetOpenFileNameA, GetLocalTime and GetSystemTime calls
// reach this host; every export is called through a check that it left the
// stack as a cdecl function must. Elsewhere it is dlopen() of libvarnek.so
// and the stand-in's Varnek* setters.
//
// What the plug-in showed and asked is recorded in HostRecord, and the
// user's answers are taken from HostAnswers; both are process-wide because
// the intercepted calls are plain functions. A Plugin resets both when it
// loads. Only one Plugin exists at a time.
#ifndef VARNEK_TESTS_WINDOWS_PLUGIN_H_
#define VARNEK_TESTS_WINDOWS_PLUGIN_H_

#include <cstdint>
#include <string>
#include <vector>

#include "host/plugin_library.h"

namespace scenario {

struct MessageBoxSeen {
  uintptr_t owner;
  std::string text;
  std::string caption;
  unsigned int style;
};

// The OPENFILENAMEA fields the plug-in filled in, as the dialog saw them.
struct DialogSeen {
  uint32_t struct_size;
  uintptr_t owner;
  uintptr_t instance;
  std::string filter;  // the whole list up to and including its double zero
  bool custom_filter_null;
  uint32_t max_custom_filter;
  uint32_t filter_index;
  std::string file;  // the file buffer's text when the dialog opened
  uint32_t max_file;
  bool file_title_null;
  uint32_t max_file_title;
  bool initial_dir_null;
  std::string initial_dir;
  bool title_null;
  std::string title;
  uint32_t flags;
  bool default_extension_null;
  uintptr_t custom_data;
  bool hook_null;
  bool template_null;
};

struct LocalTime {
  uint16_t year, month, day_of_week, day, hour, minute, second, milliseconds;
};

struct HostRecord {
  std::vector<MessageBoxSeen> message_boxes;
  std::vector<DialogSeen> dialogs;
  int clock_reads = 0;
};

struct HostAnswers {
  std::string dialog_choice;  // the full path the user picks; empty: cancel
  int yes_no = 6;             // IDYES; 7 is IDNO
  LocalTime clock = {2026, 12, 2, 8, 21, 30, 0, 0};
};

extern HostRecord host_record;
extern HostAnswers host_answers;

class Plugin {
 public:
  // Loads the plug-in; a failure is kept in faults().
  Plugin();
  // Unloads it (the library's detach runs).
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  bool Loaded() const { return library_.Loaded(); }
  // FreeLibrary / dlclose: the library finishes whatever is still active.
  void Unload();
  void Load();

  const char* GetVersionText();
  const char* GetMenuName();
  const char* Open(int32_t unused, uintptr_t owner, const char* path);
  int32_t Close();
  int16_t GetLogType();
  const char* GetFieldText(int32_t column);
  int32_t MoveNext();
  int32_t Seek(int32_t record);
  int32_t IsEOF();
  const char* ListText(char* buffer, int32_t size);
  const char* GetText(int32_t unused);
  int32_t CanUpdate(int32_t unused);
  int32_t Update(int32_t unused, const char* mark);
  const char* GetCreateFileType();
  int32_t Create(const char* name);
  int32_t WriteText(char* line);
  int32_t CClose();

  // Open with the dialog answering `path`.
  const char* OpenChosen(const std::string& path);
  // WriteText of a copy of `line` (the plug-in may change what it gets).
  int32_t Write(const std::string& line);
  // The current record through ListText with a large buffer.
  std::string List();
  // Texts of the message boxes shown since the last call.
  std::vector<std::string> TakeMessages();

  // Loader and calling-convention faults, reported by the runner.
  std::vector<std::string>& faults() { return faults_; }

 private:
  enum Export {
    kGetVersionText,
    kGetMenuName,
    kOpen,
    kClose,
    kGetLogType,
    kGetFieldText,
    kMoveNext,
    kSeek,
    kIsEOF,
    kListText,
    kGetText,
    kCanUpdate,
    kUpdate,
    kGetCreateFileType,
    kCreate,
    kWriteText,
    kCClose,
  };

  template <typename Result, typename... Args>
  Result Call(Export which, Args... args);

  varnek_host::PluginLibrary library_;
  std::vector<std::string> faults_;
};

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_PLUGIN_H_
