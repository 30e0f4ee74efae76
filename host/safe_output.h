// SafeOutput: how `varnek convert` writes OUT without ever losing what is
// there. The plug-in writes into temporary files beside OUT, named like it
// with the same extension so that the same writer is chosen
// (".old.tmp-1234.dbs" with its ".old.tmp-1234.DBR"); only a conversion
// that wrote every record and closed cleanly renames them into place, each
// in one step. A failed one removes them, and OUT stays as it was.
//
// Before anything is written, an existing OUT, or an existing companion
// file it would write (the .DBR of a HAMLOG log, in any letter case), is
// refused unless the user forces the replacement. A folder is always
// refused. A device or FIFO cannot be replaced: with force it is written
// directly. A symbolic link keeps pointing where it did: the file it leads
// to is replaced.
//
// When a log of two files is replaced, the old files keep a second name
// (a hard link, where the file system has them) until both new ones are in
// place, so that a rename that fails half way puts the old pair back.
//
// The object owns the names; the files on disk are the caller's to ask
// for. It does not remove anything by itself: the caller ends with one of
// Commit, Discard or Keep.
#ifndef VARNEK_HOST_SAFE_OUTPUT_H_
#define VARNEK_HOST_SAFE_OUTPUT_H_

#include <string>
#include <vector>

#include "formats/format_table.h"

namespace varnek_host {

class SafeOutput {
 public:
  // Checks `output` and chooses the temporaries. False, with the problem
  // for the user, when OUT must not be written.
  bool Prepare(const std::string& output, const varnek::FormatRow& format, bool force,
               std::string* problem);

  // The name to give the plug-in's Create, and the files it writes there
  // (the log, then its companion).
  const std::string& WritePath() const { return files_.front().written; }
  std::vector<std::string> WrittenFiles() const;
  // The files the user knows, in the same order.
  std::vector<std::string> FinalFiles() const;
  // True when the plug-in writes OUT itself (a device or FIFO).
  bool direct() const { return direct_; }
  // True when OUT existed when it was prepared.
  bool replacing() const { return replacing_; }

  // Renames the temporaries into place. False, with the problem, when that
  // failed; the old files are then back where they were.
  bool Commit(std::string* problem);
  // Removes the temporaries.
  void Discard();
  // Leaves the temporaries as they are and returns their names, for the
  // user to keep what was written.
  std::vector<std::string> Keep() const { return WrittenFiles(); }

 private:
  struct File {
    std::string final_name;  // as the user will find it
    std::string written;     // where the plug-in writes it
    std::string backup;      // a second name of the old file while replacing, or empty
    bool existed;            // an old file stood at final_name when the renames began
  };

  bool ChooseTemporaries(const std::string& final_name, const varnek::FormatRow& format,
                         std::string* problem);
  void Restore(size_t renamed);

  std::vector<File> files_;
  bool direct_ = false;
  bool replacing_ = false;
};

}  // namespace varnek_host

#endif  // VARNEK_HOST_SAFE_OUTPUT_H_
