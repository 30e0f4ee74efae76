// Runs the built varnek as a user would, with its standard output and error
// captured, standard input empty and a chosen locale, as this process's
// user or as one whom file modes bind.
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
// bound already).
enum class RunAs { kSelf, kBoundByFileModes };

// Runs varnek with `args`. The environment is this process's without any
// locale variable and without VARNEK_CLOCK, then LC_ALL=C.UTF-8, then the
// "NAME=value" entries of `environment` (which override).
Outcome RunVarnek(const std::vector<std::string>& args,
                  const std::vector<std::string>& environment = {}, RunAs user = RunAs::kSelf);

// Lets every user into the directory (a test's directory is its owner's
// only), so that a user bound by file modes reaches the files in it.
void OpenToEveryone(const std::string& directory);

// The directory of the bundled sample logs.
std::string ExamplesDir();

// The lines of a command's output, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// The names in a directory (hidden ones included), sorted.
std::vector<std::string> DirectoryEntries(const std::string& directory);

}  // namespace varnek_test

#endif  // VARNEK_TESTS_HOST_RUN_VARNEK_H_
