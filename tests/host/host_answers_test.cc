#include "host/host_answers.h"

#include <gtest/gtest.h>

namespace varnek_host {
namespace {

TEST(ParseClockTest, ReadsDateAndOptionalTime) {
  SYSTEMTIME clock = {};
  ASSERT_TRUE(ParseClock("2025-01-02", &clock));
  EXPECT_EQ(clock.wYear, 2025);
  EXPECT_EQ(clock.wMonth, 1);
  EXPECT_EQ(clock.wDay, 2);
  EXPECT_EQ(clock.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(clock.wHour, 0);

  ASSERT_TRUE(ParseClock("2024-02-29T23:59:58", &clock));
  EXPECT_EQ(clock.wDay, 29);
  EXPECT_EQ(clock.wHour, 23);
  EXPECT_EQ(clock.wMinute, 59);
  EXPECT_EQ(clock.wSecond, 58);
  ASSERT_TRUE(ParseClock("2000-03-01 08:05", &clock));
  EXPECT_EQ(clock.wDayOfWeek, 3);  // a Wednesday
}

TEST(ParseClockTest, RejectsWhatIsNoDate) {
  SYSTEMTIME clock = {};
  for (const char* text :
       {"", "2025-1-02", "25-01-02", "2025-13-01", "2025-00-10", "2023-02-29", "2025-04-31",
        "2025-01-02T24:00", "2025-01-02T10", "2025-01-02x", "2025/01/02", "today"}) {
    EXPECT_FALSE(ParseClock(text, &clock)) << text;
  }
}

}  // namespace
}  // namespace varnek_host
