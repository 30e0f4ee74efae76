// LossCheck: how many records of a conversion lost something. The plug-in
// tells of a loss once per file, by its overflow warning; the command says
// how many records it concerned. While the conversion runs, every line is
// handed to the writer through Write; from the first line whose writing
// brought a warning on, the lines are kept in a temporary file (records
// before it lost nothing). After both logs are closed, the written log is
// read back through the plug-in from that record on and each record is
// held against its line (RecordLostSomething). The object owns the
// temporary file; the session is borrowed.
#ifndef VARNEK_HOST_LOSS_CHECK_H_
#define VARNEK_HOST_LOSS_CHECK_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "host/session.h"

namespace varnek_host {

class LossCheck {
 public:
  LossCheck(const Session& session, const std::string& output);
  ~LossCheck();
  LossCheck(const LossCheck&) = delete;
  LossCheck& operator=(const LossCheck&) = delete;

  // WriteText of *line (which the plug-in may change); its result.
  int32_t Write(std::string* line);
  // Once the writer and the reader are closed: the records that lost
  // something; 0 when the writer never warned or the output's format does
  // not read back as QSO lines.
  uint64_t CountLosses();

 private:
  bool Keep(const std::string& line);
  bool Next(std::string* line);

  const Session& session_;
  std::string output_;
  std::string copy_;
  uint64_t written_ = 0;
  // The temporary file, and the first record whose line is in it.
  std::FILE* kept_ = nullptr;
  uint64_t first_kept_ = 0;
  bool keeping_failed_ = false;
};

// ", N records shortened" for a count above 0; empty otherwise.
std::string LossNote(uint64_t records);

}  // namespace varnek_host

#endif  // VARNEK_HOST_LOSS_CHECK_H_
