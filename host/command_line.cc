#include "host/command_line.h"

#include "formats/format_table.h"
#include "host/commands.h"

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

bool TakeInputAndOutput(const std::vector<std::string>& operands, CommandLine* line, std::string*) {
  line->log = operands[0];
  line->output = operands[1];
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

const std::vector<CommandSpec> kCommandSpecs = {
    {"list", Command::kList, 1, 1, "LOG", &TakeLog, &RunList},
    {"convert", Command::kConvert, 2, 2, "IN OUT", &TakeInputAndOutput, &RunConvert},
    {"qsl", Command::kQsl, 2, 3, "LOG RECORD [MARK]", &TakeLogRecordAndMark, &RunQsl},
    {"info", Command::kInfo, 0, 0, "", &TakeNothing, &RunInfo},
};

// An option: the commands it applies to (none: all), and what it sets.
struct OptionSpec {
  const char* name;
  bool takes_value;  // a PATH, as the next word or after '='
  std::vector<Command> commands;
  const char* named_as;  // in the problem text when it does not apply
  void (*set)(CommandLine* line, const std::string& value);
};

const std::vector<OptionSpec> kOptionSpecs = {
    {"--plugin",
     true,
     {},
     "--plugin",
     [](CommandLine* line, const std::string& value) { line->plugin_path = value; }},
    {"--raw",
     false,
     {Command::kList, Command::kQsl},
     "--raw",
     [](CommandLine* line, const std::string&) { line->raw = true; }},
    {"--jst",
     false,
     {Command::kConvert},
     "--jst and --utc",
     [](CommandLine* line, const std::string&) { line->jst = true; }},
    {"--utc",
     false,
     {Command::kConvert},
     "--jst and --utc",
     [](CommandLine* line, const std::string&) { line->utc = true; }},
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

bool Applies(const OptionSpec& option, Command command) {
  if (option.commands.empty()) return true;
  for (Command c : option.commands) {
    if (c == command) return true;
  }
  return false;
}

}  // namespace

const std::vector<CommandSpec>& CommandSpecs() { return kCommandSpecs; }

const CommandSpec* SpecOf(Command command) {
  for (const CommandSpec& spec : kCommandSpecs) {
    if (spec.command == command) return &spec;
  }
  return nullptr;
}

namespace {

// Takes the option at argv[*i] (and its value, which may be the next
// word); false with the problem when it is unknown or lacks its value.
bool TakeOption(int argc, const char* const* argv, int* i, CommandLine* line,
                std::vector<const OptionSpec*>* given, std::string* problem) {
  std::string arg = argv[*i];
  for (const OptionSpec& spec : kOptionSpecs) {
    std::string name = spec.name;
    std::string value;
    if (arg == name) {
      if (spec.takes_value) {
        if (*i + 1 >= argc || argv[*i + 1][0] == '\0') {
          *problem = name + " needs a PATH";
          return false;
        }
        value = argv[++*i];
      }
    } else if (spec.takes_value && arg.compare(0, name.size() + 1, name + "=") == 0) {
      value = arg.substr(name.size() + 1);
      if (value.empty()) {
        *problem = name + " needs a PATH";
        return false;
      }
    } else {
      continue;
    }
    spec.set(line, value);
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

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* problem) {
  bool help = false;
  bool version = false;
  bool options_ended = false;
  std::vector<std::string> words;
  std::vector<const OptionSpec*> given;
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
    } else if (!TakeOption(argc, argv, &i, line, &given, problem)) {
      return false;
    }
  }
  if (help || version) {
    line->command = help ? Command::kHelp : Command::kVersion;
    return true;
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

namespace {

// Stands for a space at which the help is not wrapped.
constexpr char kKeptTogether = '\x01';

// ".l2" or ".adi/.adif".
std::string Dotted(const char* extensions) {
  std::string dotted = ".";
  for (const char* p = extensions; *p != '\0'; ++p) {
    dotted += *p == ',' ? std::string("/.") : std::string(1, *p);
  }
  return dotted;
}

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

// Wraps `text` into lines of at most `width` bytes, each but the first
// indented by `indent` spaces.
std::string Wrapped(const std::string& text, size_t indent, size_t width) {
  std::string out;
  size_t column = indent;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    std::string word = text.substr(start, end - start);  // may hold kKeptTogether
    if (column > indent && column + 1 + word.size() > width) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      out += ' ';
      ++column;
    }
    for (char c : word) out += c == kKeptTogether ? ' ' : c;
    column += word.size();
    start = end + 1;
  }
  return out;
}

}  // namespace

std::string HelpText() {
  constexpr size_t kIndent = 33;
  constexpr size_t kWidth = 78;
  struct Entry {
    const char* usage;
    std::string text;
  };
  const Entry entries[] = {
      {"list LOG [--raw]", "print every record of LOG: a QSO line for " + ReadFormats() +
                               " logs, the raw line for any other file"},
      {"convert IN OUT [--jst|--utc]",
       "read IN record by record and write OUT in the format of its extension: " + WriteFormats() +
           "; --utc writes CSV date and time in UTC"},
      {"qsl LOG RECORD [MARK]",
       "print QSL mark 1 of record RECORD (counted from 0); with MARK, set it in place"},
      {"info", "show the plug-in's version, menu caption and the formats it reads and writes"},
  };
  std::string commands;
  for (const Entry& entry : entries) {
    std::string head = std::string("  ") + entry.usage;
    head.resize(kIndent, ' ');
    commands += head + Wrapped(entry.text, kIndent, kWidth) + "\n";
  }
  return "Usage: varnek [--plugin PATH] COMMAND [ARGUMENTS]\n"
         "Reads and writes amateur-radio logs through the Varnek plug-in (libvarnek.so).\n"
         "\n"
         "Commands:\n" +
         commands +
         "\n"
         "Options:\n"
         "  --plugin PATH   load this plug-in instead of the one installed with varnek\n"
         "  --raw           show texts as the plug-in gives them (CP932 bytes), and\n"
         "                  take MARK as CP932 bytes\n"
         "  --help          show this text\n"
         "  --version       show the version of varnek\n"
         "\n"
         "Texts are shown in the terminal's character set; bytes that have no place\n"
         "in it show as '?'. Warnings of the plug-in go to standard error.\n"
         "Environment: VARNEK_CLOCK=YYYY-MM-DD[THH:MM[:SS]] sets the creation date\n"
         "stamped into new HAMLOG files and the time stamped into new ADIF files\n"
         "(taken as UTC; default: now).\n"
         "Exit status: 0 success, 1 failure (a message says why), 2 usage error.\n";
}

}  // namespace varnek_host
