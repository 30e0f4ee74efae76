// Which files a log name stands for, as the plug-in sees them: the format
// an extension selects (from the plug-in's table of formats), the
// companion file of a format that has one (and the names the reader tries
// for it), and how many records a log holds roughly.
#ifndef VARNEK_HOST_LOG_FILES_H_
#define VARNEK_HOST_LOG_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "formats/format_table.h"
#include "host/plugin_warnings.h"

namespace varnek_host {

using varnek::FormatId;
using varnek::FormatRow;

// The format the plug-in reads a chosen file as (by the extension the open
// dialog reports: after the last '.' of the file name) and writes a named
// file as (by the extension after the name's last '.', which is never its
// first byte).
const FormatRow& ReaderFormatOf(const std::string& path);
const FormatRow& WriterFormatOf(const std::string& path);

// Every file the plug-in touches for a log: the name itself and, for a
// format with a companion file, that file.
std::vector<std::string> FilesOfLog(const std::string& path, const FormatRow& format);

// The files of a log as the plug-in's warnings name them: the log `path`
// being read (its companion by each name the reader tries), and the output
// `shown` that the plug-in writes as `actual`.
FileSubject SubjectForReading(const std::string& path);
FileSubject SubjectForWriting(const std::string& shown, const std::string& actual);

// The number of records in the log, estimated from its size (fixed-length
// formats) or its line ends (text); 0 when it cannot be told.
uint64_t EstimateRecordCount(const std::string& path, const FormatRow& format);

}  // namespace varnek_host

#endif  // VARNEK_HOST_LOG_FILES_H_
