#include "plugin/qso_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace varnek {
namespace {

TEST(QsoFieldsTest, EmptySlotsGiveTwelveCommas) {
  QsoFields qso;
  char buffer[64];
  EXPECT_STREQ(qso.Assemble(buffer, sizeof buffer), ",,,,,,,,,,,,");
  EXPECT_STREQ(buffer, ",,,,,,,,,,,,");
}

TEST(QsoFieldsTest, OnlyNameQthAndRemarksAreQuotedAndNothingIsEscaped) {
  QsoFields qso;
  const char* values[] = {"981231",   "1234", "JA1ABC/1",   "599", "7.05", "CW", "10",
                          "Taro, Jr", "",     "say \"hi\"", "J",   "",     "env"};
  for (int n = 1; n <= kQsoFieldCount; ++n) qso.Field(n).Assign(values[n - 1]);
  char buffer[256];
  const char* line = qso.Assemble(buffer, sizeof buffer);
  EXPECT_STREQ(line, "981231,1234,JA1ABC/1,599,7.05,CW,10,\"Taro, Jr\",,\"say \"hi\"\",J,,env");
  EXPECT_STREQ(buffer, line);
}

TEST(QsoFieldsTest, HostBufferGetsSizeMinusOneBytesButTheWholeLineIsReturned) {
  QsoFields qso;
  qso.Field(kDate).Assign("981231");
  qso.Field(kTime).Assign("1234");
  char buffer[32];
  std::memset(buffer, 'z', sizeof buffer);
  const char* line = qso.Assemble(buffer, 10);
  EXPECT_STREQ(buffer, "981231,12");
  EXPECT_EQ(std::string(line), "981231,1234,,,,,,,,,,,");

  std::memset(buffer, 'z', sizeof buffer);
  qso.Assemble(buffer, 65536 + 1);  // only the low 16 bits count
  EXPECT_EQ(buffer[0], '\0');
  std::memset(buffer, 'z', sizeof buffer);
  qso.Assemble(buffer, 65536);
  EXPECT_EQ(buffer[0], 'z');  // no room at all: nothing written
}

TEST(QsoFieldsTest, ClearKeepsStorage) {
  QsoFields qso;
  qso.Field(kName).Assign("Hanako");
  const char* block = qso.Field(kName).Str();
  qso.Clear();
  EXPECT_STREQ(qso.Field(kName).Str(), "");
  qso.Field(kName).Assign("Taro");
  EXPECT_EQ(qso.Field(kName).Str(), block);
}

TEST(QsoLinePartsTest, SplitsThirteenFieldsAndIgnoresTheRest) {
  char line[] = "98/12/31,1234,JA1ABC,599,7,CW,,\"Taro, Jr\",\"Tokyo\",\"Pow[5]\",J,N,e,extra";
  QsoLineParts parts(line);
  EXPECT_STREQ(parts.field[kDate], "98/12/31");
  EXPECT_STREQ(parts.field[kName], "Taro, Jr");
  EXPECT_STREQ(parts.field[kQth], "Tokyo");
  EXPECT_STREQ(parts.field[kRemarks], "Pow[5]");
  EXPECT_STREQ(parts.field[kEnv], "e");

  char short_line[] = "98/12/31,1234";
  QsoLineParts few(short_line);
  EXPECT_STREQ(few.field[kTime], "1234");
  for (int n = kCall; n <= kEnv; ++n) EXPECT_STREQ(few.field[n], "");
  QsoLineParts none(nullptr);
  EXPECT_STREQ(none.field[kEnv], "");
}

}  // namespace
}  // namespace varnek
