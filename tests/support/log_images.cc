#include "support/log_images.h"

namespace varnek_test {

const char kTanaka[] = "\x93\x63\x92\x86";
const char kTokyo[] = "\x93\x8C\x8B\x9E";
const char kTokyoTo[] = "\x93\x8C\x8B\x9E\x93\x73";
const char kIdou[] = "\x88\xDA\x93\xAE";

namespace {

constexpr char kLog200Separator = '\x1E';
constexpr size_t kLog200DataSize = 198;

// Space-padded (or cut) to `size` bytes.
std::string Padded(const std::string& text, size_t size) {
  std::string field = text.substr(0, size);
  field.resize(size, ' ');
  return field;
}

std::string LittleEndian16(uint16_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

struct Descriptor {
  const char* name;
  uint8_t length;
};

constexpr Descriptor kDescriptors[] = {
    {"CALLS", 6}, {"IGN", 1}, {"POTBL", 3}, {"CODE", 6}, {"GL", 6},  {"FREQ", 4}, {"MODE", 3},
    {"NAME", 12}, {"QSL", 3}, {"DATE", 3},  {"TIME", 2}, {"RST", 4}, {"OFS", 4},
};

std::string DatedHeader(int year, int month, int day, uint32_t count) {
  std::string header(1, '\x1A');
  header += static_cast<char>(year % 100);
  header += static_cast<char>(month);
  header += static_cast<char>(day);
  header += LittleEndian32(count);
  return header;
}

}  // namespace

std::string CornerTag(const std::string& keyword, const std::string& value) {
  return keyword + kCornerOpen + value + kCornerClose;
}

std::string LittleEndian32(uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Log200Record(const std::vector<std::string>& fields) {
  std::string data;
  for (const std::string& field : fields) data += field + kLog200Separator;
  return Padded(data, kLog200DataSize) + "\r\n";
}

std::string HamlogDataHeader(int year, int month, int day, uint32_t count) {
  std::string header = DatedHeader(year, month, day, count);
  header += LittleEndian16(kHamlogHeaderSize);
  header += LittleEndian16(kHamlogRecordSize);
  header.append(20, '\0');
  for (const Descriptor& descriptor : kDescriptors) {
    std::string entry(descriptor.name);
    entry.resize(11, '\0');
    entry += 'C';
    entry.append(4, '\0');
    entry += static_cast<char>(descriptor.length);
    entry.append(15, '\0');
    header += entry;
  }
  header += '\x0D';
  return header;
}

std::string HamlogRemarkHeader(int year, int month, int day, uint32_t count) {
  std::string header = DatedHeader(year, month, day, count);
  header += LittleEndian16(kHamlogRemarkHeaderSize);
  header.resize(kHamlogRemarkHeaderSize - 1, '\0');
  header += '\x1A';
  return header;
}

std::string HamlogRecordBytes(const HamlogRecord& record) {
  std::string bytes(" ");
  bytes += Padded(record.call, 7);
  bytes += Padded(record.portable, 3);
  bytes += Padded(record.code, 6);
  bytes += Padded(record.grid, 6);
  bytes += Padded(record.frequency, 4);
  bytes += Padded(record.mode, 3);
  bytes += Padded(record.name, 12);
  bytes += Padded(record.qsl, 3);
  for (uint8_t value :
       {record.year, record.month, record.day, record.hour, record.minute, record.his_number}) {
    bytes += static_cast<char>(value);
  }
  bytes += record.his_char;
  bytes += static_cast<char>(record.my_number);
  bytes += record.my_char;
  bytes += LittleEndian32(record.remark_offset);
  return bytes;
}

std::string HamlogRemarkEntry(const std::string& qth, const std::string& line1,
                              const std::string& line2) {
  std::string entry;
  entry += static_cast<char>(qth.size());
  entry += static_cast<char>(line1.size());
  entry += static_cast<char>(line2.size());
  return entry + qth + line1 + line2;
}

namespace {

void PutLittleEndian(std::string& bytes, size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Clip(const std::string& text, size_t limit) { return text.substr(0, limit); }

}  // namespace

std::string L2Record(const std::vector<std::string>& fields) {
  std::vector<std::string> all = fields;
  all.resize(kL2FieldCount);
  return Log200Record(all);
}

DbsImage::DbsImage()
    : header_(HamlogDataHeader(2026, 12, 8, 0)), remarks_(HamlogRemarkHeader(2026, 12, 8, 0)) {}

void DbsImage::Add(const DbsQso& qso) {
  HamlogRecord record;
  record.call = qso.call;
  record.portable = qso.portable;
  record.code = qso.code;
  record.grid = qso.gl;
  record.frequency = (qso.frequency_bytes + "    ").substr(0, 4);
  record.mode = qso.mode;
  record.name = qso.name;
  record.qsl = {qso.route, qso.mark1, qso.mark2};
  record.year = qso.year;
  record.month = qso.month;
  record.day = qso.day;
  record.hour = qso.hour;
  record.minute = qso.minute;
  record.his_number = qso.his_number;
  record.his_char = static_cast<char>(qso.his_char);
  record.my_number = qso.my_number;
  record.my_char = static_cast<char>(qso.my_char);
  if (!qso.qth.empty() || !qso.remark1.empty() || !qso.remark2.empty()) {
    record.remark_offset = static_cast<uint32_t>(remarks_.size());
    remarks_ +=
        HamlogRemarkEntry(Clip(qso.qth, 255), Clip(qso.remark1, 255), Clip(qso.remark2, 255));
  }
  records_ += HamlogRecordBytes(record);
  ++count_;
}

std::string DbsImage::Data() const {
  std::string header = header_;
  PutLittleEndian(header, 4, static_cast<uint32_t>(count_), 4);
  return header + records_ + static_cast<char>(kDbsMark);
}

std::string DbsImage::Remarks() const {
  std::string remarks = remarks_;
  PutLittleEndian(remarks, 4, static_cast<uint32_t>(count_), 4);
  return remarks;
}

}  // namespace varnek_test
