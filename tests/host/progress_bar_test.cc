#include "host/progress_bar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace varnek_host {
namespace {

int columns_now = 80;
int Columns(std::FILE*) { return columns_now; }

// Every line the bar draws (between carriage returns) fits the terminal,
// one column short of its width, however narrow; wide ones get the bar.
TEST(ProgressBarTest, EveryLineFitsTheTerminal) {
  struct Case {
    int columns;
    const char* drawn;  // the last line drawn for 12000 of 20000 records
  };
  const Case cases[] = {
      {200, "[########################................]  60%  12000 records"},
      {80, "[########################................]  60%  12000 records"},
      {40, "[##########.......]  60%  12000 records"},
      {30, "  60%  12000 records"},
      {12, "  60%"},
      {4, ""},
      {0, "[########################................]  60%  12000 records"},  // unknown: 80
  };
  for (const Case& c : cases) {
    columns_now = c.columns;
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
      ProgressBar bar(out, true, 20000, &Columns);
      for (uint64_t done = 0; done <= 12000; done += 100) bar.Advance(done);
    }
    std::rewind(out);
    std::string drawn;
    for (int ch; (ch = std::fgetc(out)) != EOF;) drawn.push_back(static_cast<char>(ch));
    std::fclose(out);
    size_t limit = c.columns > 0 ? static_cast<size_t>(c.columns - 1) : 79u;
    size_t start = 0;
    std::string last;
    for (size_t cr; (cr = drawn.find('\r', start)) != std::string::npos; start = cr + 1) {
      std::string line = drawn.substr(start, cr - start);
      EXPECT_LE(line.size(), limit) << c.columns << ": '" << line << "'";
      if (line.find_first_not_of(' ') != std::string::npos) last = line;
    }
    EXPECT_EQ(last, c.drawn) << c.columns;
  }
}

}  // namespace
}  // namespace varnek_host
