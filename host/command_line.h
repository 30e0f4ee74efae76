// The command line of `varnek`: one command, its operands and the options
// that apply to it. Parsing checks everything that can be checked without
// touching a file, so that a usage error never leaves anything half done.
#ifndef VARNEK_HOST_COMMAND_LINE_H_
#define VARNEK_HOST_COMMAND_LINE_H_

#include <cstdint>
#include <string>

namespace varnek_host {

enum class Command { kHelp, kVersion, kInfo, kList, kConvert, kQsl };

struct CommandLine {
  Command command = Command::kHelp;
  std::string plugin_path;  // empty: the plug-in installed with varnek
  bool raw = false;         // list, qsl: CP932 bytes, unconverted
  bool utc = false;         // convert: answer No to the JST question
  std::string log;          // list, qsl: the log; convert: the input
  std::string output;       // convert
  int32_t record = 0;       // qsl, 0-based
  bool has_mark = false;    // qsl
  std::string mark;         // qsl, in the terminal's character set (or raw)
};

// Fills `line` from the arguments after the program name. On a usage error
// returns false with a one-line description of the problem in `problem`.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* problem);

// The text of --help.
const char* HelpText();

}  // namespace varnek_host

#endif  // VARNEK_HOST_COMMAND_LINE_H_
