// Byte-exact logs for the reading scenarios and the expected bytes of the
// writing ones: LOG200 records and HAMLOG data and remark files, built
// field by field from their published layouts.
#ifndef VARNEK_TESTS_WINDOWS_LOG_FILES_H_
#define VARNEK_TESTS_WINDOWS_LOG_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace scenario {

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

}  // namespace scenario

#endif  // VARNEK_TESTS_WINDOWS_LOG_FILES_H_
