// varnek info: what the plug-in tells about itself. The formats it reads
// are the filters its open dialog offers (the dialog is shown and cancelled,
// which leaves the plug-in as it was); the formats it writes are its
// save-dialog filter list. Formats of the table of formats that have no
// entry in a dialog (ADIF) are listed with them.
#include <cstring>
#include <string>

#include "formats/format_table.h"
#include "host/commands.h"
#include "host/text_streams.h"

namespace varnek_host {

namespace {

void PrintPair(const Session& session, const std::string& pattern, const std::string& description) {
  std::string shown = "  ";
  AppendShown(session, pattern.c_str(), &shown);
  if (shown.size() < 16) shown.resize(16, ' ');
  shown.push_back(' ');
  AppendShown(session, description.c_str(), &shown);
  WriteOutput(shown + "\n");
}

// The formats of the table that read (or write) without a dialog entry.
void PrintFormatsWithoutEntry(const Session& session, bool writing) {
  for (size_t i = 0; i < varnek::kFormatCount; ++i) {
    const varnek::FormatRow& row = varnek::kFormats[i];
    bool serves = writing ? row.writes : row.reads;
    const varnek::DialogEntry& entry = writing ? row.save_dialog : row.open_dialog;
    if (!serves || entry.description != nullptr || row.fallback) continue;
    std::string pattern;
    for (const char* p = row.extensions; *p != '\0';) {
      const char* end = std::strchr(p, ',');
      size_t length = end != nullptr ? static_cast<size_t>(end - p) : std::strlen(p);
      if (!pattern.empty()) pattern += ';';
      pattern += "*." + std::string(p, length);
      p += length + (end != nullptr ? 1 : 0);
    }
    PrintPair(session, pattern, row.name);
  }
}

// Prints description/pattern pairs taken from `list`, each part ended by
// `separator`; the formats without a dialog entry go before the pair for
// all files, or after the list when it has none.
void PrintPairs(const Session& session, const std::string& list, char separator, bool writing) {
  size_t start = 0;
  bool listed_others = false;
  while (start < list.size() && list[start] != separator) {
    size_t description_end = list.find(separator, start);
    if (description_end == std::string::npos) break;
    size_t pattern_end = list.find(separator, description_end + 1);
    if (pattern_end == std::string::npos) pattern_end = list.size();
    std::string description = list.substr(start, description_end - start);
    std::string pattern = list.substr(description_end + 1, pattern_end - description_end - 1);
    if (pattern == "*.*" && !listed_others) {
      PrintFormatsWithoutEntry(session, writing);
      listed_others = true;
    }
    PrintPair(session, pattern, description);
    start = pattern_end + 1;
  }
  if (!listed_others) PrintFormatsWithoutEntry(session, writing);
}

}  // namespace

int RunInfo(const Session& session, const CommandLine&) {
  const PluginLibrary& plugin = *session.plugin;
  std::string shown = "Plug-in:  " + plugin.path() + "\nVersion:  ";
  AppendShown(session, plugin.GetVersionText(), &shown);
  shown += "\nMenu:     ";
  AppendShown(session, plugin.GetMenuName(), &shown);
  WriteOutput(shown + "\n");

  session.answers->chosen_path.clear();
  session.answers->offered_filter.clear();
  plugin.Open(0, nullptr, nullptr);
  WriteOutput("Reads:\n");
  PrintPairs(session, session.answers->offered_filter, '\0', false);
  WriteOutput("Writes:\n");
  PrintPairs(session, plugin.GetCreateFileType(), '|', true);
  return FinishOutput() ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
