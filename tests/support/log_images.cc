#include "support/log_images.h"

#include <algorithm>

namespace varnek_test {

namespace {

struct Descriptor {
  const char* name;
  uint8_t length;
};

constexpr Descriptor kDbsDescriptors[] = {
    {"CALLS", 6}, {"IGN", 1}, {"POTBL", 3}, {"CODE", 6}, {"GL", 6},  {"FREQ", 4}, {"MODE", 3},
    {"NAME", 12}, {"QSL", 3}, {"DATE", 3},  {"TIME", 2}, {"RST", 4}, {"OFS", 4},
};
constexpr size_t kDescriptorSize = 32;
constexpr size_t kDescriptorType = 11;
constexpr size_t kDescriptorLength = 16;

void PutLittleEndian(std::string& bytes, size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Space-padded copy into a record field, cut to the field's size.
void PutText(std::string& record, size_t at, size_t size, const std::string& text) {
  record.replace(at, std::min(size, text.size()), text.substr(0, size));
}

std::string Clip(const std::string& text, size_t limit) { return text.substr(0, limit); }

}  // namespace

std::string L2Record(const std::vector<std::string>& fields) {
  std::string data;
  for (int n = 0; n < kL2FieldCount; ++n) {
    if (static_cast<size_t>(n) < fields.size()) data += fields[n];
    data += kL2Separator;
  }
  data.resize(kL2DataSize, ' ');
  return data + "\r\n";
}

DbsImage::DbsImage() : header_(kDbsHeaderSize, '\0'), remarks_(kDbrHeaderSize, '\0') {
  header_[0] = static_cast<char>(kDbsMark);
  header_[1] = 26;
  header_[2] = 12;
  header_[3] = 8;
  PutLittleEndian(header_, 8, kDbsHeaderSize, 2);
  PutLittleEndian(header_, 10, kDbsRecordSize, 2);
  size_t at = 32;
  for (const Descriptor& d : kDbsDescriptors) {
    std::string name(d.name);
    header_.replace(at, name.size(), name);
    header_[at + kDescriptorType] = 'C';
    header_[at + kDescriptorLength] = static_cast<char>(d.length);
    at += kDescriptorSize;
  }
  header_[at] = '\r';
  remarks_.replace(0, 4, header_.substr(0, 4));
  remarks_[9] = 0x01;
  remarks_[255] = static_cast<char>(kDbsMark);
}

void DbsImage::Add(const DbsQso& qso) {
  std::string record(kDbsRecordSize, ' ');
  PutText(record, kDbsCall, 7, qso.call);
  PutText(record, kDbsPortable, 3, qso.portable);
  PutText(record, kDbsCode, 6, qso.code);
  PutText(record, kDbsGl, 6, qso.gl);
  record.replace(kDbsFrequency, 4, (qso.frequency_bytes + "    ").substr(0, 4));
  PutText(record, kDbsMode, 3, qso.mode);
  PutText(record, kDbsName, 12, qso.name);
  record[kDbsQslRoute] = qso.route;
  record[kDbsQslMark1] = qso.mark1;
  record[kDbsQslMark2] = qso.mark2;
  const uint8_t moment[] = {qso.year, qso.month, qso.day, qso.hour, qso.minute};
  for (size_t i = 0; i < sizeof moment; ++i) record[kDbsDate + i] = static_cast<char>(moment[i]);
  const uint8_t reports[] = {qso.his_number, qso.his_char, qso.my_number, qso.my_char};
  for (size_t i = 0; i < sizeof reports; ++i)
    record[kDbsReport + i] = static_cast<char>(reports[i]);
  uint32_t offset = 0;
  if (!qso.qth.empty() || !qso.remark1.empty() || !qso.remark2.empty()) {
    offset = static_cast<uint32_t>(remarks_.size());
    std::string qth = Clip(qso.qth, 255), one = Clip(qso.remark1, 255),
                two = Clip(qso.remark2, 255);
    remarks_ += static_cast<char>(qth.size());
    remarks_ += static_cast<char>(one.size());
    remarks_ += static_cast<char>(two.size());
    remarks_ += qth + one + two;
  }
  PutLittleEndian(record, kDbsRemarkOffset, offset, 4);
  records_ += record;
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
