// Runs a piece of a test in a forked child whose files cannot grow past a
// chosen number of bytes: the operating system's own file-size limit
// (RLIMIT_FSIZE) with SIGXFSZ ignored, so that every write at or beyond the
// limit fails (EFBIG) and one that crosses it is cut short, exactly as on a
// full disk. The child reports the results of the plug-in's calls and the
// message boxes it showed; a crash or sanitizer report in the child shows
// up as an unclean exit.
#ifndef VARNEK_TESTS_SAFETY_FILE_SIZE_LIMIT_H_
#define VARNEK_TESTS_SAFETY_FILE_SIZE_LIMIT_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varnek_test {

struct LimitedRun {
  bool exited_cleanly = false;
  std::string how_it_ended;           // for failure messages
  std::vector<int32_t> results;       // what the child recorded, in order
  std::vector<std::string> warnings;  // message box texts (questions left out)
};

// `body` runs in the child with the limit in force and records the results
// of its calls in the vector it is given. The plug-in must already be
// loaded (PluginHost) in the parent.
LimitedRun RunWithFileSizeLimit(uint64_t limit,
                                const std::function<void(std::vector<int32_t>&)>& body);

}  // namespace varnek_test

#endif  // VARNEK_TESTS_SAFETY_FILE_SIZE_LIMIT_H_
