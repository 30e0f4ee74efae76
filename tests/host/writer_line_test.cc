#include "host/writer_line.h"

#include <gtest/gtest.h>

#include <string>

namespace varnek_host {
namespace {

TEST(WriterLineTest, SixDigitDateBecomesSlashed) {
  std::string out;
  MakeWriterLine("240503,0912,JA1ABC,59,7.050,SSB,,\"a,b\",,,J,,", &out);
  EXPECT_EQ(out, "24/05/03,0912,JA1ABC,59,7.050,SSB,,\"a,b\",,,J,,");
  MakeWriterLine("991231", &out);
  EXPECT_EQ(out, "99/12/31");
}

TEST(WriterLineTest, AnyOtherFirstFieldPassesUnchanged) {
  std::string out;
  for (const char* line : {"24/05/03,0912,X", "24050,0912", "2405031,0912", "24O503,0912", "",
                           ",240503", "\"240503\",1"}) {
    MakeWriterLine(line, &out);
    EXPECT_EQ(out, line);
  }
}

TEST(WriterLineTest, KeepsItsStorage) {
  std::string out;
  MakeWriterLine("240503,0912,JA1ABC,59,7.050,SSB,100,,,,,,", &out);
  const char* storage = out.data();
  MakeWriterLine("240504,0913,JA1ABD,59,7.050,SSB,100,,,,,,", &out);
  EXPECT_EQ(out.data(), storage);
}

}  // namespace
}  // namespace varnek_host
