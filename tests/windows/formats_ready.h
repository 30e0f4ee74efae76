// The formats a scenario can need, and which of them the plug-in handles
// today. Scenarios of a format that is not ready are listed as skipped
// (varnek_scenarios --all runs them anyway).
#ifndef VARNEK_TESTS_WINDOWS_FORMATS_READY_H_
#define VARNEK_TESTS_WINDOWS_FORMATS_READY_H_

namespace scenario {

enum Format : unsigned {
  kBoundary = 1u << 0,  // the exports, the dialog, the warnings
  kCsv = 1u << 1,
  kLog200 = 1u << 2,  // LOG200 reader and writer (*.l2)
  kHamlog = 1u << 3,  // HAMLOG reader and writer (*.dbs + *.DBR)
  kQirno = 1u << 4,   // QIRNO text writer (*.log)
  kAdif = 1u << 5,    // ADIF reader and writer (*.adi, *.adif)
};

// ==== SWITCH: set a format's bit here when its handler lands. ====
constexpr unsigned kFormatsReady = kBoundary | kCsv | kLog200 | kHamlog | kQirno | kAdif;

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_FORMATS_READY_H_
