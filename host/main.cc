// varnek: a command-line host for the Varnek plug-in. It loads
// libvarnek.so at run time, answers the plug-in's message boxes, file dialog,
// question and clock, and drives it through its exports only.
#include <langinfo.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/command_line.h"
#include "host/help_text.h"
#include "host/host_answers.h"
#include "host/plugin_library.h"
#include "host/session.h"
#include "host/terminal_text.h"

#ifndef VARNEK_HOST_VERSION
#define VARNEK_HOST_VERSION "unknown"
#endif

namespace {

using namespace varnek_host;

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "varnek: %s (try 'varnek --help')\n", problem.c_str());
  return kExitUsage;
}

// A plug-in named without a directory is the file in the current one, not
// a library somewhere on the loader's search path.
std::string PathForLoader(const std::string& path) {
  return path.find('/') == std::string::npos ? "./" + path : path;
}

int Run(CommandLine line) {
  TerminalText terminal(nl_langinfo(CODESET));
  HostAnswers answers(&terminal);
  answers.answer_yes = !line.utc;
  const char* clock = std::getenv("VARNEK_CLOCK");
  if (clock != nullptr && clock[0] != '\0') {
    if (!ParseClock(clock, &answers.clock)) {
      return UsageError("VARNEK_CLOCK must be a date like 2024-06-01, not '" + std::string(clock) +
                        "'");
    }
    answers.fixed_clock = true;
  }
  if (line.has_mark && !line.raw) {
    std::string mark;
    if (!terminal.ToCp932(line.mark, &mark)) {
      return UsageError("MARK '" + line.mark + "' has no CP932 form");
    }
    line.mark = mark;
  }

  // Declared after the answers: the library is unloaded while they live.
  PluginLibrary plugin;
  std::string problem;
  std::string path =
      line.plugin_path.empty() ? DefaultPluginPath() : PathForLoader(line.plugin_path);
  if (!plugin.Load(path, &problem)) {
    Complain(problem);
    return kExitFailure;
  }
  if (!InstallHostAnswers(&plugin, &answers, &problem)) {
    Complain(problem);
    return kExitFailure;
  }
  Session session{&plugin, &answers, &terminal, line.raw};
  const CommandSpec* spec = SpecOf(line.command);
  return spec != nullptr && spec->run != nullptr ? spec->run(session, line) : kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  varnek_host::CommandLine line;
  std::string problem;
  if (!varnek_host::ParseCommandLine(argc - 1, argv + 1, &line, &problem)) {
    return UsageError(problem);
  }
  if (line.command == varnek_host::Command::kHelp) {
    std::fputs(varnek_host::HelpText(line.help_topic).c_str(), stdout);
    return varnek_host::FinishOutput() ? varnek_host::kExitSuccess : varnek_host::kExitFailure;
  }
  if (line.command == varnek_host::Command::kVersion) {
    std::printf("varnek %s\n", VARNEK_HOST_VERSION);
    return varnek_host::FinishOutput() ? varnek_host::kExitSuccess : varnek_host::kExitFailure;
  }
  return Run(line);
}
