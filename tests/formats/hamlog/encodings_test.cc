// The packed field encodings of a HAMLOG record, both directions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "formats/hamlog/date_time_code.h"
#include "formats/hamlog/frequency_code.h"
#include "formats/hamlog/hamlog_layout.h"
#include "formats/hamlog/report_code.h"
#include "text/text_buffer.h"

namespace varnek {
namespace hamlog {
namespace {

std::string Bytes(const unsigned char* p, size_t n) {
  return std::string(reinterpret_cast<const char*>(p), n);
}

std::string Encoded(const char* frequency) {
  unsigned char field[kFrequencySize] = {0xEE, 0xEE, 0xEE, 0xEE};
  EncodeFrequency(frequency, field);
  return Bytes(field, sizeof field);
}

std::string Decoded(const std::string& field) {
  TextBuffer out("stale");
  DecodeFrequency(reinterpret_cast<const unsigned char*>(field.data()), out);
  return out.Str();
}

TEST(FrequencyCodeTest, PacksLongTextsWithLengthAndPoint) {
  struct Case {
    const char* text;
    std::string bytes;
    const char* reads_back;
  } cases[] = {
      {"14.025", std::string("\xF9\x22\x02\xB2", 4), "14.025"},
      {"7.050", std::string("\xA2\x11\x01\xA9", 4), "7.050"},
      {"144.00", std::string("\x80\x32\x02\xB3", 4), "144.00"},
      {"1296.10", std::string("\x8A\xC6\x13\xBC", 4), "1296.10"},
      {"14025", std::string("\xC9\x36\x00\xAD", 4), "14025"},
      {"10368.100", std::string("\x01\xD2\x0F\xBD", 4), "10368.1"},
      {"1.9125", std::string("\x45\xAA\x01\xB1", 4), "1.9125"},
      {"50.110", std::string("\x8E\xA1\x07\xB2", 4), "50.110"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Encoded(c.text), c.bytes) << c.text;
    EXPECT_EQ(Decoded(c.bytes), c.reads_back) << c.text;
  }
}

TEST(FrequencyCodeTest, KeepsShortTextsAsText) {
  EXPECT_EQ(Encoded("7"), "7   ");
  EXPECT_EQ(Encoded("3.5"), "3.5 ");
  EXPECT_EQ(Encoded("21"), "21  ");
  EXPECT_EQ(Encoded("1.9."), "1.9.");
  EXPECT_EQ(Encoded(""), "    ");
  EXPECT_EQ(Decoded("21  "), "21");
  EXPECT_EQ(Decoded("3.5 "), "3.5");
  EXPECT_EQ(Decoded("430."), "430");  // one trailing point dropped
  EXPECT_EQ(Decoded(std::string("7\0 9", 4)), "7");
  EXPECT_EQ(Decoded("    "), "");
}

TEST(FrequencyCodeTest, LeadingZerosAndPaddingZerosDoNotSurvive) {
  EXPECT_EQ(Encoded("0.475"), std::string("\xDB\x01\x00\xA9", 4));
  EXPECT_EQ(Decoded(std::string("\xDB\x01\x00\xA9", 4)), "4.5");
  // N = 1090000, L = 3, P = 1: the zeros at positions 4 to 6 are blanked.
  EXPECT_EQ(Decoded(std::string("\xD0\xA1\x10\x99", 4)), "1.90");
}

TEST(FrequencyCodeTest, DecodesAnyPackedBytesWithinEightCharacters) {
  // The largest number (eight digits) with the point at the last place.
  EXPECT_EQ(Decoded(std::string("\xFF\xFF\xFF\xBF", 4)), "1677721");
  EXPECT_EQ(Decoded(std::string("\xFF\xFF\xFF\x87", 4)), "1677721");
  EXPECT_EQ(Decoded(std::string("\x00\x00\x00\x80", 4)), "");
}

TEST(FrequencyCodeTest, LongTextWithoutLeadingDigitIsStoredAsText) {
  EXPECT_EQ(Encoded("ABCDEFG"), "ABCD");
  EXPECT_EQ(Encoded("-14.025"), "-14.");
  // A leading point too: packed, .0250 would read back as .50.
  EXPECT_EQ(Encoded(".0250"), ".025");
}

unsigned char* Record() {
  static unsigned char record[kRecordLength];
  for (unsigned char& b : record) b = ' ';
  return record;
}

TEST(DateTimeCodeTest, YearsBelowFiftyCarryBitSeven) {
  struct Case {
    const char* date;
    unsigned char year;
  } cases[] = {{"05/01/02", 0x85}, {"49/12/31", 0xB1}, {"50/01/01", 0x32}, {"99/12/31", 0x63}};
  for (const Case& c : cases) {
    unsigned char* record = Record();
    ASSERT_TRUE(EncodeDate(c.date, record));
    EXPECT_EQ(record[kYearAt], c.year) << c.date;
    TextBuffer date, time;
    DecodeDateTime(record, date, time);
    EXPECT_EQ(std::string(date.Str()).substr(0, 2), std::string(c.date).substr(0, 2));
  }
  unsigned char* record = Record();
  ASSERT_TRUE(EncodeDate("05/01/02", record));
  EXPECT_EQ(record[kMonthAt], 1);
  EXPECT_EQ(record[kDayAt], 2);
}

TEST(DateTimeCodeTest, TextsThatDoNotReadLeaveTheBytesAlone) {
  unsigned char* record = Record();
  EXPECT_FALSE(EncodeDate("050102", record));
  EXPECT_FALSE(EncodeTime("", record));
  EXPECT_EQ(Bytes(record + kYearAt, 5), "     ");
}

TEST(DateTimeCodeTest, TimeIsHourAndMinuteOfOneNumber) {
  unsigned char* record = Record();
  ASSERT_TRUE(EncodeTime("2400", record));
  EXPECT_EQ(record[kHourAt], 0);
  EXPECT_EQ(record[kMinuteAt], 0);
  ASSERT_TRUE(EncodeTime("930", record));
  EXPECT_EQ(record[kHourAt], 9);
  EXPECT_EQ(record[kMinuteAt], 30);
}

TEST(DateTimeCodeTest, UtcRecordsReadBackInJst) {
  unsigned char* record = Record();
  const unsigned char year_end[] = {99, 12, 31, 20, 0x9E};  // 99-12-31 20:30 UTC
  std::copy(year_end, year_end + 5, record + kYearAt);
  TextBuffer date, time;
  DecodeDateTime(record, date, time);
  EXPECT_STREQ(date.Str(), "000101");
  EXPECT_STREQ(time.Str(), "0530");

  const unsigned char leap[] = {0x80, 2, 28, 15, 0x80 | 30};  // 00-02-28 15:30 UTC
  std::copy(leap, leap + 5, record + kYearAt);
  DecodeDateTime(record, date, time);
  EXPECT_STREQ(date.Str(), "000229");
  EXPECT_STREQ(time.Str(), "0030");

  const unsigned char jst[] = {0x85, 1, 2, 9, 5};
  std::copy(jst, jst + 5, record + kYearAt);
  DecodeDateTime(record, date, time);
  EXPECT_STREQ(date.Str(), "050102");
  EXPECT_STREQ(time.Str(), "0905");
}

TEST(DateTimeCodeTest, BytesAboveNinetyNineShowAllTheirDigits) {
  unsigned char* record = Record();
  TextBuffer date, time;
  const unsigned char odd[] = {0x63, 200, 7, 100, 0x7F};  // month 200, hour 100, minute 127
  std::copy(odd, odd + 5, record + kYearAt);
  DecodeDateTime(record, date, time);
  EXPECT_STREQ(date.Str(), "9920007");
  EXPECT_STREQ(time.Str(), "100127");
  const unsigned char usual[] = {0x63, 12, 31, 23, 59};  // the same buffers, reused
  std::copy(usual, usual + 5, record + kYearAt);
  DecodeDateTime(record, date, time);
  EXPECT_STREQ(date.Str(), "991231");
  EXPECT_STREQ(time.Str(), "2359");
}

std::string Report(const char* text, const char* mode) {
  unsigned char pair[2] = {' ', ' '};
  EncodeReport(text, mode, pair);
  return Bytes(pair, 2);
}

std::string ReadBack(const std::string& pair) {
  TextBuffer out;
  DecodeReport(reinterpret_cast<const unsigned char*>(pair.data()), out);
  return out.Str();
}

TEST(ReportCodeTest, ThirdFigureOnlyOutsideVoiceModes) {
  EXPECT_EQ(Report("599", "CW"),
            "\x3B"
            "9");
  EXPECT_EQ(Report("59", "SSB"), "\x3B ");
  EXPECT_EQ(Report("599", "SSB"), "\x3B ");
  EXPECT_EQ(Report("599", "FM"), "\x3B ");
  EXPECT_EQ(Report("599", "AM"), "\x3B ");
  EXPECT_EQ(Report("599", "ssb"),
            "\x3B"
            "9");  // mode compared exactly
  EXPECT_EQ(Report("5NN", "CW"), std::string("\x05N", 2));
  EXPECT_EQ(Report("", "CW"), "\x3B ");
  EXPECT_EQ(Report("RST", "CW"), "\x3BT");
  EXPECT_EQ(Report("-1", "SSB"), "\xFF ");
}

TEST(ReportCodeTest, ReadsNumberThenCharacter) {
  EXPECT_EQ(ReadBack("\x3B"
                     "9"),
            "599");
  EXPECT_EQ(ReadBack("\x3B "), "59");
  EXPECT_EQ(ReadBack(std::string("\x05N", 2)), "05N");
  EXPECT_EQ(ReadBack(std::string("\x3B\0", 2)), "59");
  EXPECT_EQ(ReadBack(std::string("\xFF\x41", 2)), "255A");
}

}  // namespace
}  // namespace hamlog
}  // namespace varnek
