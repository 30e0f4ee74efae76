#include "formats/format_table.h"

#include "formats/hamlog/hamlog_layout.h"
#include "formats/log200/log200_record.h"

namespace varnek {

namespace {

// Dialog texts, code page 932.
// "QIRNOテキストファイル(*.log)"
constexpr char kQirnoSaveText[] =
    "QIRNO\x83"
    "e\x83L\x83X\x83g\x83t\x83@\x83"
    "C\x83\x8B(*.log)";
// "LOG200ファイル(*.l2)", "LOG200データファイル(*.l2)"
constexpr char kLog200OpenText[] =
    "LOG200\x83t\x83@\x83"
    "C\x83\x8B(*.l2)";
constexpr char kLog200SaveText[] =
    "LOG200\x83"
    "f\x81[\x83^\x83t\x83@\x83"
    "C\x83\x8B(*.l2)";
// "HAMLOGファイル(*.dbs)", "HAMLOGデータファイル(*.dbs)"
constexpr char kHamlogOpenText[] =
    "HAMLOG\x83t\x83@\x83"
    "C\x83\x8B(*.dbs)";
constexpr char kHamlogSaveText[] =
    "HAMLOG\x83"
    "f\x81[\x83^\x83t\x83@\x83"
    "C\x83\x8B(*.dbs)";
// "CSVテキストファイル(*.csv;*.txt)", in both dialogs
constexpr char kCsvText[] =
    "CSV\x83"
    "e\x83L\x83X\x83g\x83t\x83@\x83"
    "C\x83\x8B(*.csv;*.txt)";

constexpr DialogEntry kNoEntry = {nullptr, nullptr};

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

// One row per format: id, name, extensions, reads, writes, fallback, open
// dialog entry, save dialog entry, companion file, first record, record size.
// clang-format off
const FormatRow kFormats[] = {
    {FormatId::kQirnoText, "QIRNO text", "log", false, true, false,
     kNoEntry, {kQirnoSaveText, "*.log"},
     nullptr, 0, 0},
    {FormatId::kLog200, "LOG200", "l2", true, true, false,
     {kLog200OpenText, "*.l2"}, {kLog200SaveText, "*.l2"},
     nullptr, 0, log200::kRecordSize},
    {FormatId::kHamlog, "HAMLOG", "dbs", true, true, false,
     {kHamlogOpenText, "*.dbs"}, {kHamlogSaveText, "*.dbs"},
     hamlog::kRemarkExtension, hamlog::kHeaderLength, hamlog::kRecordLength},
    {FormatId::kAdif, "ADIF", "adi,adif", true, true, false,
     kNoEntry, kNoEntry,
     nullptr, 0, 0},
    {FormatId::kCsv, "CSV", "csv,txt", true, true, true,
     {kCsvText, "*.csv;*.txt"}, {kCsvText, "*.csv;*.txt"},
     nullptr, 0, 0},
};
// clang-format on
const size_t kFormatCount = sizeof kFormats / sizeof *kFormats;

bool HasExtension(const FormatRow& row, const char* extension) {
  const char* entry = row.extensions;
  while (*entry != '\0') {
    const char* e = extension;
    while (*entry != '\0' && *entry != ',' && *e != '\0' && AsciiLower(*entry) == AsciiLower(*e)) {
      ++entry;
      ++e;
    }
    if ((*entry == '\0' || *entry == ',') && *e == '\0') return true;
    while (*entry != '\0' && *entry != ',') ++entry;
    if (*entry == ',') ++entry;
  }
  return false;
}

namespace {

const FormatRow& Choose(bool reading, const char* extension) {
  const FormatRow* fallback = nullptr;
  for (size_t i = 0; i < kFormatCount; ++i) {
    const FormatRow& row = kFormats[i];
    if (!(reading ? row.reads : row.writes)) continue;
    if (row.fallback) {
      fallback = &row;
    } else if (HasExtension(row, extension)) {
      return row;
    }
  }
  return *fallback;
}

}  // namespace

const FormatRow& FormatForReading(const char* extension) { return Choose(true, extension); }

const FormatRow& FormatForWriting(const char* extension) { return Choose(false, extension); }

}  // namespace varnek
