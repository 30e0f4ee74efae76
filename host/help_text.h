// The help texts of varnek, laid out from the tables of commands and
// options (command_line.h): the help of all commands (varnek --help,
// varnek help) and the help of one (varnek help COMMAND, varnek COMMAND
// --help).
#ifndef VARNEK_HOST_HELP_TEXT_H_
#define VARNEK_HOST_HELP_TEXT_H_

#include <string>

#include "host/command_line.h"

namespace varnek_host {

// Stands for a space at which a help text is not wrapped.
constexpr char kKeptTogether = '\x01';

// ".l2" or ".adi/.adif", from the comma-separated extensions of a format.
std::string Dotted(const char* extensions);

// The help of all commands, or of `topic` (kHelp: of all).
std::string HelpText(Command topic = Command::kHelp);

}  // namespace varnek_host

#endif  // VARNEK_HOST_HELP_TEXT_H_
