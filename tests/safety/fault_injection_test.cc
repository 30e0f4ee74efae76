// Failing writes and vanishing data, made by the operating system itself:
// every writer meets a full disk at each stage of its file (header, records,
// remark entries, the close), an in-place QSL update meets one when it is
// written back, and a log is cut short while it is open. Whatever happens,
// the plug-in must not crash, must not report a lost write as success, and
// must not damage what was already good.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "safety/file_size_limit.h"
#include "support/log_images.h"
#include "support/plugin_host.h"

namespace varnek_test {
namespace {

bool Shown(const std::vector<std::string>& warnings, const char* text) {
  return std::find(warnings.begin(), warnings.end(), text) != warnings.end();
}

// ---- Writers ---------------------------------------------------------------

// Enough lines that every output outgrows the streams' buffers several
// times, so that failures surface in WriteText as well as in CClose (the
// ADIF writer's buffer is 64 KiB).
std::vector<std::string> ExportLines(const std::string& extension) {
  const std::vector<std::string> kinds = {
      "98/07/15,1230,JA1ABC,59,7.050,SSB,10,\"Taro\",\"Tokyo\",\"My[57] REM[hello] "
      "END[1245]\",J,N,",
      "05/01/02,0930,KH6/JA1ABC,599,14.025,CW,100,\"\x93\x63\x92\x86\",,\"QSL via bureau\",,,home",
      "26/12/08,2400,JA1XYZ,59,1296.10,FM,,,,,,,",
  };
  std::vector<std::string> lines;
  const int count = extension == "adi" ? 1200 : 150;
  for (int i = 0; i < count; ++i) lines.push_back(kinds[i % kinds.size()]);
  return lines;
}

struct Output {
  std::string main, remarks;  // remarks: the HAMLOG remark file, if any
};

class WriterFaultTest : public ::testing::TestWithParam<const char*> {
 protected:
  std::string Path() const { return dir_.Path(std::string("out.") + GetParam()); }
  std::string RemarkPath() const { return dir_.Path("out.DBR"); }

  Output Written() const {
    Output out;
    out.main = ReadFile(Path());
    if (FileExists(RemarkPath())) out.remarks = ReadFile(RemarkPath());
    return out;
  }

  void Clean() const {
    unlink(Path().c_str());
    unlink(RemarkPath().c_str());
  }

  // Create, every line, CClose; the results in call order.
  void Export(std::vector<int32_t>& results) {
    int32_t created = host_.Create(Path().c_str());
    results.push_back(created);
    if (created == 0) return;
    for (const std::string& line : ExportLines(GetParam())) results.push_back(host_.Write(line));
    results.push_back(host_.CClose());
  }

  // Byte positions where a limit meets each stage of the files: the
  // headers, the first record, line or remark entry, the streams' buffer
  // sizes, the middle, and the last bytes, written when the file closes.
  std::set<uint64_t> Limits(const Output& full) const {
    const uint64_t first_line = full.main.find('\n') + 1;
    const uint64_t stages[] = {0,
                               32,
                               kDbrHeaderSize,
                               kDbrHeaderSize + 3,
                               kDbsHeaderSize,
                               kDbsHeaderSize + kDbsRecordSize,
                               kL2RecordSize,
                               first_line,
                               4096,
                               8192,
                               65536,
                               131072,
                               full.main.size() / 2,
                               full.main.size(),
                               full.remarks.size()};
    std::set<uint64_t> limits;
    for (uint64_t stage : stages) {
      if (stage > 0) limits.insert(stage - 1);
      limits.insert(stage);
      limits.insert(stage + 1);
    }
    return limits;
  }

  TempDir dir_;
  PluginHost host_;
};

uint32_t CountAt(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The parts of a file that may differ from the unlimited output: the
// record counts of the two HAMLOG headers, rewritten when the file closes.
bool IsPrefixOf(const std::string& part, const std::string& whole, bool hamlog) {
  if (part.size() > whole.size()) return false;
  for (size_t i = 0; i < part.size(); ++i) {
    if (hamlog && i >= 4 && i < 8) continue;
    if (part[i] != whole[i]) return false;
  }
  return true;
}

TEST_P(WriterFaultTest, EveryFailedWriteIsReportedAndGoodBytesStay) {
  std::vector<int32_t> unlimited;
  Export(unlimited);
  ASSERT_TRUE(std::all_of(unlimited.begin(), unlimited.end(), [](int32_t r) { return r == 1; }));
  const Output full = Written();
  ASSERT_FALSE(full.main.empty());
  PluginHost::TakeWarnings();
  // What a run without a limit warns of (the ADIF writer: the lines it
  // cannot write exactly).
  Clean();
  const LimitedRun normal =
      RunWithFileSizeLimit(uint64_t{1} << 40, [this](std::vector<int32_t>& r) { Export(r); });
  ASSERT_TRUE(normal.exited_cleanly) << normal.how_it_ended;
  const bool hamlog = std::string(GetParam()) == "dbs";
  bool failed_in_write_text = false;

  for (uint64_t limit : Limits(full)) {
    SCOPED_TRACE("file size limit " + std::to_string(limit));
    Clean();
    LimitedRun run = RunWithFileSizeLimit(limit, [this](std::vector<int32_t>& r) { Export(r); });
    ASSERT_TRUE(run.exited_cleanly) << run.how_it_ended;
    ASSERT_FALSE(run.results.empty());
    const Output out = Written();
    const bool all_succeeded =
        std::all_of(run.results.begin(), run.results.end(), [](int32_t r) { return r == 1; });
    if (limit >= full.main.size() && limit >= full.remarks.size()) {
      EXPECT_TRUE(all_succeeded);
      EXPECT_EQ(run.warnings, normal.warnings);
      EXPECT_EQ(out.main, full.main);
      EXPECT_EQ(out.remarks, full.remarks);
      continue;
    }
    EXPECT_FALSE(all_succeeded) << "a lost write was reported as success";
    for (size_t call = 1; call + 1 < run.results.size(); ++call) {
      failed_in_write_text |= run.results[call] == 0;
    }
    if (run.results.front() == 0) {
      EXPECT_TRUE(Shown(run.warnings, varnek::kCannotCreate) ||
                  Shown(run.warnings, varnek::kCannotCreateDbr));
    } else if (run.results.back() == 0) {
      EXPECT_TRUE(Shown(run.warnings, varnek::kCloseFailed));
    }
    EXPECT_LE(out.main.size(), limit);
    EXPECT_TRUE(IsPrefixOf(out.main, full.main, hamlog)) << "records already written were changed";
    EXPECT_TRUE(IsPrefixOf(out.remarks, full.remarks, hamlog));
    if (hamlog && out.main.size() >= kDbsHeaderSize) {
      // Both headers count the whole records the data file kept.
      const uint32_t kept =
          static_cast<uint32_t>((out.main.size() - kDbsHeaderSize) / kDbsRecordSize);
      EXPECT_EQ(CountAt(out.main, 4), kept);
      if (out.remarks.size() >= kDbrHeaderSize) {
        EXPECT_EQ(CountAt(out.remarks, 4), kept);
      }
    }
  }
  // The outputs outgrow the stream buffers: some failures surface while
  // lines are still being written, not only when the file closes.
  EXPECT_TRUE(failed_in_write_text);
}

INSTANTIATE_TEST_SUITE_P(AllWriters, WriterFaultTest,
                         ::testing::Values("log", "l2", "dbs", "csv", "adi"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// ---- In-place QSL updates ------------------------------------------------

struct RecordLog {
  const char* extension;
  size_t first_record;
  size_t record_size;
};

void PrintTo(const RecordLog& log, std::ostream* out) { *out << log.extension; }

constexpr RecordLog kLog200 = {"l2", 0, kL2RecordSize};
constexpr RecordLog kHamlog = {"dbs", kDbsHeaderSize, kDbsRecordSize};
constexpr int kRecords = 30;

// A log whose every record takes a new QSL mark.
std::string MarkableLog(const RecordLog& log, const std::string& remark_path) {
  if (log.record_size == kL2RecordSize) {
    std::string bytes;
    for (int i = 0; i < kRecords; ++i) {
      bytes += L2Record({"981231", "1234", "", "JA1ABC", "7.050", "CW", "599", "579", "Tokyo",
                         "Taro", "", "", "remark " + std::to_string(i), "", "", "", ""});
    }
    return bytes;
  }
  DbsImage image;
  for (int i = 0; i < kRecords; ++i) {
    DbsQso qso;
    qso.call = "JA" + std::to_string(i);
    qso.mark1 = 'J';
    qso.remark1 = "remark " + std::to_string(i);
    image.Add(qso);
  }
  WriteFile(remark_path, image.Remarks());
  return image.Data();
}

// Differences between two images of one log outside record `except`.
std::vector<size_t> ChangedOutside(const RecordLog& log, const std::string& before,
                                   const std::string& after, int except) {
  std::vector<size_t> changed;
  size_t begin = log.first_record + except * log.record_size;
  for (size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
    if (i >= begin && i < begin + log.record_size) continue;
    if (i >= before.size() || i >= after.size() || before[i] != after[i]) changed.push_back(i);
  }
  return changed;
}

class UpdateFaultTest : public ::testing::TestWithParam<RecordLog> {
 protected:
  std::string Path() const { return dir_.Path(std::string("log.") + GetParam().extension); }
  std::string RemarkPath() const { return dir_.Path("log.DBR"); }
  size_t RecordAt(int n) const { return GetParam().first_record + n * GetParam().record_size; }

  TempDir dir_;
  PluginHost host_;
};

TEST_P(UpdateFaultTest, FailedWriteBackLeavesEveryOtherRecordAsItWas) {
  const RecordLog log = GetParam();
  const std::string original = MarkableLog(log, RemarkPath());
  for (int record : {0, 7, kRecords - 1}) {
    // Nothing of the record can be written, or only its first bytes.
    for (uint64_t limit :
         {static_cast<uint64_t>(RecordAt(record)), static_cast<uint64_t>(RecordAt(record) + 10)}) {
      for (bool by_close : {false, true}) {
        SCOPED_TRACE("record " + std::to_string(record) + ", limit " + std::to_string(limit) +
                     (by_close ? ", written back by Close" : ", written back by Seek"));
        WriteFile(Path(), original);
        LimitedRun run = RunWithFileSizeLimit(limit, [&](std::vector<int32_t>& r) {
          r.push_back(host_.OpenFile(Path()) != nullptr);
          r.push_back(host_.Seek(record));
          r.push_back(host_.GetText(0) != nullptr);
          host_.Update(0, "Q");
          r.push_back(by_close ? host_.Close() : host_.Seek(record == 0 ? 1 : 0));
          if (!by_close) r.push_back(host_.Close());
        });
        ASSERT_TRUE(run.exited_cleanly) << run.how_it_ended;
        ASSERT_GE(run.results.size(), 4u);
        EXPECT_EQ(run.results[0], 1);
        EXPECT_EQ(run.results[1], 1);
        EXPECT_EQ(run.results[3], 0) << "the lost update was reported as success";
        EXPECT_TRUE(Shown(run.warnings, varnek::kCannotWrite));
        const std::string after = ReadFile(Path());
        EXPECT_EQ(ChangedOutside(log, original, after, record), std::vector<size_t>());
        if (log.record_size == kDbsRecordSize) {
          std::string kept = after.substr(RecordAt(record), kDbsRecordSize);
          std::string was = original.substr(RecordAt(record), kDbsRecordSize);
          kept[kDbsQslMark1] = was[kDbsQslMark1];
          EXPECT_EQ(kept, was);
        }
      }
    }
  }
}

// The log loses its tail while it is open (another program cut it short).
// Whatever the reader's stream still holds of the lost records, no record is
// written beyond the new end, the records left read as before, and an
// update on one of them lands on it alone.
TEST_P(UpdateFaultTest, LogCutShortWhileOpen) {
  const RecordLog log = GetParam();
  const std::string original = MarkableLog(log, RemarkPath());
  WriteFile(Path(), original);
  ASSERT_NE(host_.OpenFile(Path()), nullptr);
  ASSERT_EQ(host_.Seek(3), 1);
  const std::string third = host_.List();
  ASSERT_EQ(host_.Seek(20), 1);
  // Ten whole records and part of the eleventh stay.
  const size_t kept = RecordAt(10) + 20;
  ASSERT_EQ(truncate(Path().c_str(), static_cast<off_t>(kept)), 0);
  host_.Update(0, "Q");
  for (int i = 0; i < 3; ++i) {
    host_.MoveNext();
    host_.List();
    host_.GetText(0);
    host_.Update(0, "Q");
  }
  host_.Seek(10);
  host_.Update(0, "Q");
  host_.Seek(3);
  ASSERT_EQ(host_.Seek(3), 1);
  EXPECT_EQ(host_.List(), third);
  host_.Update(0, "Q");
  EXPECT_EQ(host_.Close(), 1);
  const std::string after = ReadFile(Path());
  EXPECT_EQ(after.size(), kept);
  EXPECT_EQ(ChangedOutside(log, original.substr(0, kept), after, 3), std::vector<size_t>());
  EXPECT_NE(after.substr(RecordAt(3), log.record_size),
            original.substr(RecordAt(3), log.record_size));
  for (const std::string& warning : PluginHost::TakeWarnings())
    EXPECT_EQ(warning, varnek::kCannotWrite);
}

INSTANTIATE_TEST_SUITE_P(RecordFormats, UpdateFaultTest, ::testing::Values(kLog200, kHamlog),
                         [](const ::testing::TestParamInfo<RecordLog>& info) {
                           return std::string(info.param.extension);
                         });

// A folder picked in place of a file is refused by every reader.
TEST(ReaderFaultTest, FolderInsteadOfFile) {
  TempDir dir;
  PluginHost host;
  for (const char* name : {"x.l2", "x.dbs", "x.csv", "x"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(mkdir(dir.Path(name).c_str(), 0700), 0);
    EXPECT_EQ(host.OpenFile(dir.Path(name)), nullptr);
    EXPECT_EQ(PluginHost::TakeWarnings().size(), 1u);
    EXPECT_EQ(host.Seek(0), 0);
    EXPECT_EQ(host.Close(), 1);
  }
}

}  // namespace
}  // namespace varnek_test
