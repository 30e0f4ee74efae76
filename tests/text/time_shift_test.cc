#include "text/time_shift.h"

#include <gtest/gtest.h>

#include <climits>

namespace varnek {
namespace {

struct Moment {
  int year, month, day, hour;
};

Moment Forward(Moment m) {
  uint8_t y = static_cast<uint8_t>(m.year), mo = static_cast<uint8_t>(m.month),
          d = static_cast<uint8_t>(m.day), h = static_cast<uint8_t>(m.hour);
  UtcToJst(y, mo, d, h);
  return {y, mo, d, h};
}

Moment Back(Moment m) {
  int32_t y = m.year, mo = m.month, d = m.day, h = m.hour;
  JstToUtc(y, mo, d, h);
  return {y, mo, d, h};
}

void ExpectMoment(Moment got, Moment want) {
  EXPECT_EQ(got.year, want.year);
  EXPECT_EQ(got.month, want.month);
  EXPECT_EQ(got.day, want.day);
  EXPECT_EQ(got.hour, want.hour);
}

TEST(TimeShiftTest, UtcToJstCarriesIntoDayMonthAndYear) {
  ExpectMoment(Forward({99, 12, 31, 15}), {0, 1, 1, 0});
  ExpectMoment(Forward({98, 12, 31, 14}), {98, 12, 31, 23});
  ExpectMoment(Forward({0, 2, 28, 20}), {0, 2, 29, 5});  // 00 is a leap year
  ExpectMoment(Forward({1, 2, 28, 20}), {1, 3, 1, 5});
  ExpectMoment(Forward({4, 2, 29, 20}), {4, 3, 1, 5});
  ExpectMoment(Forward({5, 1, 30, 16}), {5, 1, 31, 1});
  ExpectMoment(Forward({5, 1, 31, 16}), {5, 2, 1, 1});
  ExpectMoment(Forward({5, 4, 30, 16}), {5, 5, 1, 1});
}

TEST(TimeShiftTest, JstToUtcBorrowsFromDayMonthAndYear) {
  ExpectMoment(Back({0, 1, 1, 5}), {99, 12, 31, 20});
  ExpectMoment(Back({4, 3, 1, 8}), {4, 2, 29, 23});
  ExpectMoment(Back({3, 3, 1, 8}), {3, 2, 28, 23});
  ExpectMoment(Back({7, 6, 15, 9}), {7, 6, 15, 0});
  ExpectMoment(Back({7, 6, 15, 0}), {7, 6, 14, 15});
  ExpectMoment(Back({7, 5, 1, 3}), {7, 4, 30, 18});
}

TEST(TimeShiftTest, OutOfRangeValuesMoveOnceWithoutNormalising) {
  ExpectMoment(Forward({5, 6, 10, 40}), {5, 6, 11, 25});
  ExpectMoment(Back({5, 6, 10, 30}), {5, 6, 10, 21});
  // Months 13-15 have no days: the carried day carries into the next year.
  ExpectMoment(Forward({5, 13, 3, 20}), {6, 1, 1, 5});
  ExpectMoment(Forward({5, 0, 30, 20}), {5, 0, 31, 5});
  // A month beyond the table counts as 31 days instead of reading past it.
  ExpectMoment(Forward({5, 200, 30, 20}), {5, 200, 31, 5});
  ExpectMoment(Forward({5, 200, 31, 20}), {6, 1, 1, 5});
  ExpectMoment(Back({5, 200, 1, 3}), {5, 199, 31, 18});
}

TEST(TimeShiftTest, JstToUtcSurvivesExtremeParsedValues) {
  ExpectMoment(Back({2001, 1, 1, 5}), {2000, 12, 31, 20});
  // Wrapping arithmetic, no overflow: INT_MIN - 9 wraps to INT_MAX - 8.
  ExpectMoment(Back({0, INT_MIN, 1, INT_MIN}), {0, INT_MIN, 1, INT_MAX - 8});
  ExpectMoment(Back({0, INT_MIN, 1, 0}), {0, INT_MAX, 31, 15});
}

}  // namespace
}  // namespace varnek
