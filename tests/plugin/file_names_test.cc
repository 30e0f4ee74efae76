#include "plugin/file_names.h"

#include <gtest/gtest.h>

namespace varnek {
namespace {

TEST(FileNamesTest, ExtensionIsAfterTheLastDotButNeverTheFirstByte) {
  EXPECT_STREQ(GetExtension("x.l2"), "l2");
  EXPECT_STREQ(GetExtension("x"), "");
  EXPECT_STREQ(GetExtension(".log"), "");
  EXPECT_STREQ(GetExtension(""), "");
  EXPECT_STREQ(GetExtension("C:\\dir.old\\name"), "old\\name");
  EXPECT_STREQ(GetExtension("a.b.DBS"), "DBS");
}

TEST(FileNamesTest, ReplaceExtensionReplacesOrAppends) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"LOG.dbs", "LOG.DBR"},
               {"LOG", "LOG.DBR"},
               {".dbs", ".dbs.DBR"},
               {"/tmp/a.b/log.dbs", "/tmp/a.b/log.DBR"}};
  for (const Case& c : cases) {
    TextBuffer name(c.in);
    ReplaceExtension(name, ".DBR");
    EXPECT_STREQ(name.Str(), c.out);
    EXPECT_EQ(name.Length(), static_cast<int>(std::string(c.out).size()));
  }
}

TEST(FileNamesTest, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoringCase("Dbs", "DBS"));
  EXPECT_TRUE(EqualsIgnoringCase("l2", "L2"));
  EXPECT_FALSE(EqualsIgnoringCase("dbs", "DBSX"));
  EXPECT_FALSE(EqualsIgnoringCase("\xE0", "\xC0"));
}

}  // namespace
}  // namespace varnek
