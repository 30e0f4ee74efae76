// Whether a record lost something, judged from the line written and the
// line read back: moves between fields and tags and the formats' own
// notation are no loss; a character that is gone is.
#include "host/record_loss.h"

#include <gtest/gtest.h>

#include <string>

namespace varnek_host {
namespace {

const std::string kOpen = "\xA2";
const std::string kClose = "\xA3";

TEST(RecordLossTest, OnlyCharactersThatAreGoneCount) {
  struct Case {
    std::string written, read_back;
    bool lost;
  } cases[] = {
      // Power and remark text into tags and wrappers, a reader's own tags.
      {"26/12/08,0930,JA1ABC,599,7.050.,CW,10,\"Taro \",,\"note REM2[x] My[579]\",J,,home",
       "261208,0930,JA1ABC,599,7.050,CW,10,\"Taro\",,\"REM1" + kOpen + "note" + kClose + " REM2" +
           kOpen + "x Pow" + kOpen + "10" + kClose + kClose + " Via[J] My" + kOpen + "579" +
           kClose + "\",J,,home",
       false},
      // A report in a voice mode keeps two figures; a QSL mark one character.
      {",,A,599,,SSB,,,,My[579],JQ,,", ",,A,59,,SSB,,,,\"My" + kOpen + "57" + kClose + "\",J,,",
       false},
      {",,A,5NN,,CW,,,,,,,", ",,A,05N,,CW,,,,,,,", true},
      {",,A,-10,,FT8,,,,,,,", ",,A,2550,,FT8,,,,,,,", true},
      {",,A,,,,,\"Yamada Taro Jr.\",,,,,", ",,A,,,,,\"Yamada Taro\",,,,,", true},
      {",,A,,,,,,,Contest[ALLJA],,,", ",,A,,,,,,,,,,", true},
      {",,A,,,,,,,,\x8D\xCF,,", ",,A,,,,,,,,,,", true},
      // A double-byte character split and joined with a bracket.
      {",,A,,,,,,,\"REM1" + kOpen + "\x8F\x89" + kClose + "\",,,",
       ",,A,,,,,,,\"REM1" + kOpen + "\x8F" + kClose + "\",,,", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordLostSomething(c.written, c.read_back), c.lost) << c.written;
  }
}

}  // namespace
}  // namespace varnek_host
