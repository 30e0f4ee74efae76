// Times a plain system tool run as a child process, for the comparisons of
// the benchmark: `cat FILES > /dev/null` for reading and `cp` for writing.
#ifndef VARNEK_BENCH_COMMAND_TIMER_H_
#define VARNEK_BENCH_COMMAND_TIMER_H_

#include <string>
#include <vector>

namespace varnek_bench {

// Runs `arguments` (found on PATH) with its standard output sent to
// `standard_output` (null: inherited) and waits for it. Returns the wall
// time in seconds, or -1 when it could not be started or did not exit 0.
double TimeCommand(const std::vector<std::string>& arguments, const char* standard_output);

}  // namespace varnek_bench

#endif  // VARNEK_BENCH_COMMAND_TIMER_H_
