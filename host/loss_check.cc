#include "host/loss_check.h"

#include <climits>

#include "host/log_files.h"
#include "host/record_loss.h"

namespace varnek_host {

LossCheck::LossCheck(const Session& session, const std::string& output)
    : session_(session), output_(output) {}

LossCheck::~LossCheck() {
  if (kept_ != nullptr) std::fclose(kept_);
}

int32_t LossCheck::Write(std::string* line) {
  int warnings = session_.answers->warnings;
  copy_ = *line;
  int32_t result = session_.plugin->WriteText(&(*line)[0]);
  if (result == 0) return result;
  if (kept_ == nullptr && !keeping_failed_ && session_.answers->warnings != warnings) {
    kept_ = std::tmpfile();
    keeping_failed_ = kept_ == nullptr;
    first_kept_ = written_;
  }
  if (kept_ != nullptr && !Keep(copy_)) keeping_failed_ = true;
  ++written_;
  return result;
}

bool LossCheck::Keep(const std::string& line) {
  // Lines may hold any byte: each goes with its length first.
  uint64_t size = line.size();
  return std::fwrite(&size, sizeof size, 1, kept_) == 1 &&
         std::fwrite(line.data(), 1, line.size(), kept_) == line.size();
}

bool LossCheck::Next(std::string* line) {
  uint64_t size = 0;
  if (std::fread(&size, sizeof size, 1, kept_) != 1) return false;
  line->resize(size);
  return size == 0 || std::fread(&(*line)[0], 1, size, kept_) == size;
}

uint64_t LossCheck::CountLosses() {
  const FormatRow& format = WriterFormatOf(output_);
  bool lists_records = format.record_size > 0 && ReaderFormatOf(output_).id == format.id;
  if (kept_ == nullptr || keeping_failed_ || !lists_records || first_kept_ > INT32_MAX) return 0;
  if (std::fflush(kept_) != 0 || std::fseek(kept_, 0, SEEK_SET) != 0) return 0;
  if (!OpenLog(session_, output_)) return 0;
  uint64_t lost = 0;
  uint64_t records = 0;
  std::string line;
  if (session_.plugin->Seek(static_cast<int32_t>(first_kept_)) != 0) {
    WalkRecords(
        session_,
        [&](const char* text) {
          if (!Next(&line)) return false;
          if (RecordLostSomething(line, text)) ++lost;
          return true;
        },
        &records);
  }
  session_.plugin->Close();
  return lost;
}

std::string LossNote(uint64_t records) {
  if (records == 0) return "";
  return ", " + std::to_string(records) + (records == 1 ? " record" : " records") + " shortened";
}

}  // namespace varnek_host
