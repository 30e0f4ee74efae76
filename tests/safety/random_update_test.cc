// Nothing lost: a host opens LOG200 and HAMLOG logs of thousands of
// records and seeks, lists, reads and sets QSL marks and closes in a random
// (seeded) order. A model of the log follows every mark the host was told
// was set; what the reader shows and, after every close, the whole file must
// match the model byte for byte. Set VARNEK_RANDOM_SEED to replay a seed.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/log_images.h"
#include "support/plugin_host.h"
#include "text/lead_byte.h"

namespace varnek_test {
namespace {

constexpr int kRecords = 3000;
constexpr int kSteps = 30000;

uint32_t Seed() {
  const char* text = std::getenv("VARNEK_RANDOM_SEED");
  return text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : 20261208u;
}

bool IsLead(char c) { return varnek::IsLeadByte(&c); }

// Field 11 of a QSO line whose fields hold no commas.
std::string QslMark1Field(const std::string& line) {
  size_t at = 0;
  for (int comma = 0; comma < 10; ++comma) {
    at = line.find(',', at);
    if (at == std::string::npos) return "(no field 11)";
    ++at;
  }
  return line.substr(at, line.find(',', at) - at);
}

// The log as the host should find it, and where the host stands in it.
class LogModel {
 public:
  virtual ~LogModel() = default;
  virtual const char* Extension() const = 0;
  virtual std::string Build(std::mt19937& random, const std::string& remark_path) = 0;
  // Applies Update(mark) to record n of `bytes`.
  virtual void Update(std::string& bytes, int n, const std::string& mark) const = 0;
  virtual std::string ExpectedGetText(const std::string& bytes, int n) const = 0;
  virtual std::string ExpectedField11(const std::string& bytes, int n) const = 0;
  virtual bool AcceptsEmptyMark() const = 0;
};

class Log200Model : public LogModel {
 public:
  const char* Extension() const override { return "l2"; }

  std::string Build(std::mt19937& random, const std::string&) override {
    std::string bytes;
    for (int i = 0; i < kRecords; ++i) {
      // Remarks of any length, so that anything from none to 137 spaces is
      // left for a new mark; a third of the records carry a mark already.
      std::string remarks(random() % 138, static_cast<char>('a' + i % 26));
      std::string mark = random() % 3 == 0 ? "N" : "";
      bytes += L2Record({"981231", "1234", "1250", "JA" + std::to_string(i), "7.050", "CW", "599",
                         "579", "Tokyo", "Taro", "", "", remarks, "", "", mark, "J"});
    }
    return bytes;
  }

  void Update(std::string& bytes, int n, const std::string& mark) const override {
    std::string data = bytes.substr(n * kL2RecordSize, kL2DataSize);
    size_t mark_at = MarkStart(data);
    if (mark_at == std::string::npos || data[mark_at] != kL2Separator) return;
    size_t spaces = data.size() - (data.find_last_not_of(' ') + 1);
    // Whole characters only: no half of a double-byte one.
    size_t taken = 0;
    while (taken < mark.size()) {
      size_t step = IsLead(mark[taken]) ? 2 : 1;
      if (taken + step > spaces) break;
      taken += step;
    }
    data = data.substr(0, mark_at) + mark.substr(0, taken) + data.substr(mark_at);
    bytes.replace(n * kL2RecordSize, kL2DataSize, data.substr(0, kL2DataSize));
  }

  std::string ExpectedGetText(const std::string& bytes, int n) const override {
    std::string data = bytes.substr(n * kL2RecordSize, kL2DataSize);
    size_t mark_at = MarkStart(data);
    return data.substr(mark_at, data.find(kL2Separator, mark_at) - mark_at);
  }

  std::string ExpectedField11(const std::string& bytes, int n) const override {
    std::string mark = ExpectedGetText(bytes, n);
    return mark.substr(0, !mark.empty() && IsLead(mark[0]) ? 2 : 1);
  }

  bool AcceptsEmptyMark() const override { return true; }

 private:
  // Where field 16 starts: after the 15th separator.
  static size_t MarkStart(const std::string& data) {
    size_t at = 0;
    for (int i = 0; i < kL2QslMarkField - 1; ++i) {
      at = data.find(kL2Separator, at);
      if (at == std::string::npos) return at;
      ++at;
    }
    return at;
  }
};

class HamlogModel : public LogModel {
 public:
  const char* Extension() const override { return "dbs"; }

  std::string Build(std::mt19937& random, const std::string& remark_path) override {
    DbsImage image;
    const char kMarks[] = {'J', 'J', 'J', ' ', '\0', 'Q'};
    const char kRoutes[] = {'J', 'N', 'n', ' '};
    for (int i = 0; i < kRecords; ++i) {
      DbsQso qso;
      qso.call = "JA" + std::to_string(i);
      qso.mode = "CW";
      qso.mark1 = kMarks[random() % sizeof kMarks];
      qso.route = kRoutes[random() % sizeof kRoutes];
      if (random() % 2 == 0) qso.remark1 = "remark " + std::to_string(i);
      image.Add(qso);
    }
    WriteFile(remark_path, image.Remarks());
    return image.Data();
  }

  void Update(std::string& bytes, int n, const std::string& mark) const override {
    char& mark1 = bytes[At(n) + kDbsQslMark1];
    // Half of a double-byte character is never stored.
    if (mark1 != ' ' && mark1 != '\0' && !IsLead(mark[0])) mark1 = mark[0];
  }

  std::string ExpectedGetText(const std::string& bytes, int n) const override {
    char mark1 = bytes[At(n) + kDbsQslMark1];
    return mark1 == ' ' || mark1 == '\0' ? "" : std::string(1, mark1);
  }

  std::string ExpectedField11(const std::string& bytes, int n) const override {
    std::string mark = ExpectedGetText(bytes, n);
    if (!mark.empty()) return mark;
    char route = bytes[At(n) + kDbsQslRoute];
    return route == 'N' || route == 'n' ? "N" : "";
  }

  // What an empty mark stores is left open; the test does not send one.
  bool AcceptsEmptyMark() const override { return false; }

 private:
  static size_t At(int n) { return kDbsHeaderSize + n * kDbsRecordSize; }
};

void PrintTo(LogModel* model, std::ostream* out) { *out << model->Extension(); }

class RandomUpdateTest : public ::testing::TestWithParam<LogModel*> {};

TEST_P(RandomUpdateTest, FileDiffersExactlyInTheMarksSet) {
  LogModel& model = *GetParam();
  const uint32_t seed = Seed();
  SCOPED_TRACE("VARNEK_RANDOM_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  TempDir dir;
  PluginHost host;
  const std::string path = dir.Path(std::string("log.") + model.Extension());
  std::string expected = model.Build(random, dir.Path("log.DBR"));
  const std::string original = expected;
  WriteFile(path, expected);
  const std::vector<std::string> marks = {"J", "Q", "JQ", "\x8D\xCF", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                          ""};

  ASSERT_NE(host.OpenFile(path), nullptr);
  ASSERT_EQ(host.CanUpdate(0), 1);
  int32_t number = 0;  // the record number the reader holds
  bool loaded = true;  // the last positioning succeeded
  // End of file after a positioning: 0 when it succeeded or went below
  // record 0, 1 when it went past the end.
  auto eof_after = [](bool ok, int32_t n) { return ok || n < 0 ? 0 : 1; };
  int32_t eof = 0;
  int updates = 0;
  for (int step = 0; step < kSteps; ++step) {
    SCOPED_TRACE("step " + std::to_string(step) + ", record " + std::to_string(number));
    switch (random() % 20) {
      case 0:
      case 1:
      case 2:
      case 3: {
        int32_t n = static_cast<int32_t>(random() % (kRecords + 6)) - 3;
        if (random() % 50 == 0) n = random() % 2 ? INT_MAX : INT_MIN;
        int32_t result = host.Seek(n);
        ASSERT_EQ(result, n >= 0 && n < kRecords ? 1 : 0);
        loaded = result == 1;
        eof = eof_after(loaded, n);
        if (loaded) number = n;
        break;
      }
      case 4:
      case 5:
      case 6:
      case 7:
      case 8: {
        int32_t result = host.MoveNext();
        number = static_cast<int32_t>(static_cast<uint32_t>(number) + 1u);
        ASSERT_EQ(result, number >= 0 && number < kRecords ? 1 : 0);
        loaded = result == 1;
        eof = eof_after(loaded, number);
        break;
      }
      case 9:
      case 10:
      case 11:
        if (loaded) {
          ASSERT_EQ(QslMark1Field(host.List()), model.ExpectedField11(expected, number));
        }
        break;
      case 12:
      case 13:
        if (loaded) {
          const char* mark = host.GetText(0);
          ASSERT_NE(mark, nullptr);
          ASSERT_EQ(mark, model.ExpectedGetText(expected, number));
        }
        break;
      case 14:
      case 15:
      case 16: {
        std::string mark = marks[random() % marks.size()];
        if (mark.empty() && !model.AcceptsEmptyMark()) break;
        host.Update(0, mark.c_str());
        if (loaded) {
          model.Update(expected, number, mark);
          ++updates;
        }
        break;
      }
      case 17:
        if (random() % 10 == 0) {
          ASSERT_EQ(host.Close(), 1);
          ASSERT_EQ(ReadFile(path), expected);
          ASSERT_NE(host.OpenFile(path), nullptr);
          number = 0;
          loaded = true;
          eof = 0;
        }
        break;
      default:
        ASSERT_EQ(host.IsEOF(), eof);
        break;
    }
  }
  ASSERT_EQ(host.Close(), 1);
  EXPECT_TRUE(PluginHost::TakeWarnings().empty());
  const std::string final_bytes = ReadFile(path);
  EXPECT_EQ(final_bytes.size(), original.size());
  EXPECT_TRUE(final_bytes == expected) << "the file differs from the marks that were set";
  EXPECT_GT(updates, 1000);
}

Log200Model log200_model;
HamlogModel hamlog_model;

INSTANTIATE_TEST_SUITE_P(RecordFormats, RandomUpdateTest,
                         ::testing::Values(static_cast<LogModel*>(&log200_model),
                                           static_cast<LogModel*>(&hamlog_model)),
                         [](const ::testing::TestParamInfo<LogModel*>& info) {
                           return std::string(info.param->Extension());
                         });

}  // namespace
}  // namespace varnek_test
