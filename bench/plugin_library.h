// PluginLibrary: the plug-in loaded at run time the way the host loads it,
// its seventeen exports resolved by name, and the stand-in's file dialog,
// message boxes and clock answered by the benchmark instead of a user.
// The answers are process-wide (the stand-in takes plain function
// pointers): the file the next dialog returns, Yes or No to the JST
// question. Calls through it allocate nothing on the benchmark's side.
#ifndef VARNEK_BENCH_PLUGIN_LIBRARY_H_
#define VARNEK_BENCH_PLUGIN_LIBRARY_H_

#include <cstdint>
#include <string>

namespace varnek_bench {

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Loads the library at `path`; false (with Error() set) when it cannot be
  // loaded or lacks an export.
  bool Load(const char* path);
  const std::string& Error() const { return error_; }

  // Opens `path` as if the user picked it in the dialog.
  const char* OpenFile(const char* path);
  // The answer to the JST question of the CSV writer: Yes for JST.
  static void AnswerJst(bool jst);
  // Warnings shown since the last call (questions not counted), then reset;
  // `last` receives the text of the last one when not null.
  static int TakeWarnings(std::string* last = nullptr);

  const char* (*GetVersionText)() = nullptr;
  const char* (*GetMenuName)() = nullptr;
  const char* (*Open)(int32_t, void*, const char*) = nullptr;
  int32_t (*Close)() = nullptr;
  int16_t (*GetLogType)() = nullptr;
  const char* (*GetFieldText)(int32_t) = nullptr;
  int32_t (*MoveNext)() = nullptr;
  int32_t (*Seek)(int32_t) = nullptr;
  int32_t (*IsEOF)() = nullptr;
  const char* (*ListText)(char*, int32_t) = nullptr;
  const char* (*GetText)(int32_t) = nullptr;
  int32_t (*CanUpdate)(int32_t) = nullptr;
  int32_t (*Update)(int32_t, const char*) = nullptr;
  const char* (*GetCreateFileType)() = nullptr;
  int32_t (*Create)(const char*) = nullptr;
  int32_t (*WriteText)(char*) = nullptr;
  int32_t (*CClose)() = nullptr;

 private:
  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_PLUGIN_LIBRARY_H_
