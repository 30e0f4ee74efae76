// The command line of `varnek`: one command, its operands and the options
// that apply to it. The commands and the options are tables: each command
// names its operands, checks them itself and names the function that runs
// it, and each option names the commands it applies to and its help, so
// that main's dispatch, the usage checks and the help texts come from the
// same rows. Parsing checks everything that can be checked without
// touching a file, so that a usage error never leaves anything half done.
#ifndef VARNEK_HOST_COMMAND_LINE_H_
#define VARNEK_HOST_COMMAND_LINE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "host/input_encoding.h"

namespace varnek_host {

struct Session;

enum class Command { kHelp, kVersion, kInfo, kList, kConvert, kQsl };

struct CommandLine {
  Command command = Command::kHelp;
  // help: the command asked about; kHelp for the help of all commands.
  Command help_topic = Command::kHelp;
  std::string plugin_path;  // empty: the plug-in installed with varnek
  bool utf8 = false;        // Windows: UTF-8 into a file or pipe, not CP932
  bool raw = false;         // list, qsl: CP932 bytes, unconverted
  bool numbers = false;     // list: each record after its number
  bool jst = false;         // convert: answer Yes to the JST question
  bool utc = false;         // convert: answer No to the JST question
  bool force = false;       // convert: an existing OUT may be replaced
  bool strict = false;      // convert: input left out or changed is a failure
  InputEncoding input_encoding = InputEncoding::kGuess;  // convert, text input
  std::string log;                                       // list, qsl: the log; convert: the input
  std::string output;                                    // convert
  int32_t record = 0;                                    // qsl, 0-based
  bool has_mark = false;                                 // qsl
  std::string mark;  // qsl: in the terminal's character set (or raw); CP932 once run
};

// A command: how it is called, what it does, its own check of its
// operands (the words after its name) and what runs it.
struct CommandSpec {
  const char* name;
  Command command;
  size_t min_operands;
  size_t max_operands;
  const char* operands;  // "IN OUT", for the help and the problem texts
  bool (*take_operands)(const std::vector<std::string>& operands, CommandLine* line,
                        std::string* problem);
  // The exit status; null for help, which main answers itself.
  int (*run)(const Session& session, const CommandLine& line);
  // One sentence for the list of commands, and what the command's own help
  // adds to it (either may be built from the table of formats).
  std::string (*summary)();
  std::string (*details)();
};

// An option: the commands it applies to (none: all), what it takes and
// what it sets.
struct OptionSpec {
  const char* name;
  const char* short_name;  // "-n", or null
  const char* value;       // the value it takes ("PATH"), or null
  const char* needs;       // "a PATH", for the problem text when it is missing
  std::vector<Command> commands;
  const char* named_as;  // in the problem text when it does not apply
  const char* usage;     // in a command's usage line ("[--jst|--utc]"), or null
  const char* help;
  // What it sets: a flag, or (for an option with a value) the function that
  // takes the value, false with the problem when it is not one it takes.
  bool CommandLine::*flag;
  bool (*set)(CommandLine* line, const std::string& value, std::string* problem);
};

// The commands, in the order the help lists them.
const std::vector<CommandSpec>& CommandSpecs();
// The row of `command`, or null for version.
const CommandSpec* SpecOf(Command command);
// The options, in the order the help lists them.
const std::vector<OptionSpec>& OptionSpecs();
// True when `option` applies to `command`.
bool Applies(const OptionSpec& option, Command command);

// Fills `line` from the arguments after the program name. On a usage error
// returns false with a one-line description of the problem in `problem`.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* problem);

}  // namespace varnek_host

#endif  // VARNEK_HOST_COMMAND_LINE_H_
