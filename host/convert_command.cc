// varnek convert IN OUT: IN read record by record through the active
// reader, every record written through the active writer chosen by OUT's
// extension, with the host's part in between (the reader's YYMMDD date
// becomes the writer's YY/MM/DD). Ends with one summary line; succeeds only
// when every record was written and both files closed cleanly.
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "host/commands.h"
#include "host/log_files.h"
#include "host/loss_check.h"
#include "host/progress_bar.h"
#include "host/writer_line.h"

namespace varnek_host {

namespace {

// Creating OUT must not destroy IN: no file of one may be a file of the other.
bool OutputSparesInput(const std::string& input, const std::string& output) {
  for (const std::string& in : FilesOfLog(input, ReaderFormatOf(input))) {
    for (const std::string& out : FilesOfLog(output, WriterFormatOf(output))) {
      if (SameFile(in, out)) {
        Complain("writing " + output + " would overwrite " + in + ", which is being read");
        return false;
      }
    }
  }
  return true;
}

// "1 record", "2 records".
std::string Counted(uint64_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool IsTerminal() { return isatty(STDERR_FILENO) == 1; }

// Shows the progress bar while it lives, wiping it on the way out.
class ProgressScope {
 public:
  ProgressScope(const Session& session, const std::string& input)
      : session_(session),
        bar_(stderr, IsTerminal(),
             IsTerminal() ? EstimateRecordCount(input, ReaderFormatOf(input)) : 0) {
    session_.answers->progress = &bar_;
  }
  ~ProgressScope() {
    bar_.Clear();
    session_.answers->progress = nullptr;
  }
  ProgressBar& bar() { return bar_; }

 private:
  const Session& session_;
  ProgressBar bar_;
};

volatile std::sig_atomic_t interrupting_signal = 0;

void NoteInterrupt(int signal_number) { interrupting_signal = signal_number; }

// While it lives, Ctrl-C and SIGTERM stop the conversion between records,
// so that the writer still finishes its file (HAMLOG headers get their
// count). Interrupted system calls are restarted: the plug-in never sees
// them fail.
class InterruptScope {
 public:
  InterruptScope() {
    interrupting_signal = 0;
    struct sigaction action = {};
    action.sa_handler = &NoteInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &old_interrupt_);
    sigaction(SIGTERM, &action, &old_terminate_);
  }
  ~InterruptScope() {
    sigaction(SIGINT, &old_interrupt_, nullptr);
    sigaction(SIGTERM, &old_terminate_, nullptr);
  }
  int signal_number() const { return interrupting_signal; }

 private:
  struct sigaction old_interrupt_;
  struct sigaction old_terminate_;
};

}  // namespace

int RunConvert(const Session& session, const CommandLine& line) {
  if (!OutputSparesInput(line.log, line.output)) return kExitUsage;
  const PluginLibrary& plugin = *session.plugin;
  int warnings_before = session.answers->warnings;
  if (!OpenLog(session, line.log)) return kExitFailure;
  if (plugin.Create(line.output.c_str()) == 0) {
    plugin.Close();
    return kExitFailure;
  }
  LossCheck losses(session, line.output);
  uint64_t written = 0;
  bool write_failed = false;
  std::string writer_line;
  uint64_t records = 0;
  InterruptScope interrupt;
  WalkEnd end;
  {
    ProgressScope progress(session, line.log);
    end = WalkRecords(
        session,
        [&](const char* text) {
          if (interrupt.signal_number() != 0) {
            progress.bar().Clear();
            Complain("interrupted; " + line.output + " holds the records written so far");
            return false;
          }
          MakeWriterLine(text, &writer_line);
          if (losses.Write(&writer_line) == 0) {
            progress.bar().Clear();
            Complain("writing record " + std::to_string(written) + " to " + line.output +
                     " failed; conversion stopped");
            write_failed = true;
            return false;
          }
          ++written;
          progress.bar().Advance(written);
          return true;
        },
        &records);
  }
  bool writer_closed = plugin.CClose() != 0;
  bool reader_closed = plugin.Close() != 0;
  uint64_t shortened = losses.CountLosses();
  std::printf("%s read, %llu written, %s%s\n", Counted(records, "record").c_str(),
              static_cast<unsigned long long>(written),
              Counted(static_cast<uint64_t>(session.answers->warnings - warnings_before), "warning")
                  .c_str(),
              LossNote(shortened).c_str());
  bool output_ok = FinishOutput();
  if (interrupt.signal_number() != 0) return 128 + interrupt.signal_number();
  bool complete = end == WalkEnd::kEndOfLog && !write_failed && writer_closed && reader_closed;
  return complete && output_ok ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
