// Which files a log name stands for, as the plug-in sees them: the format
// an extension selects, the HAMLOG remark file beside a data file, whether
// two names reach the same file, and how many records a log holds roughly.
#ifndef VARNEK_HOST_LOG_FILES_H_
#define VARNEK_HOST_LOG_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace varnek_host {

enum class LogFormat { kLog200, kHamlog, kQirnoText, kCsv };

// The format the plug-in reads a chosen file as (l2, dbs, anything else:
// CSV) and writes a named file as (log, l2, dbs, anything else: CSV).
LogFormat ReaderFormatOf(const std::string& path);
LogFormat WriterFormatOf(const std::string& path);

// Every file the plug-in touches for a log: the name itself and, for
// HAMLOG, its remark file.
std::vector<std::string> FilesOfLog(const std::string& path, LogFormat format);

// True when both names exist and are the same file.
bool SameFile(const std::string& a, const std::string& b);

// The number of records in the log, estimated from its size (fixed-length
// formats) or its line ends (text); 0 when it cannot be told.
uint64_t EstimateRecordCount(const std::string& path, LogFormat format);

}  // namespace varnek_host

#endif  // VARNEK_HOST_LOG_FILES_H_
