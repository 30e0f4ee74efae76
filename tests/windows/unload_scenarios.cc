// Unloading the plug-in (FreeLibrary, dlclose) while a reader and a writer
// are active finishes both files as Close and CClose would.
#include <string>

#include "windows/check.h"
#include "windows/log_files.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

SCENARIO(UnloadFinishesTheCsvReaderAndWriter, kBoundary | kCsv) {
  Plugin& plugin = scene.plugin;
  scene.files.Write("in.csv", "a\r\nb\r\n");
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("in.csv")) != nullptr);
  EXPECT_NUMBER(plugin.Create(scene.files.Path("out.csv").c_str()), 1);
  for (const char* line : {"98/07/15,1230,JA1ABC", "98/07/15,1231,JA1XYZ"}) {
    EXPECT_NUMBER(plugin.Write(line), 1);
  }
  plugin.Unload();
  EXPECT_BYTES(scene.files.Read("out.csv"), "98/07/15,1230,JA1ABC\r\n98/07/15,1231,JA1XYZ\r\n");
  // Closed: Windows refuses to delete a file that is still open.
  EXPECT_TRUE(scene.files.Remove("in.csv"));
  EXPECT_TRUE(scene.files.Remove("out.csv"));
  plugin.Load();
  EXPECT_NUMBER(plugin.Close(), 1);  // a fresh library has no reader
}

SCENARIO(UnloadWritesBackTheLog200MarkAndFinishesTheHamlogWriter, kLog200 | kHamlog) {
  Plugin& plugin = scene.plugin;
  const std::vector<std::string> fields = {"980715", "1230", "1230", "JA1ABC", "7", "CW",
                                           "599",    "599",  "",     "",       "",  "",
                                           "",       "",     "",     "",       ""};
  scene.files.Write("in.l2", Log200Record(fields) + Log200Record(fields));
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("in.l2")) != nullptr);
  EXPECT_NUMBER(plugin.Seek(1), 1);
  EXPECT_NUMBER(plugin.Update(0, "Q"), 1);
  EXPECT_NUMBER(plugin.Create(scene.files.Path("out.dbs").c_str()), 1);
  EXPECT_NUMBER(plugin.Write("98/07/15,1230,JA1ABC,599,7,CW,,,\"Tokyo\",,,,"), 1);
  EXPECT_NUMBER(plugin.Write("98/07/15,1231,JA1XYZ,599,7,CW,,,,,,,"), 1);
  plugin.Unload();

  std::vector<std::string> marked = fields;
  marked[15] = "Q";
  EXPECT_BYTES(scene.files.Read("in.l2"), Log200Record(fields) + Log200Record(marked));
  std::string data = scene.files.Read("out.dbs");
  EXPECT_NUMBER(data.size(), kHamlogHeaderSize + 2 * kHamlogRecordSize + 1);
  EXPECT_BYTES(data.substr(0, 8), HamlogDataHeader(26, 12, 8, 2).substr(0, 8));
  EXPECT_BYTES(data.substr(data.size() - 1), "\x1A");
  EXPECT_BYTES(scene.files.Read("out.DBR").substr(0, 8),
               HamlogRemarkHeader(26, 12, 8, 2).substr(0, 8));
  EXPECT_TRUE(scene.files.Remove("in.l2"));
  EXPECT_TRUE(host_record.message_boxes.empty());
}

SCENARIO(UnloadWritesBackTheHamlogMarkAndFinishesTheLog200Writer, kLog200 | kHamlog) {
  Plugin& plugin = scene.plugin;
  HamlogRecord record;
  record.call = "JA1ABC";
  record.qsl = "JJ ";
  record.year = 98, record.month = 7, record.day = 15;
  std::string data = HamlogDataHeader(26, 12, 1, 1) + HamlogRecordBytes(record) + "\x1A";
  scene.files.Write("in.dbs", data);
  scene.files.Write("in.DBR", HamlogRemarkHeader(26, 12, 1, 1));
  EXPECT_TRUE(plugin.OpenChosen(scene.files.Path("in.dbs")) != nullptr);
  EXPECT_NUMBER(plugin.Update(0, "Y"), 0);
  EXPECT_NUMBER(plugin.Create(scene.files.Path("out.l2").c_str()), 1);
  EXPECT_NUMBER(plugin.Write("98/12/31,1234,,,,,,,,,,,"), 1);
  plugin.Unload();

  data[kHamlogHeaderSize + 43] = 'Y';
  EXPECT_BYTES(scene.files.Read("in.dbs"), data);
  EXPECT_BYTES(scene.files.Read("out.l2"), Log200Record({"981231", "1234", "1234", "", "", "", "",
                                                         "", "", "", "", "", "", "", "", "", ""}));
  EXPECT_TRUE(scene.files.Remove("in.dbs"));
  EXPECT_TRUE(scene.files.Remove("in.DBR"));
  EXPECT_TRUE(host_record.message_boxes.empty());
}

}  // namespace
}  // namespace scenario
