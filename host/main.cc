// varnek: a command-line host for the Varnek plug-in. It loads the plug-in
// (libvarnek.so, or VARNEK.DLL on Windows) at run time, answers the
// plug-in's message boxes, file dialog, question and clock, and drives it
// through its exports only.
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/file_system.h"
#include "host/help_text.h"
#include "host/host_answers.h"
#include "host/plugin_library.h"
#include "host/session.h"
#include "host/startup.h"
#include "host/terminal_text.h"
#include "host/text_streams.h"

#ifndef VARNEK_HOST_VERSION
#define VARNEK_HOST_VERSION "unknown"
#endif

namespace {

using namespace varnek_host;

int UsageError(const std::string& problem) {
  WriteError("varnek: " + problem + " (try 'varnek --help')\n");
  return kExitUsage;
}

// A plug-in named without a directory is the file in the current one, not
// a library somewhere on the loader's search path.
std::string PathForLoader(const std::string& path) {
  return DirectoryPart(path).empty() ? "./" + path : path;
}

// The files of the command line, which the plug-in must be able to open
// by their names.
bool NamesFitThePlugin(const CommandLine& line, std::string* problem) {
  for (const std::string* path : {&line.log, &line.output, &line.plugin_path}) {
    if (!PluginCanName(*path, problem)) return false;
  }
  return true;
}

int Run(CommandLine line) {
  TerminalText terminal(TerminalCodeset().c_str());
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
  std::vector<std::string> arguments;
  std::string problem;
  if (!TakeArguments(argc, argv, &arguments, &problem)) return UsageError(problem);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());
  CommandLine line;
  bool parsed = ParseCommandLine(static_cast<int>(words.size()), words.data(), &line, &problem);
  ChooseStreams(StreamChoices{line.utf8, line.raw});
  if (!parsed || !NamesFitThePlugin(line, &problem)) return UsageError(problem);
  if (line.command == Command::kHelp) {
    WriteOutput(HelpText(line.help_topic));
    return FinishOutput() ? kExitSuccess : kExitFailure;
  }
  if (line.command == Command::kVersion) {
    WriteOutput(std::string("varnek ") + VARNEK_HOST_VERSION + "\n");
    return FinishOutput() ? kExitSuccess : kExitFailure;
  }
  return Run(line);
}
