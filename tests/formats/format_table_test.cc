// Which format an extension chooses, for reading and for writing.
#include "formats/format_table.h"

#include <gtest/gtest.h>

namespace varnek {
namespace {

TEST(FormatTableTest, EveryExtensionChoosesItsFormat) {
  struct Case {
    const char* extension;
    FormatId read;
    FormatId write;
  };
  const Case cases[] = {
      {"l2", FormatId::kLog200, FormatId::kLog200},  {"L2", FormatId::kLog200, FormatId::kLog200},
      {"dbs", FormatId::kHamlog, FormatId::kHamlog}, {"Dbs", FormatId::kHamlog, FormatId::kHamlog},
      {"log", FormatId::kCsv, FormatId::kQirnoText}, {"LOG", FormatId::kCsv, FormatId::kQirnoText},
      {"csv", FormatId::kCsv, FormatId::kCsv},       {"TXT", FormatId::kCsv, FormatId::kCsv},
      {"dat", FormatId::kCsv, FormatId::kCsv},       {"", FormatId::kCsv, FormatId::kCsv},
      {"l", FormatId::kCsv, FormatId::kCsv},         {"l22", FormatId::kCsv, FormatId::kCsv},
      {"db", FormatId::kCsv, FormatId::kCsv},        {"dbr", FormatId::kCsv, FormatId::kCsv},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatForReading(c.extension).id, c.read) << c.extension;
    EXPECT_EQ(FormatForWriting(c.extension).id, c.write) << c.extension;
  }
}

}  // namespace
}  // namespace varnek
