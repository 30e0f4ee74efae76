// The start of the varnek command on POSIX systems: the locale the user
// chose, and the arguments as they are.
#include <langinfo.h>

#include <clocale>

#include "host/startup.h"

namespace varnek_host {

bool TakeArguments(int argc, char** argv, std::vector<std::string>* arguments, std::string*) {
  std::setlocale(LC_ALL, "");
  arguments->assign(argv + 1, argv + argc);
  return true;
}

std::string TerminalCodeset() { return nl_langinfo(CODESET); }

bool PluginCanName(const std::string&, std::string*) { return true; }

}  // namespace varnek_host
