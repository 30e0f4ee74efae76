// The scenario host. Usage: varnek_scenarios OUTPUT_DIR [--all] [NAME_PART]
// Runs every scenario against the plug-in, each writing its files into
// OUTPUT_DIR/<scenario>; --all also runs those whose format is not ready.
// Exits 0 when every scenario passed.
#include <cstdio>
#include <string>

#include "windows/check.h"
#include "windows/workspace.h"

int main(int argc, char** argv) {
  std::string root;
  std::string filter;
  bool run_waiting = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--all") {
      run_waiting = true;
    } else if (root.empty()) {
      root = argument;
    } else {
      filter = argument;
    }
  }
  if (root.empty()) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [--all] [NAME_PART]\n", argv[0]);
    return 2;
  }
  root = scenario::NativeDirectory(root);
  if (!scenario::MakeDirectory(root)) {
    std::fprintf(stderr, "cannot make %s\n", root.c_str());
    return 2;
  }
  return scenario::RunScenarios(root, run_waiting, filter) == 0 ? 0 : 1;
}
