// A tiny assertion framework for the scenario host, which is also built for
// Windows where GoogleTest is not at hand. A scenario is a function
// registered with SCENARIO; it runs against a freshly loaded plug-in in its
// own output directory, and its EXPECT_* checks record failures without
// stopping it. The runner prints one line per scenario and a closing
// "N passed, N failed, N skipped" line.
#ifndef VARNEK_TESTS_WINDOWS_CHECK_H_
#define VARNEK_TESTS_WINDOWS_CHECK_H_

#include <cstdint>
#include <string>
#include <vector>

#include "windows/formats_ready.h"

namespace scenario {

class Plugin;
class Workspace;

// Collects the failed checks of one scenario.
class Check {
 public:
  void True(bool ok, const char* what, const char* file, int line);
  void Equal(const std::string& got, const std::string& want, const char* what, const char* file,
             int line);
  void Equal(int64_t got, int64_t want, const char* what, const char* file, int line);
  // A failure found outside an EXPECT (a loader or calling-convention fault).
  void Fail(const std::string& message);

  const std::vector<std::string>& failures() const { return failures_; }

 private:
  std::vector<std::string> failures_;
};

// What a scenario works with.
struct Scene {
  Plugin& plugin;
  Check& check;
  const Workspace& files;
};

using ScenarioFunction = void (*)(Scene& scene);

// `formats` is a mask of the Format bits the scenario needs.
bool RegisterScenario(const char* name, unsigned formats, ScenarioFunction function);

// Runs every registered scenario (those whose formats are all ready, or all
// of them when `run_waiting` is set) whose name contains `filter`; the
// output of each goes to root/<name>. Returns the number of failures.
int RunScenarios(const std::string& root, bool run_waiting, const std::string& filter);

// The text a returned pointer stands for; "<null>" for a null pointer.
std::string Shown(const char* text);
// Bytes as C-like escapes, for failure messages.
std::string Escaped(const std::string& bytes);

}  // namespace scenario

#define SCENARIO(name, formats)                                                             \
  static void name(::scenario::Scene& scene);                                               \
  static const bool name##_registered = ::scenario::RegisterScenario(#name, formats, name); \
  static void name(::scenario::Scene& scene)

#define EXPECT_TRUE(condition) scene.check.True((condition), #condition, __FILE__, __LINE__)
#define EXPECT_FALSE(condition) \
  scene.check.True(!(condition), "!(" #condition ")", __FILE__, __LINE__)
// Texts and byte strings: compared byte for byte.
#define EXPECT_BYTES(got, want) \
  scene.check.Equal(std::string(got), std::string(want), #got, __FILE__, __LINE__)
// A text returned by the plug-in (possibly null) against the expected text.
#define EXPECT_TEXT(got, want) \
  scene.check.Equal(::scenario::Shown(got), std::string(want), #got, __FILE__, __LINE__)
#define EXPECT_NULL(got) \
  scene.check.Equal(::scenario::Shown(got), std::string("<null>"), #got, __FILE__, __LINE__)
#define EXPECT_NUMBER(got, want) \
  scene.check.Equal(static_cast<int64_t>(got), static_cast<int64_t>(want), #got, __FILE__, __LINE__)

#endif  // VARNEK_TESTS_WINDOWS_CHECK_H_
