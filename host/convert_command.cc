// varnek convert IN OUT: IN read record by record through the active
// reader, every record written through the active writer chosen by OUT's
// extension, with the host's part in between (the reader's YYMMDD date
// becomes the writer's YY/MM/DD; the lines of a text log are checked, and
// converted from UTF-8, first). The writer writes temporary files that take
// OUT's place only when the conversion is complete (safe_output.h). Ends
// with one summary line, whose counts are what OUT holds; succeeds only
// when every record was written and both files closed cleanly.
#include <cstdio>
#include <memory>
#include <string>

#include "host/commands.h"
#include "host/file_system.h"
#include "host/input_lines.h"
#include "host/interrupts.h"
#include "host/log_files.h"
#include "host/loss_check.h"
#include "host/progress_bar.h"
#include "host/safe_output.h"
#include "host/terminal_size.h"
#include "host/text_streams.h"
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

// "a.dbs and a.DBR".
std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) text += (i > 0 ? " and " : "") + names[i];
  return text;
}

// Shows the progress bar while it lives, wiping it on the way out.
class ProgressScope {
 public:
  ProgressScope(const Session& session, const std::string& input)
      : session_(session),
        bar_(stderr, IsTerminal(stderr),
             IsTerminal(stderr) ? EstimateRecordCount(input, ReaderFormatOf(input)) : 0) {
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

// While it lives, the plug-in's warnings are about the output.
class WritingScope {
 public:
  explicit WritingScope(HostAnswers* answers) : answers_(answers) {
    answers_->subject = &answers_->writing;
    ForgetSystemError();
  }
  ~WritingScope() { answers_->subject = &answers_->reading; }

 private:
  HostAnswers* answers_;
};

// The records a finished file of a fixed-record format holds, which must
// be the records written.
bool HoldsWhatWasWritten(const SafeOutput& output, const FormatRow& format, uint64_t written,
                         const std::string& shown) {
  if (output.direct() || format.record_size == 0) return true;
  uint64_t held = EstimateRecordCount(output.WritePath(), format);
  if (held == written) return true;
  Complain(shown + " would hold " + Counted(held, "record") + " where " + std::to_string(written) +
           " were written");
  return false;
}

enum class Ending {
  kComplete,           // every record written, both files closed cleanly
  kInterrupted,        // stopped by a signal, the writer's files finished
  kInterruptedBroken,  // stopped by a signal, the writer failed
  kFailed
};

// Puts the new OUT in place after a complete conversion, keeps what an
// interrupted one wrote, removes what a failed one wrote, and tells the
// user what became of OUT. Returns the records OUT (or the files kept)
// now hold; a conversion whose files cannot be put in place ends as
// failed.
uint64_t Settle(SafeOutput* output, const std::string& shown, Ending* ending, uint64_t written) {
  std::string problem;
  std::string old = output->replacing() ? " is as it was" : " was not made";
  switch (*ending) {
    case Ending::kComplete:
      if (output->Commit(&problem)) return written;
      Complain(problem + "; " + shown + old);
      *ending = Ending::kFailed;
      return 0;
    case Ending::kInterrupted:
      if (output->direct()) {
        Complain("interrupted; " + shown + " holds the records written so far");
      } else {
        Complain("interrupted; " + shown + old + ", and the records written so far are kept in " +
                 Listed(output->Keep()));
      }
      return written;
    case Ending::kInterruptedBroken:
    case Ending::kFailed:
      output->Discard();
      if (*ending == Ending::kInterruptedBroken) {
        Complain("interrupted; " + shown +
                 (output->direct() ? " may hold only a part of the records written" : old));
      } else if (!output->direct()) {
        Complain(shown + (output->replacing() ? " is left as it was" : " was not written"));
      }
      break;
  }
  return 0;
}

// ", 2 lines skipped, 1 character replaced by '?'", for the summary.
std::string InputCounts(const InputLines* input) {
  std::string counts;
  if (input != nullptr && input->skipped() > 0) {
    counts += ", " + Counted(input->skipped(), "line") + " skipped";
  }
  if (input != nullptr && input->replaced() > 0) {
    counts += ", " + Counted(input->replaced(), "character") + " replaced by '?'";
  }
  return counts;
}

}  // namespace

int RunConvert(const Session& session, const CommandLine& line) {
  if (!OutputSparesInput(line.log, line.output)) return kExitUsage;
  const PluginLibrary& plugin = *session.plugin;
  HostAnswers& answers = *session.answers;
  const FormatRow& format = WriterFormatOf(line.output);
  SafeOutput output;
  std::string problem;
  if (!output.Prepare(line.output, format, line.force, &problem)) {
    Complain(problem);
    return kExitFailure;
  }
  answers.writing = SubjectForWriting(line.output, output.WritePath());
  int warnings_before = answers.warnings;
  if (!OpenLog(session, line.log)) return kExitFailure;
  std::unique_ptr<InputLines> input;
  if (plugin.GetLogType() != 0) {
    input.reset(new InputLines(line.log, line.input_encoding));
    if (!input->Ready(&problem)) {
      Complain(problem);
      plugin.Close();
      return kExitFailure;
    }
  }
  // From the temporaries' creation on, an interrupt ends in Settle, which
  // cleans up.
  InterruptScope interrupt;
  bool created;
  {
    WritingScope writing(&answers);
    created = plugin.Create(output.WritePath().c_str()) != 0;
  }
  if (!created) {
    plugin.Close();
    output.Discard();
    return kExitFailure;
  }
  LossCheck losses(session, output.WritePath());
  uint64_t written = 0;
  bool write_failed = false;
  std::string writer_line;
  std::string reason;
  uint64_t records = 0;
  WalkEnd end;
  {
    ProgressScope progress(session, line.log);
    end = WalkRecords(
        session,
        [&](const char* text) {
          if (interrupt.signal_number() != 0) return false;
          if (input != nullptr) {
            text = input->Take(text, &reason);
            if (text == nullptr) {
              if (!reason.empty()) {
                progress.bar().Clear();
                Complain(line.log + ":" + std::to_string(records) + ": not a QSO line (" + reason +
                         ")");
              }
              return true;
            }
          }
          MakeWriterLine(text, &writer_line);
          WritingScope writing(&answers);
          if (losses.Write(&writer_line) == 0) {
            progress.bar().Clear();
            std::string why = WhyNotWritable(output.WritePath(), LastSystemError());
            Complain("writing record " + std::to_string(written) + " to " + line.output +
                     " failed" + (why.empty() ? "" : " (" + why + ")") + "; conversion stopped");
            write_failed = true;
            return false;
          }
          ++written;
          progress.bar().Advance(written);
          return true;
        },
        &records);
  }
  bool writer_closed;
  {
    WritingScope writing(&answers);
    writer_closed = plugin.CClose() != 0;
  }
  bool reader_closed = plugin.Close() != 0;
  // A signal after the last record has no conversion left to stop.
  bool interrupted = interrupt.signal_number() != 0 && end != WalkEnd::kEndOfLog;
  bool complete = end == WalkEnd::kEndOfLog && !write_failed && writer_closed && reader_closed &&
                  HoldsWhatWasWritten(output, format, written, line.output);
  Ending ending = interrupted ? (writer_closed && !write_failed ? Ending::kInterrupted
                                                                : Ending::kInterruptedBroken)
                  : complete  ? Ending::kComplete
                              : Ending::kFailed;
  // The records that lost something, read back before the files move.
  uint64_t shortened = complete ? losses.CountLosses() : 0;
  uint64_t held = Settle(&output, line.output, &ending, written);
  complete = ending == Ending::kComplete;
  WriteOutput(Counted(records, "record") + " read, " + std::to_string(held) + " written, " +
              Counted(static_cast<uint64_t>(answers.warnings - warnings_before), "warning") +
              LossNote(shortened) + InputCounts(input.get()) + "\n");
  bool output_ok = FinishOutput();
  if (interrupted) return 128 + interrupt.signal_number();
  bool lossless = input == nullptr || (input->skipped() == 0 && input->replaced() == 0);
  return complete && output_ok && (lossless || !line.strict) ? kExitSuccess : kExitFailure;
}

}  // namespace varnek_host
