// Whether a record lost something on its way into a log: the QSO line a
// host handed to a writer, against the line the log's reader lists for the
// record it became. Nothing of the plug-in is asked; the answer comes from
// the two lines alone, so that a host (the varnek command, the round-trip
// fuzz target) can check what a writer promised.
//
// What every character the host gave must still be somewhere in the line
// read back: values may move between fields and remark tags (the power and
// its Pow tag, the remark text and its REM, REM1 or REM2 wrapper, a LOG200
// column and its tag), brackets and blanks may change, and the reader may
// add tags and characters of its own (Via, My, CODE, the "$DX" marker).
// The formats' own notation is not a loss: dates and times are not
// compared, a QSL mark is one character, one trailing point of a frequency
// does not count, and a report in SSB, AM or FM keeps its first two
// characters only when it has three.
#ifndef VARNEK_HOST_RECORD_LOSS_H_
#define VARNEK_HOST_RECORD_LOSS_H_

#include <string>

namespace varnek_host {

bool RecordLostSomething(const std::string& written, const std::string& read_back);

}  // namespace varnek_host

#endif  // VARNEK_HOST_RECORD_LOSS_H_
