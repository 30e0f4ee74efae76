#include "host/command_line.h"

#include <vector>

namespace varnek_host {

namespace {

struct CommandName {
  const char* name;
  Command command;
  size_t min_operands;
  size_t max_operands;
  const char* operands;  // for the problem text
};

constexpr CommandName kCommands[] = {
    {"info", Command::kInfo, 0, 0, ""},
    {"list", Command::kList, 1, 1, "LOG"},
    {"convert", Command::kConvert, 2, 2, "IN OUT"},
    {"qsl", Command::kQsl, 2, 3, "LOG RECORD [MARK]"},
};

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

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* problem) {
  bool help = false;
  bool version = false;
  bool jst = false;
  bool options_ended = false;
  std::vector<std::string> words;
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
    } else if (arg == "--raw") {
      line->raw = true;
    } else if (arg == "--jst") {
      jst = true;
    } else if (arg == "--utc") {
      line->utc = true;
    } else if (arg == "--plugin") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        *problem = "--plugin needs a PATH";
        return false;
      }
      line->plugin_path = argv[++i];
    } else if (arg.compare(0, 9, "--plugin=") == 0) {
      if (arg.size() == 9) {
        *problem = "--plugin needs a PATH";
        return false;
      }
      line->plugin_path = arg.substr(9);
    } else {
      *problem = "unknown option '" + arg + "'";
      return false;
    }
  }
  if (help) {
    line->command = Command::kHelp;
    return true;
  }
  if (version) {
    line->command = Command::kVersion;
    return true;
  }
  if (words.empty()) {
    *problem = "no command given";
    return false;
  }
  const CommandName* chosen = nullptr;
  for (const CommandName& entry : kCommands) {
    if (words[0] == entry.name) chosen = &entry;
  }
  if (chosen == nullptr) {
    *problem = "unknown command '" + words[0] + "'";
    return false;
  }
  line->command = chosen->command;
  size_t operand_count = words.size() - 1;
  if (operand_count < chosen->min_operands || operand_count > chosen->max_operands) {
    if (chosen->max_operands == 0) {
      *problem = std::string(chosen->name) + " takes no operands";
    } else if (operand_count < chosen->min_operands) {
      *problem = std::string(chosen->name) + " needs " + chosen->operands;
    } else {
      *problem = std::string(chosen->name) + " takes only " + chosen->operands;
    }
    return false;
  }
  if (line->raw && line->command != Command::kList && line->command != Command::kQsl) {
    *problem = "--raw applies to list and qsl only";
    return false;
  }
  if ((jst || line->utc) && line->command != Command::kConvert) {
    *problem = "--jst and --utc apply to convert only";
    return false;
  }
  if (jst && line->utc) {
    *problem = "choose one of --jst and --utc";
    return false;
  }
  if (operand_count >= 1) line->log = words[1];
  if (line->command == Command::kConvert) line->output = words[2];
  if (line->command == Command::kQsl) {
    if (!ParseRecord(words[2], &line->record)) {
      *problem = "RECORD must be a record number from 0 to 2147483647, not '" + words[2] + "'";
      return false;
    }
    if (operand_count == 3) {
      if (words[3].empty()) {
        *problem = "MARK must not be empty";
        return false;
      }
      line->has_mark = true;
      line->mark = words[3];
    }
  }
  for (size_t i = 1; i < words.size(); ++i) {
    if (words[i].empty()) {
      *problem = "a file name must not be empty";
      return false;
    }
  }
  return true;
}

const char* HelpText() {
  return "Usage: varnek [--plugin PATH] COMMAND [ARGUMENTS]\n"
         "Reads and writes amateur-radio logs through the Varnek plug-in (libvarnek.so).\n"
         "\n"
         "Commands:\n"
         "  list LOG [--raw]               print every record of LOG: a QSO line for\n"
         "                                 LOG200 (.l2) and HAMLOG (.dbs) logs, the raw\n"
         "                                 line for any other file\n"
         "  convert IN OUT [--jst|--utc]   read IN record by record and write OUT in the\n"
         "                                 format of its extension: .log QIRNO text,\n"
         "                                 .l2 LOG200, .dbs HAMLOG, anything else CSV;\n"
         "                                 --utc writes CSV date and time in UTC\n"
         "  qsl LOG RECORD [MARK]          print QSL mark 1 of record RECORD (counted\n"
         "                                 from 0); with MARK, set it in place\n"
         "  info                           show the plug-in's version, menu caption and\n"
         "                                 the formats it reads and writes\n"
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
         "Environment: VARNEK_CLOCK=YYYY-MM-DD sets the creation date stamped into new\n"
         "HAMLOG files (default: today).\n"
         "Exit status: 0 success, 1 failure (a message says why), 2 usage error.\n";
}

}  // namespace varnek_host
