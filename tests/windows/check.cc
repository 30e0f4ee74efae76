#include "windows/check.h"

#include <cstdio>
#include <exception>

#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {

namespace {

struct Registered {
  const char* name;
  unsigned formats;
  ScenarioFunction function;
};

std::vector<Registered>& Registry() {
  static std::vector<Registered> scenarios;
  return scenarios;
}

std::string Where(const char* file, int line) {
  std::string path = file;
  size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) path = path.substr(slash + 1);
  return path + ":" + std::to_string(line) + ": ";
}

std::string FormatNames(unsigned formats) {
  static const char* const kNames[] = {"boundary", "CSV", "LOG200", "HAMLOG", "QIRNO", "ADIF"};
  std::string names;
  for (unsigned bit = 0; bit < sizeof kNames / sizeof *kNames; ++bit) {
    if ((formats & (1u << bit)) == 0) continue;
    if (!names.empty()) names += ", ";
    names += kNames[bit];
  }
  return names;
}

}  // namespace

void Check::True(bool ok, const char* what, const char* file, int line) {
  if (!ok) failures_.push_back(Where(file, line) + what + " is false");
}

void Check::Equal(const std::string& got, const std::string& want, const char* what,
                  const char* file, int line) {
  if (got == want) return;
  failures_.push_back(Where(file, line) + what + "\n      got:  \"" + Escaped(got) +
                      "\"\n      want: \"" + Escaped(want) + "\"");
}

void Check::Equal(int64_t got, int64_t want, const char* what, const char* file, int line) {
  if (got == want) return;
  failures_.push_back(Where(file, line) + what + " is " + std::to_string(got) + ", want " +
                      std::to_string(want));
}

void Check::Fail(const std::string& message) { failures_.push_back(message); }

std::string Shown(const char* text) { return text ? std::string(text) : std::string("<null>"); }

std::string Escaped(const std::string& bytes) {
  std::string shown;
  for (unsigned char c : bytes) {
    if (c == '\\' || c == '"') {
      shown += '\\';
      shown += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      shown += hex;
    }
  }
  return shown;
}

bool RegisterScenario(const char* name, unsigned formats, ScenarioFunction function) {
  Registry().push_back({name, formats, function});
  return true;
}

int RunScenarios(const std::string& root, bool run_waiting, const std::string& filter) {
  int passed = 0;
  int failed = 0;
  int skipped = 0;
  for (const Registered& registered : Registry()) {
    if (std::string(registered.name).find(filter) == std::string::npos) continue;
    if ((registered.formats & ~kFormatsReady) != 0 && !run_waiting) {
      std::printf("[skip] %s (waits on %s)\n", registered.name,
                  FormatNames(registered.formats & ~kFormatsReady).c_str());
      ++skipped;
      continue;
    }
    Check check;
    {
      Workspace files(root, registered.name);
      Plugin plugin;
      if (plugin.Loaded()) {
        Scene scene{plugin, check, files};
        try {
          registered.function(scene);
        } catch (const std::exception& error) {
          check.Fail(std::string("stopped by an exception: ") + error.what());
        }
      }
      plugin.Unload();
      for (const std::string& fault : plugin.faults()) check.Fail(fault);
    }
    if (check.failures().empty()) {
      std::printf("[ ok ] %s\n", registered.name);
      ++passed;
    } else {
      std::printf("[FAIL] %s\n", registered.name);
      for (const std::string& failure : check.failures()) std::printf("    %s\n", failure.c_str());
      ++failed;
    }
    std::fflush(stdout);
  }
  std::printf("%d passed, %d failed, %d skipped\n", passed, failed, skipped);
  return failed;
}

}  // namespace scenario
