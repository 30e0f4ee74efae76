#include "synthetic_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "plugin/qso_fields.h"
#include "text/lead_byte.h"
#include "text/numbers.h"

namespace varnek_bench {
namespace {

using varnek::QsoLineParts;

std::string LineAt(const SyntheticLog& log, uint64_t index) {
  char line[SyntheticLog::kMaxLineLength + 1];
  int length = log.Line(index, line);
  EXPECT_EQ(length, static_cast<int>(std::strlen(line)));
  return line;
}

// What the writers rely on: thirteen fields as the host writes them, a date
// in YY/MM/DD, a time in HHMM, a decimal frequency in the amateur range,
// whole double-byte characters, the quoting of fields 8 to 10.
TEST(SyntheticLogTest, EveryLineIsAQsoLineAsTheHostWritesIt) {
  SyntheticLog log;
  for (uint64_t i = 0; i < 20000; ++i) {
    std::string text = LineAt(log, i);
    SCOPED_TRACE(text);
    // No double-byte character is cut at the end of the line.
    for (size_t k = 0; k < text.size(); ++k) {
      if (varnek::IsLeadByte(&text[k])) {
        ASSERT_LT(++k, text.size());
      }
    }
    std::string copy = text;
    QsoLineParts parts(&copy[0]);
    uint32_t year = 0, month = 0, day = 0;
    ASSERT_TRUE(varnek::ScanDate(parts.field[1], &year, &month, &day));
    EXPECT_EQ(std::strlen(parts.field[1]), 8u);
    EXPECT_TRUE(year < 100 && month >= 1 && month <= 12 && day >= 1 && day <= 31);
    const char* time = parts.field[2];
    uint32_t hhmm = 0;
    ASSERT_TRUE(varnek::ScanUnsigned(&time, &hhmm));
    EXPECT_TRUE(hhmm / 100 < 24 && hhmm % 100 < 60);
    EXPECT_EQ(std::strlen(parts.field[2]), 4u);
    EXPECT_NE(parts.field[3][0], '\0');
    double megahertz = std::strtod(parts.field[5], nullptr);
    EXPECT_TRUE(megahertz >= 1.8 && megahertz <= 10368.1);
    for (int n : {8, 9, 10}) {
      // Quoted when not empty, so the splitter hands them over without quotes.
      EXPECT_EQ(std::strchr(parts.field[n], '"'), nullptr) << "field " << n;
    }
    EXPECT_EQ(text.find("\"\""), std::string::npos) << "an empty field in quotes";
  }
}

TEST(SyntheticLogTest, LinesDependOnlyOnSeedAndIndex) {
  SyntheticLog log(7), same(7), other(8);
  EXPECT_EQ(LineAt(log, 123456), LineAt(same, 123456));
  EXPECT_EQ(LineAt(log, 5), LineAt(log, 5));
  EXPECT_NE(LineAt(log, 5), LineAt(other, 5));
}

TEST(SyntheticLogTest, DatesMoveForwardAndTheYearWrapsFrom99To00) {
  SyntheticLog log;
  std::string previous = LineAt(log, 0).substr(0, 13);  // "YY/MM/DD,HHMM"
  EXPECT_EQ(previous.substr(0, 8), "97/06/01");
  bool wrapped = false;
  for (uint64_t i = 1000; i <= 1000000; i += 1000) {
    std::string now = LineAt(log, i).substr(0, 13);
    if (now.compare(0, 2, "99") != 0 && previous.compare(0, 2, "99") == 0) {
      EXPECT_EQ(now.substr(0, 2), "00");
      wrapped = true;
    } else if (previous.compare(0, 2, "99") != 0) {
      EXPECT_GE(now, previous);
    }
    previous = now;
  }
  EXPECT_TRUE(wrapped);
}

// The kinds of call sign and remark the writers treat apart all occur.
TEST(SyntheticLogTest, TheLogHoldsEveryKindOfCallSignAndTag) {
  SyntheticLog log;
  std::set<std::string> seen;
  const char* kinds[] = {"My[",  "My\xA2", "REM[", "RIG",  "MyQTH", "Contest", "Test[", "END",
                         "Via",  "CODE",   "GL",   "OP",   "mQSL",  "REM2",    "/P,",   "/QRP,",
                         "KH6/", "/P,",    ",FM,", ",CW,", ",FT8,", "10368",   "1.9"};
  for (uint64_t i = 0; i < 5000; ++i) {
    std::string text = LineAt(log, i);
    for (const char* kind : kinds) {
      if (text.find(kind) != std::string::npos) seen.insert(kind);
    }
    // A call sign with two designators, like JA1ABC/1/P.
    std::string call = text.substr(14, text.find(',', 14) - 14);
    if (std::count(call.begin(), call.end(), '/') == 2) seen.insert("two designators");
  }
  for (const char* kind : kinds) EXPECT_TRUE(seen.count(kind)) << kind;
  EXPECT_TRUE(seen.count("two designators"));
}

}  // namespace
}  // namespace varnek_bench
