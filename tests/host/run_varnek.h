// Runs the varnek command as a user would, with its standard output and
// error captured, standard input empty and a chosen locale, as this
// process's user or as one whom file modes bind.
//
// The command under test is the built varnek, or the Windows command that
// the environment variable VARNEK_TEST_COMMAND names: words separated by
// spaces that start it (tests/windows/run-wine names varnek.exe under Wine
// so, and the same cases then prove the Windows command). Parts of cases
// that cannot hold for the Windows command ask NotForWindows() and skip.
#ifndef VARNEK_TESTS_HOST_RUN_VARNEK_H_
#define VARNEK_TESTS_HOST_RUN_VARNEK_H_

#include <string>
#include <vector>

namespace varnek_test {

struct Outcome {
  int status;  // the exit status, or 128 + signal number
  std::string out;
  std::string err;
};

// Who runs it: this process's user, or one whom file modes bind (for root,
// which may read and write any file, the user "nobody"; anyone else is
// bound already). The Windows command always runs as this process's user.
enum class RunAs { kSelf, kBoundByFileModes };

// True when the command under test is the Windows one (VARNEK_TEST_COMMAND).
bool WindowsCommand();
// True, with a note in the test's output, when the command under test is
// the Windows one, for which a part of a test that `why` names cannot hold.
bool NotForWindows(const std::string& why);
// NotForWindows for tests of file modes, when this process is root: the
// Windows command then runs as root too (a Wine prefix serves its owner
// alone), whom file modes do not bind.
bool FileModesBindNoOne();

// Runs the command under test with `args`. The environment is this
// process's without any locale variable and without VARNEK_CLOCK, then
// LC_ALL=C.UTF-8, then the "NAME=value" entries of `environment` (which
// override).
Outcome RunVarnek(const std::vector<std::string>& args,
                  const std::vector<std::string>& environment = {}, RunAs user = RunAs::kSelf);
// The same with the varnek built for this system, whatever is under test.
Outcome RunNativeVarnek(const std::vector<std::string>& args,
                        const std::vector<std::string>& environment = {});
// Runs the command under test with standard output and error on a
// terminal of 80 columns; returns what the terminal received.
Outcome RunVarnekOnTerminal(const std::vector<std::string>& args);
// Runs the command under test and interrupts it (SIGINT, as Ctrl-C does;
// Wine hands it to the Windows command as a console's Ctrl-C) as soon as
// `ready` answers true, asked every few milliseconds.
Outcome RunVarnekInterrupted(const std::vector<std::string>& args, bool (*ready)(const char*),
                             const char* ready_argument);
// RunVarnek asks the Windows command for UTF-8 (--utf8) where the built
// varnek gets a UTF-8 locale, so that both are read alike; this runs it as
// a user does, writing CP932 into files and pipes.
Outcome RunWindowsCommandAsIs(const std::vector<std::string>& args);

// A program in `directory` that runs the command under test with its
// arguments, for scripts that take the command's path.
std::string CommandForScripts(const std::string& directory);

// Lets every user into the directory (a test's directory is its owner's
// only), so that a user bound by file modes reaches the files in it.
void OpenToEveryone(const std::string& directory);

// The directory of the bundled sample logs.
std::string ExamplesDir();

// Writes a text log of `count` equal QSO lines to `path`, for runs long
// enough to show progress or to be interrupted; returns `path`.
std::string WriteManyQsoLines(const std::string& path, int count);

// The lines of a command's output, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// The names in a directory (hidden ones included), sorted.
std::vector<std::string> DirectoryEntries(const std::string& directory);

}  // namespace varnek_test

#endif  // VARNEK_TESTS_HOST_RUN_VARNEK_H_
