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

#include "host/plugin_library.h"

namespace varnek_bench {

// Loading and the export table are the varnek command's; the benchmark adds
// its own answers for the user.
class PluginLibrary : public varnek_host::PluginLibrary {
 public:
  // Loads the library at `path` and installs the answers; false (with
  // Error() set) when it cannot be loaded or lacks an export.
  bool Load(const char* path);
  const std::string& Error() const { return error_; }

  // Opens `path` as if the user picked it in the dialog.
  const char* OpenFile(const char* path);
  // The answer to the JST question of the CSV writer: Yes for JST.
  static void AnswerJst(bool jst);
  // Warnings shown since the last call (questions not counted), then reset;
  // `last` receives the text of the last one when not null.
  static int TakeWarnings(std::string* last = nullptr);

 private:
  std::string error_;
};

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_PLUGIN_LIBRARY_H_
