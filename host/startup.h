// What the varnek command takes from the system as it starts: its
// arguments, as texts the plug-in takes, and the character set in which
// the terminal shows texts. On POSIX systems (startup_posix.cc) the
// arguments are the bytes as given and the character set is the user's
// locale's, which TakeArguments sets up. On Windows (startup_windows.cc)
// the arguments are read as UTF-16 and converted into code page 932, and
// one with a character that code page 932 cannot hold is refused rather
// than turned into the name of another file; texts stay in CP932 until
// text_streams.h shows them on the console or writes them out.
#ifndef VARNEK_HOST_STARTUP_H_
#define VARNEK_HOST_STARTUP_H_

#include <string>
#include <vector>

namespace varnek_host {

// Fills `arguments` with the words after the program name. False, with
// the problem for the user, when one cannot be passed on.
bool TakeArguments(int argc, char** argv, std::vector<std::string>* arguments,
                   std::string* problem);

// The terminal's character set, as iconv names it.
std::string TerminalCodeset();

// True when the plug-in opens the file `path` under that very name. On
// Windows it opens files by their names in the ANSI code page: a name
// beyond ASCII names another file unless that code page is 932. False,
// with the problem for the user, otherwise.
bool PluginCanName(const std::string& path, std::string* problem);

}  // namespace varnek_host

#endif  // VARNEK_HOST_STARTUP_H_
