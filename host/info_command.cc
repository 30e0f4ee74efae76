// varnek info: what the plug-in tells about itself. The formats it reads
// are the filters its open dialog offers (the dialog is shown and cancelled,
// which leaves the plug-in as it was); the formats it writes are its
// save-dialog filter list.
#include <cstdio>
#include <string>

#include "host/commands.h"

namespace varnek_host {

namespace {

// Prints description/pattern pairs taken from `list`, each part ended by
// `separator`.
void PrintPairs(const Session& session, const std::string& list, char separator) {
  std::string shown;
  size_t start = 0;
  while (start < list.size() && list[start] != separator) {
    size_t description_end = list.find(separator, start);
    if (description_end == std::string::npos) break;
    size_t pattern_end = list.find(separator, description_end + 1);
    if (pattern_end == std::string::npos) pattern_end = list.size();
    std::string description = list.substr(start, description_end - start);
    std::string pattern = list.substr(description_end + 1, pattern_end - description_end - 1);
    shown = "  ";
    AppendShown(session, pattern.c_str(), &shown);
    if (shown.size() < 16) shown.resize(16, ' ');
    shown.push_back(' ');
    AppendShown(session, description.c_str(), &shown);
    std::printf("%s\n", shown.c_str());
    start = pattern_end + 1;
  }
}

}  // namespace

int RunInfo(const Session& session, const CommandLine&) {
  const PluginLibrary& plugin = *session.plugin;
  std::string shown = "Plug-in:  " + plugin.path() + "\nVersion:  ";
  AppendShown(session, plugin.GetVersionText(), &shown);
  shown += "\nMenu:     ";
  AppendShown(session, plugin.GetMenuName(), &shown);
  std::printf("%s\n", shown.c_str());

  session.answers->chosen_path.clear();
  session.answers->offered_filter.clear();
  plugin.Open(0, nullptr, nullptr);
  std::printf("Reads:\n");
  PrintPairs(session, session.answers->offered_filter, '\0');
  std::printf("Writes:\n");
  PrintPairs(session, plugin.GetCreateFileType(), '|');
  return FinishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
