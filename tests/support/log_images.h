// Byte images of LOG200 and HAMLOG logs, built by hand from their record
// layouts, for tests that need logs no writer has touched or must compare
// a writer's bytes with the layout: the scenarios of the Windows host,
// thousands of records for the randomized update test, damaged files for
// fault injection, and the seed inputs of the fuzz targets. The layouts are
// restated here on purpose: they are the files other programs write.
#ifndef VARNEK_TESTS_SUPPORT_LOG_IMAGES_H_
#define VARNEK_TESTS_SUPPORT_LOG_IMAGES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnek_test {

// ---- Field by field ----

// Code page 932 texts used by the scenarios.
extern const char kTanaka[];  // a family name
extern const char kTokyo[];
extern const char kTokyoTo[];  // Tokyo metropolis
extern const char kIdou[];     // "portable operation"
constexpr char kCornerOpen = '\xA2';
constexpr char kCornerClose = '\xA3';

// A remark tag with the corner brackets, as the readers write them.
std::string CornerTag(const std::string& keyword, const std::string& value);

std::string LittleEndian32(uint32_t value);

// One 200-byte LOG200 record: each field followed by 0x1E, spaces up to
// byte 197, CR LF.
std::string Log200Record(const std::vector<std::string>& fields);
constexpr size_t kLog200RecordSize = 200;

// HAMLOG data file header with its thirteen field descriptors (449 bytes).
std::string HamlogDataHeader(int year, int month, int day, uint32_t count);
// HAMLOG remark file header (256 bytes).
std::string HamlogRemarkHeader(int year, int month, int day, uint32_t count);
constexpr size_t kHamlogHeaderSize = 449;
constexpr size_t kHamlogRecordSize = 58;
constexpr size_t kHamlogRemarkHeaderSize = 256;

struct HamlogRecord {
  std::string call = "";      // up to 7 bytes
  std::string portable = "";  // up to 3 bytes
  std::string code = "";
  std::string grid = "";
  std::string frequency = "    ";  // 4 raw bytes (text or packed)
  std::string mode = "";
  std::string name = "";
  std::string qsl = "J  ";  // route, mark 1, mark 2
  uint8_t year = 0, month = 1, day = 1;
  uint8_t hour = 0, minute = 0;  // minute bit 7: UTC
  uint8_t his_number = 59;
  char his_char = ' ';
  uint8_t my_number = 59;
  char my_char = ' ';
  uint32_t remark_offset = 0;
};
std::string HamlogRecordBytes(const HamlogRecord& record);
// A remark entry: three lengths, QTH, remark line 1, remark line 2.
std::string HamlogRemarkEntry(const std::string& qth, const std::string& line1,
                              const std::string& line2);

// ---- Whole logs ----

// LOG200: records of 200 bytes, no header.
constexpr size_t kL2RecordSize = 200;
constexpr size_t kL2DataSize = 198;  // then CR LF
constexpr char kL2Separator = '\x1E';
constexpr int kL2FieldCount = 17;
constexpr int kL2QslMarkField = 16;

// One record from fields 1..17 (fields[0] is field 1; missing ones are
// empty), each followed by 0x1E, padded with spaces to 198 bytes, CR LF.
// Longer data is cut at 198 bytes.
std::string L2Record(const std::vector<std::string>& fields);

// HAMLOG data file (.dbs): 449-byte header, 58-byte records, end mark.
constexpr size_t kDbsHeaderSize = 449;
constexpr size_t kDbsRecordSize = 58;
constexpr size_t kDbrHeaderSize = 256;
constexpr uint8_t kDbsMark = 0x1A;

// Record offsets.
constexpr size_t kDbsCall = 1;        // 7 bytes
constexpr size_t kDbsPortable = 8;    // 3
constexpr size_t kDbsCode = 11;       // 6
constexpr size_t kDbsGl = 17;         // 6
constexpr size_t kDbsFrequency = 23;  // 4
constexpr size_t kDbsMode = 27;       // 3
constexpr size_t kDbsName = 30;       // 12
constexpr size_t kDbsQslRoute = 42;
constexpr size_t kDbsQslMark1 = 43;
constexpr size_t kDbsQslMark2 = 44;
constexpr size_t kDbsDate = 45;    // year, month, day
constexpr size_t kDbsTime = 48;    // hour, minute (bit 7: UTC)
constexpr size_t kDbsReport = 50;  // his number, his char, my number, my char
constexpr size_t kDbsRemarkOffset = 54;

struct DbsQso {
  std::string call, portable, code, gl, mode, name;
  std::string frequency_bytes = "7   ";  // the 4 FREQ bytes as stored
  char route = 'J', mark1 = ' ', mark2 = ' ';
  uint8_t year = 0x85, month = 1, day = 2, hour = 12, minute = 34;
  uint8_t his_number = 59, his_char = ' ', my_number = 59, my_char = ' ';
  std::string qth, remark1, remark2;  // the remark entry (none when all empty)
};

// A data file and its remark file, built record by record.
class DbsImage {
 public:
  DbsImage();
  void Add(const DbsQso& qso);
  // The data file with the record count and the end mark.
  std::string Data() const;
  // The remark file with the record count.
  std::string Remarks() const;
  size_t Count() const { return count_; }

 private:
  std::string header_;
  std::string records_;
  std::string remarks_;
  size_t count_ = 0;
};

}  // namespace varnek_test

#endif  // VARNEK_TESTS_SUPPORT_LOG_IMAGES_H_
