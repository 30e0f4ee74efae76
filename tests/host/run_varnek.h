// Runs the built varnek as a user would, with its standard output and error
// captured, standard input empty and a chosen locale.
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

// Runs varnek with `args`. The environment is this process's without any
// locale variable and without VARNEK_CLOCK, then LC_ALL=C.UTF-8, then the
// "NAME=value" entries of `environment` (which override).
Outcome RunVarnek(const std::vector<std::string>& args,
                  const std::vector<std::string>& environment = {});

// The directory of the bundled sample logs.
std::string ExamplesDir();

}  // namespace varnek_test

#endif  // VARNEK_TESTS_HOST_RUN_VARNEK_H_
