#include "text/numbers.h"

#include <gtest/gtest.h>

namespace varnek {
namespace {

TEST(NumbersTest, ScanUnsignedFollowsPercentU) {
  struct Case {
    const char* text;
    bool ok;
    uint32_t value;
    int consumed;
  } cases[] = {{"930", true, 930, 3},        {"  12x", true, 12, 4},      {"+7", true, 7, 2},
               {"-1", true, 4294967295u, 2}, {"", false, 0, 0},           {"x1", false, 0, 0},
               {"-", false, 0, 0},           {"4294967296", true, 0, 10}, {"\t\n5", true, 5, 3}};
  for (const Case& c : cases) {
    const char* p = c.text;
    uint32_t value = 12345;
    EXPECT_EQ(ScanUnsigned(&p, &value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
      EXPECT_EQ(p - c.text, c.consumed) << c.text;
    } else {
      EXPECT_EQ(p, c.text);
    }
  }
}

TEST(NumbersTest, ScanDateNeedsSlashesDirectlyAfterNumbers) {
  uint32_t y = 0, m = 0, d = 0;
  EXPECT_TRUE(ScanDate("98/12/31", &y, &m, &d));
  EXPECT_EQ(y, 98u);
  EXPECT_EQ(m, 12u);
  EXPECT_EQ(d, 31u);
  EXPECT_TRUE(ScanDate("1/ 2/3x", &y, &m, &d));
  EXPECT_EQ(d, 3u);
  EXPECT_FALSE(ScanDate("050102", &y, &m, &d));
  EXPECT_FALSE(ScanDate("05 /01/02", &y, &m, &d));
  EXPECT_FALSE(ScanDate("05/01/", &y, &m, &d));
  EXPECT_FALSE(ScanDate("", &y, &m, &d));
}

TEST(NumbersTest, ScanSignedReadsAtMostTheWidth) {
  int32_t v = 0;
  EXPECT_TRUE(ScanSigned("599", 2, &v));
  EXPECT_EQ(v, 59);
  EXPECT_TRUE(ScanSigned("5NN", 2, &v));
  EXPECT_EQ(v, 5);
  EXPECT_TRUE(ScanSigned(" 57", 2, &v));
  EXPECT_EQ(v, 57);
  EXPECT_TRUE(ScanSigned("-3", 2, &v));
  EXPECT_EQ(v, -3);
  EXPECT_FALSE(ScanSigned("-", 2, &v));
  EXPECT_FALSE(ScanSigned("NN", 2, &v));
  EXPECT_FALSE(ScanSigned("", 2, &v));
}

TEST(NumbersTest, FormatUnsignedPadsToTheMinimum) {
  char out[16];
  EXPECT_EQ(FormatUnsigned(out, 5, 2) - out, 2);
  EXPECT_STREQ(out, "05");
  FormatUnsigned(out, 0, 2);
  EXPECT_STREQ(out, "00");
  FormatUnsigned(out, 2001, 2);
  EXPECT_STREQ(out, "2001");
  FormatUnsigned(out, 4294967295u, 1);
  EXPECT_STREQ(out, "4294967295");
}

}  // namespace
}  // namespace varnek
