#include "host/command_line.h"

#include "formats/format_table.h"
#include "host/commands.h"
#include "host/help_text.h"
#include "host/log_files.h"

namespace varnek_host {

namespace {

// A record number: decimal digits only, within the plug-in's 32-bit range.
bool ParseRecord(const std::string& text, int32_t* record) {
  if (text.empty() || text.size() > 10) return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > INT32_MAX) return false;
  *record = static_cast<int32_t>(value);
  return true;
}

bool TakeNothing(const std::vector<std::string>&, CommandLine*, std::string*) { return true; }

bool TakeLog(const std::vector<std::string>& operands, CommandLine* line, std::string*) {
  line->log = operands[0];
  return true;
}

bool TakeInputAndOutput(const std::vector<std::string>& operands, CommandLine* line,
                        std::string* problem) {
  line->log = operands[0];
  line->output = operands[1];
  if (line->input_encoding != InputEncoding::kGuess && ReaderFormatOf(line->log).record_size > 0) {
    *problem = "--input-encoding applies to text input only, not to " +
               std::string(ReaderFormatOf(line->log).name) + " logs";
    return false;
  }
  return true;
}

bool TakeLogRecordAndMark(const std::vector<std::string>& operands, CommandLine* line,
                          std::string* problem) {
  line->log = operands[0];
  if (!ParseRecord(operands[1], &line->record)) {
    *problem = "RECORD must be a record number from 0 to 2147483647, not '" + operands[1] + "'";
    return false;
  }
  if (operands.size() == 3) {
    if (operands[2].empty()) {
      *problem = "MARK must not be empty";
      return false;
    }
    line->has_mark = true;
    line->mark = operands[2];
  }
  return true;
}

bool TakeHelpTopic(const std::vector<std::string>& operands, CommandLine* line,
                   std::string* problem);

// "LOG200 (.l2) and HAMLOG (.dbs)": the formats read as QSO lines.
std::string ReadFormats() {
  std::vector<std::string> names;
  for (size_t i = 0; i < varnek::kFormatCount; ++i) {
    const varnek::FormatRow& row = varnek::kFormats[i];
    if (row.reads && !row.fallback)
      names.push_back(std::string(row.name) + " (" + Dotted(row.extensions) + ")");
  }
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

// ".log QIRNO text, .l2 LOG200, .dbs HAMLOG, anything else CSV".
std::string WriteFormats() {
  std::string text;
  std::string fallback;
  for (size_t i = 0; i < varnek::kFormatCount; ++i) {
    const varnek::FormatRow& row = varnek::kFormats[i];
    if (!row.writes) continue;
    if (row.fallback) {
      fallback = row.name;
      continue;
    }
    if (!text.empty()) text += ", ";
    std::string name = row.name;
    for (char& c : name) c = c == ' ' ? kKeptTogether : c;
    text += Dotted(row.extensions) + kKeptTogether + name;
  }
  return text + ", anything else " + fallback;
}

// The companion files the formats write (".DBR"), for the help.
std::string CompanionFiles() {
  std::string text;
  for (size_t i = 0; i < varnek::kFormatCount; ++i) {
    const varnek::FormatRow& row = varnek::kFormats[i];
    if (!row.writes || row.companion_extension == nullptr) continue;
    if (!text.empty()) text += ", ";
    text += std::string(row.companion_extension) + " of a " + row.name + " log";
  }
  return text.empty() ? "" : " (with its " + text + ")";
}

std::string ListSummary() {
  return "print every record of LOG: a QSO line for " + ReadFormats() +
         " logs, the raw line for any other file";
}

std::string ListDetails() {
  return "With -n each record comes after its number, counted from 0 as qsl counts them. A log "
         "that may be read but not written (read-only) is listed all the same.";
}

std::string ConvertSummary() {
  return "read IN record by record and write OUT in the format of its extension: " +
         WriteFormats() + "; an existing OUT is replaced only with --force";
}

std::string ConvertDetails() {
  return "OUT" + CompanionFiles() +
         " is written into temporary files beside it and renamed into place only when every "
         "record was written and the files were closed cleanly; after a failure or an "
         "interrupt OUT is as it was. An interrupted conversion keeps what it wrote under the "
         "temporary names it prints. A text input (CSV or any other text) must hold QSO lines: "
         "a date (YYMMDD or YY/MM/DD), a time (HHMM) and a call sign first; other lines are left "
         "out with a message naming the line, blank lines and a header line that names the "
         "fields without one. UTF-8 input is converted to CP932 (the plug-in's character set); "
         "characters CP932 lacks become '?'. The summary counts what OUT holds.";
}

std::string QslSummary() {
  return "print QSL mark 1 of record RECORD (counted from 0); with MARK, set it in place";
}

std::string QslDetails() {
  return "Each format has its rule: HAMLOG changes only a mark that is set, LOG200 writes only "
         "into an empty mark field. When the mark stays as it was, qsl says which rule kept it.";
}

std::string InfoSummary() {
  return "show the plug-in's version, menu caption and the formats it reads and writes";
}

std::string HelpSummary() {
  return "show this text, or what COMMAND does and which options it takes";
}

std::string NoDetails() { return std::string(); }

const std::vector<CommandSpec> kCommandSpecs = {
    {"list", Command::kList, 1, 1, "LOG", &TakeLog, &RunList, &ListSummary, &ListDetails},
    {"convert", Command::kConvert, 2, 2, "IN OUT", &TakeInputAndOutput, &RunConvert,
     &ConvertSummary, &ConvertDetails},
    {"qsl", Command::kQsl, 2, 3, "LOG RECORD [MARK]", &TakeLogRecordAndMark, &RunQsl, &QslSummary,
     &QslDetails},
    {"info", Command::kInfo, 0, 0, "", &TakeNothing, &RunInfo, &InfoSummary, &NoDetails},
    {"help", Command::kHelp, 0, 1, "[COMMAND]", &TakeHelpTopic, nullptr, &HelpSummary, &NoDetails},
};

bool TakeHelpTopic(const std::vector<std::string>& operands, CommandLine* line,
                   std::string* problem) {
  line->help_topic = Command::kHelp;
  if (operands.empty()) return true;
  for (const CommandSpec& spec : kCommandSpecs) {
    if (operands[0] == spec.name) {
      line->help_topic = spec.command;
      return true;
    }
  }
  *problem = "unknown command '" + operands[0] + "'";
  return false;
}

bool SetEncoding(CommandLine* line, const std::string& value, std::string* problem) {
  if (value == "cp932" || value == "CP932") {
    line->input_encoding = InputEncoding::kCp932;
  } else if (value == "utf-8" || value == "UTF-8" || value == "utf8") {
    line->input_encoding = InputEncoding::kUtf8;
  } else {
    *problem = "--input-encoding takes cp932 or utf-8, not '" + value + "'";
    return false;
  }
  return true;
}

const std::vector<OptionSpec> kOptionSpecs = {
    {"--numbers",
     "-n",
     nullptr,
     nullptr,
     {Command::kList},
     "--numbers",
     "[-n]",
     "show each record after its number (from 0, as qsl counts)",
     &CommandLine::numbers,
     nullptr},
    {"--raw",
     nullptr,
     nullptr,
     nullptr,
     {Command::kList, Command::kQsl},
     "--raw",
     "[--raw]",
     "show texts as the plug-in gives them (CP932 bytes), and take MARK as CP932 bytes",
     &CommandLine::raw,
     nullptr},
    {"--force",
     nullptr,
     nullptr,
     nullptr,
     {Command::kConvert},
     "--force",
     "[--force]",
     "replace an existing OUT (and the files it comes with)",
     &CommandLine::force,
     nullptr},
    {"--strict",
     nullptr,
     nullptr,
     nullptr,
     {Command::kConvert},
     "--strict",
     "[--strict]",
     "fail (exit status 1) when an input line was left out or a character had to become '?'",
     &CommandLine::strict,
     nullptr},
    {"--jst",
     nullptr,
     nullptr,
     nullptr,
     {Command::kConvert},
     "--jst and --utc",
     "[--jst|--utc]",
     "CSV output: date and time in JST (the default)",
     &CommandLine::jst,
     nullptr},
    {"--utc",
     nullptr,
     nullptr,
     nullptr,
     {Command::kConvert},
     "--jst and --utc",
     nullptr,
     "CSV output: date and time in UTC",
     &CommandLine::utc,
     nullptr},
    {"--input-encoding",
     nullptr,
     "cp932|utf-8",
     "cp932 or utf-8",
     {Command::kConvert},
     "--input-encoding",
     "[--input-encoding cp932|utf-8]",
     "the character set of a text input, instead of the guess (UTF-8 when the file begins "
     "with a byte order mark or is all valid UTF-8)",
     nullptr,
     &SetEncoding},
    {"--plugin",
     nullptr,
     "PATH",
     "a PATH",
     {},
     "--plugin",
     nullptr,
     "load this plug-in instead of the one installed with varnek",
     nullptr,
     [](CommandLine* line, const std::string& value, std::string*) {
       line->plugin_path = value;
       return true;
     }},
#ifdef _WIN32
    {"--utf8",
     nullptr,
     nullptr,
     nullptr,
     {},
     "--utf8",
     nullptr,
     "write texts into a file or pipe in UTF-8 instead of CP932 (a console shows them as "
     "they are either way)",
     &CommandLine::utf8,
     nullptr},
#endif
};

const char* NameOf(Command command) {
  for (const CommandSpec& spec : kCommandSpecs) {
    if (spec.command == command) return spec.name;
  }
  return "";
}

// "list and qsl", "convert".
std::string NamesOf(const std::vector<Command>& commands) {
  std::string names;
  for (size_t i = 0; i < commands.size(); ++i) {
    if (i > 0) names += i + 1 == commands.size() ? " and " : ", ";
    names += NameOf(commands[i]);
  }
  return names;
}

}  // namespace

const std::vector<CommandSpec>& CommandSpecs() { return kCommandSpecs; }

const CommandSpec* SpecOf(Command command) {
  for (const CommandSpec& spec : kCommandSpecs) {
    if (spec.command == command) return &spec;
  }
  return nullptr;
}

const std::vector<OptionSpec>& OptionSpecs() { return kOptionSpecs; }

bool Applies(const OptionSpec& option, Command command) {
  if (option.commands.empty()) return true;
  for (Command c : option.commands) {
    if (c == command) return true;
  }
  return false;
}

namespace {

// Takes the option at argv[*i] (and its value, which may be the next
// word); false with the problem when it is unknown, lacks its value or
// its value is not one it takes.
bool TakeOption(int argc, const char* const* argv, int* i, CommandLine* line,
                std::vector<const OptionSpec*>* given, std::string* problem) {
  std::string arg = argv[*i];
  for (const OptionSpec& spec : kOptionSpecs) {
    std::string name = spec.name;
    bool takes_value = spec.value != nullptr;
    std::string needs = takes_value ? name + " needs " + spec.needs : std::string();
    std::string value;
    if (arg == name || (spec.short_name != nullptr && arg == spec.short_name)) {
      if (takes_value) {
        if (*i + 1 >= argc || argv[*i + 1][0] == '\0') {
          *problem = needs;
          return false;
        }
        value = argv[++*i];
      }
    } else if (takes_value && arg.compare(0, name.size() + 1, name + "=") == 0) {
      value = arg.substr(name.size() + 1);
      if (value.empty()) {
        *problem = needs;
        return false;
      }
    } else {
      continue;
    }
    if (spec.flag != nullptr) line->*spec.flag = true;
    if (spec.set != nullptr && !spec.set(line, value, problem)) return false;
    given->push_back(&spec);
    return true;
  }
  *problem = "unknown option '" + arg + "'";
  return false;
}

// The command named by the first word, with its operands checked.
bool TakeCommand(const std::vector<std::string>& words, CommandLine* line,
                 const CommandSpec** chosen, std::string* problem) {
  if (words.empty()) {
    *problem = "no command given";
    return false;
  }
  for (const CommandSpec& spec : kCommandSpecs) {
    if (words[0] == spec.name) *chosen = &spec;
  }
  if (*chosen == nullptr) {
    *problem = "unknown command '" + words[0] + "'";
    return false;
  }
  const CommandSpec& spec = **chosen;
  line->command = spec.command;
  size_t count = words.size() - 1;
  if (count >= spec.min_operands && count <= spec.max_operands) return true;
  std::string name = spec.name;
  if (spec.max_operands == 0) {
    *problem = name + " takes no operands";
  } else if (count < spec.min_operands) {
    *problem = name + " needs " + spec.operands;
  } else {
    *problem = name + " takes only " + spec.operands;
  }
  return false;
}

// --help: the help of the command named first, if any, else of all.
void AskForHelp(const std::vector<std::string>& words, CommandLine* line) {
  line->command = Command::kHelp;
  line->help_topic = Command::kHelp;
  if (words.empty()) return;
  for (const CommandSpec& spec : kCommandSpecs) {
    if (words[0] == spec.name) line->help_topic = spec.command;
  }
  // "varnek help convert --help" asks of convert too.
  if (line->help_topic == Command::kHelp && words.size() > 1) {
    std::vector<std::string> rest(words.begin() + 1, words.end());
    AskForHelp(rest, line);
  }
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* problem) {
  bool help = false;
  bool version = false;
  bool options_ended = false;
  std::vector<std::string> words;
  std::vector<const OptionSpec*> given;
  std::string option_problem;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      words.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (arg == "--version") {
      version = true;
    } else if (option_problem.empty() &&
               !TakeOption(argc, argv, &i, line, &given, &option_problem)) {
      // Reported unless --help or --version come later.
    }
  }
  if (help) {
    AskForHelp(words, line);
    return true;
  }
  if (version) {
    line->command = Command::kVersion;
    return true;
  }
  if (!option_problem.empty()) {
    *problem = option_problem;
    return false;
  }
  const CommandSpec* chosen = nullptr;
  if (!TakeCommand(words, line, &chosen, problem)) return false;
  for (const OptionSpec* option : given) {
    if (Applies(*option, chosen->command)) continue;
    bool several = std::string(option->named_as) != option->name;
    *problem = std::string(option->named_as) + (several ? " apply to " : " applies to ") +
               NamesOf(option->commands) + " only";
    return false;
  }
  if (line->jst && line->utc) {
    *problem = "choose one of --jst and --utc";
    return false;
  }
  std::vector<std::string> operands(words.begin() + 1, words.end());
  if (!chosen->take_operands(operands, line, problem)) return false;
  for (const std::string& operand : operands) {
    if (operand.empty()) {
      *problem = "a file name must not be empty";
      return false;
    }
  }
  return true;
}

}  // namespace varnek_host
