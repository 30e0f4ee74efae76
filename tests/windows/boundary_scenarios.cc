// The exports themselves: the static texts, the file-choice dialog as the
// system sees it, the choice of handler by extension, the active reader and
// writer, and the warnings' message boxes.
#include <string>

#include "plugin/messages.h"
#include "support/dialog_texts.h"
#include "windows/check.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

constexpr unsigned kWarningStyle = 0x30;   // OK button, exclamation icon
constexpr unsigned kQuestionStyle = 0x24;  // Yes and No buttons, question icon

std::string Bytes(const char* text, size_t size) { return std::string(text, size); }

void ExpectOneWarning(Scene& scene, const char* text) {
  auto& boxes = host_record.message_boxes;
  EXPECT_NUMBER(boxes.size(), 1);
  if (boxes.size() != 1) return;
  EXPECT_NUMBER(boxes[0].owner, 0);
  EXPECT_BYTES(boxes[0].text, text);
  EXPECT_BYTES(boxes[0].caption, "VARNEK");
  EXPECT_NUMBER(boxes[0].style, kWarningStyle);
  boxes.clear();
}

SCENARIO(StaticTextsAreTheLibrarysOwn, kBoundary) {
  Plugin& plugin = scene.plugin;
  const char* version = plugin.GetVersionText();
  EXPECT_TEXT(version, varnek::kVersionText);
  EXPECT_TRUE(plugin.GetVersionText() == version);
  EXPECT_TEXT(plugin.GetMenuName(), varnek::kMenuName);
  EXPECT_TEXT(plugin.GetCreateFileType(), varnek_test::kSaveList);
  EXPECT_TRUE(host_record.message_boxes.empty());
  EXPECT_NUMBER(plugin.Close(), 1);  // no reader yet
}

SCENARIO(OpenDialogWithoutPathOffersAllFiles, kBoundary) {
  Plugin& plugin = scene.plugin;
  EXPECT_NULL(plugin.Open(7, 0x5150, nullptr));  // the user cancels
  EXPECT_NUMBER(host_record.dialogs.size(), 1);
  if (host_record.dialogs.size() != 1) return;
  const DialogSeen& dialog = host_record.dialogs[0];
  EXPECT_NUMBER(dialog.struct_size, 76);
  EXPECT_NUMBER(dialog.owner, 0x5150);
  EXPECT_NUMBER(dialog.instance, 0);
  EXPECT_BYTES(dialog.filter, Bytes(varnek_test::kOpenFilter, sizeof varnek_test::kOpenFilter));
  EXPECT_TRUE(dialog.custom_filter_null);
  EXPECT_NUMBER(dialog.max_custom_filter, 0);
  EXPECT_NUMBER(dialog.filter_index, 4);
  EXPECT_BYTES(dialog.file, "");
  EXPECT_NUMBER(dialog.max_file, 512);
  EXPECT_TRUE(dialog.file_title_null);
  EXPECT_NUMBER(dialog.max_file_title, 0);
  EXPECT_FALSE(dialog.initial_dir_null);
  EXPECT_BYTES(dialog.initial_dir, "");
  EXPECT_BYTES(dialog.title, varnek::kOpenDialogTitle);
  EXPECT_NUMBER(dialog.flags, 4);
  EXPECT_TRUE(dialog.default_extension_null);
  EXPECT_NUMBER(dialog.custom_data, 0);
  EXPECT_TRUE(dialog.hook_null);
  EXPECT_TRUE(dialog.template_null);
  EXPECT_TRUE(host_record.message_boxes.empty());
  EXPECT_NUMBER(plugin.Close(), 1);
}

SCENARIO(OpenDialogStartsFromThePathGiven, kBoundary) {
  struct Case {
    std::string path;
    unsigned filter;
    std::string directory;
    std::string file;
  };
  const std::string long_name(600, 'n');
  const Case cases[] = {
      {"C:\\logs\\a.L2", 1, "C:\\logs\\", "a.L2"},
      {"C:\\logs\\b.dbs", 2, "C:\\logs\\", "b.dbs"},
      {"C:/logs/c.TXT", 3, "C:/logs/", "c.TXT"},
      {"D:x.Csv", 3, "D:", "x.Csv"},
      {"C:\\logs\\d.log", 4, "C:\\logs\\", "d.log"},
      {"C:\\logs.l2\\noext", 4, "C:\\logs.l2\\", "noext"},
      {"name.dbs", 2, "", "name.dbs"},
      // The second byte of this double-byte character is 0x5C, a backslash.
      {"C:\\\x83\x5C.l2", 1, "C:\\", "\x83\x5C.l2"},
      {"C:\\" + long_name + ".csv", 3, "C:\\", long_name.substr(0, 511)},
  };
  for (const Case& one : cases) {
    host_record.dialogs.clear();
    EXPECT_NULL(scene.plugin.Open(0, 0, one.path.c_str()));
    EXPECT_NUMBER(host_record.dialogs.size(), 1);
    if (host_record.dialogs.size() != 1) continue;
    const DialogSeen& dialog = host_record.dialogs[0];
    EXPECT_NUMBER(dialog.filter_index, one.filter);
    EXPECT_BYTES(dialog.initial_dir, one.directory);
    EXPECT_BYTES(dialog.file, one.file);
    EXPECT_NUMBER(dialog.max_file, 512);
  }
}

SCENARIO(CancelledDialogKeepsTheActiveReader, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("lines.csv", "a\r\nb\r\nc\r\n");
  std::string path = scene.files.Path("lines.csv");
  EXPECT_TEXT(plugin.OpenChosen(path), path);
  EXPECT_NUMBER(plugin.MoveNext(), 1);
  EXPECT_BYTES(plugin.List(), "b");
  EXPECT_NULL(plugin.Open(0, 0, path.c_str()));  // dialog cancelled
  EXPECT_BYTES(plugin.List(), "b");
  EXPECT_NUMBER(plugin.MoveNext(), 1);
  EXPECT_BYTES(plugin.List(), "c");
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(OtherExtensionsAreReadAsText, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  for (const char* name : {"x.DAT", "x", "x.TXT", "x.csv", "x.log"}) {
    scene.files.Write(name, "F,G\r\n");
    EXPECT_TEXT(plugin.OpenChosen(scene.files.Path(name)), scene.files.Path(name));
    EXPECT_NUMBER(plugin.GetLogType(), 1);
    EXPECT_TEXT(plugin.GetFieldText(1), "F2");
    EXPECT_BYTES(plugin.List(), "F,G");
  }
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(MissingFileWarnsAndKeepsTheFailedReader, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  EXPECT_NULL(plugin.OpenChosen(scene.files.Path("missing.csv")));
  ExpectOneWarning(scene, varnek::kCannotOpen);
  // The failed reader stays active with no file: nothing to read.
  EXPECT_NUMBER(plugin.MoveNext(), 0);
  EXPECT_NUMBER(plugin.Seek(0), 0);
  char buffer[16] = "untouched";
  const char* line = plugin.ListText(buffer, sizeof buffer);
  EXPECT_TRUE(line == nullptr || *line == '\0');
  EXPECT_TRUE(buffer[0] == '\0' || std::string(buffer) == "untouched");
  EXPECT_NUMBER(plugin.Update(0, "J"), 0);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_FALSE(scene.files.Exists("missing.csv"));
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(FailedCreateLeavesNoWriter, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  std::string name = scene.files.Path("no-such-dir") + PathSeparator() + "out.csv";
  EXPECT_NUMBER(plugin.Create(name.c_str()), 0);
  ExpectOneWarning(scene, varnek::kCannotCreate);  // and no JST question
  EXPECT_NUMBER(plugin.Write("98/07/15,1230,JA1ABC"), 0);
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(OtherNamesAreWrittenAsCsv, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  for (const char* name : {"out.txt", "out", "out.csv", "out.Dat"}) {
    EXPECT_NUMBER(plugin.Create(scene.files.Path(name).c_str()), 1);
    EXPECT_NUMBER(host_record.message_boxes.size(), 1);  // the JST question
    if (!host_record.message_boxes.empty()) {
      EXPECT_BYTES(host_record.message_boxes[0].text, varnek::kJstQuestion);
      EXPECT_NUMBER(host_record.message_boxes[0].style, kQuestionStyle);
    }
    host_record.message_boxes.clear();
    EXPECT_NUMBER(plugin.Write(std::string("line of ") + name), 1);
    EXPECT_NUMBER(plugin.CClose(), 1);
    EXPECT_BYTES(scene.files.Read(name), std::string("line of ") + name + "\r\n");
  }
}

SCENARIO(CreateFinishesThePreviousWriter, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  EXPECT_NUMBER(plugin.Create(scene.files.Path("first.csv").c_str()), 1);
  EXPECT_NUMBER(plugin.Write("1"), 1);
  EXPECT_NUMBER(plugin.Create(scene.files.Path("second.csv").c_str()), 1);
  EXPECT_BYTES(scene.files.Read("first.csv"), "1\r\n");
  EXPECT_NUMBER(plugin.Write("2"), 1);
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_BYTES(scene.files.Read("second.csv"), "2\r\n");
}

SCENARIO(ReaderAndWriterWorkSideBySide, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  const std::string lines = "one\r\ntwo,\"2\"\r\nthree\r\n";
  scene.files.Write("in.csv", lines);
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("in.csv")) != nullptr);
  EXPECT_NUMBER(plugin.Create(scene.files.Path("copy.csv").c_str()), 1);
  int copied = 0;
  while (plugin.IsEOF() == 0 && copied < 10) {
    EXPECT_NUMBER(plugin.Write(plugin.List()), 1);
    ++copied;
    plugin.MoveNext();
  }
  EXPECT_NUMBER(copied, 3);
  EXPECT_NUMBER(plugin.CClose(), 1);
  EXPECT_NUMBER(plugin.Close(), 1);
  EXPECT_BYTES(scene.files.Read("copy.csv"), lines);
}

SCENARIO(ListTextKeepsToTheLow16BitsOfTheSize, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("line.csv", "abcdef\r\n");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("line.csv")) != nullptr);
  struct Case {
    int32_t size;
    std::string copied;
  };
  for (const Case& one :
       {Case{1, ""}, Case{65537, ""}, Case{4, "abc"}, Case{65536 + 4, "abc"}, Case{7, "abcdef"}}) {
    char buffer[16];
    std::string(15, 'x').copy(buffer, 15);
    buffer[15] = '\0';
    EXPECT_TEXT(plugin.ListText(buffer, one.size), "abcdef");
    EXPECT_BYTES(buffer, one.copied);
    EXPECT_TRUE(buffer[one.copied.size() + 1] == 'x');  // nothing written past the zero
  }
  EXPECT_NUMBER(plugin.Close(), 1);
}

}  // namespace
}  // namespace scenario
