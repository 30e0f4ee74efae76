// The command line of `varnek`: one command, its operands and the options
// that apply to it. The commands and the options are tables: each command
// names its operands, checks them itself and names the function that runs
// it, so that main's dispatch and the help text come from the same rows.
// Parsing checks everything that can be checked without touching a file,
// so that a usage error never leaves anything half done.
#ifndef VARNEK_HOST_COMMAND_LINE_H_
#define VARNEK_HOST_COMMAND_LINE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace varnek_host {

struct Session;

enum class Command { kHelp, kVersion, kInfo, kList, kConvert, kQsl };

struct CommandLine {
  Command command = Command::kHelp;
  std::string plugin_path;  // empty: the plug-in installed with varnek
  bool raw = false;         // list, qsl: CP932 bytes, unconverted
  bool jst = false;         // convert: answer Yes to the JST question
  bool utc = false;         // convert: answer No to the JST question
  std::string log;          // list, qsl: the log; convert: the input
  std::string output;       // convert
  int32_t record = 0;       // qsl, 0-based
  bool has_mark = false;    // qsl
  std::string mark;         // qsl: in the terminal's character set (or raw); CP932 once run
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
  // The exit status.
  int (*run)(const Session& session, const CommandLine& line);
};

// The commands that work on the plug-in, in the order the help lists them.
const std::vector<CommandSpec>& CommandSpecs();
// The row of `command`, or null for help and version.
const CommandSpec* SpecOf(Command command);

// Fills `line` from the arguments after the program name. On a usage error
// returns false with a one-line description of the problem in `problem`.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* problem);

// The text of --help.
std::string HelpText();

}  // namespace varnek_host

#endif  // VARNEK_HOST_COMMAND_LINE_H_
