// Logs that may be read but not written (the read-only attribute, a CD):
// LOG200 and HAMLOG logs open to be read alone, list as any other, answer
// CanUpdate with 0, and an Update changes nothing and is refused once.
#include <cstdio>
#include <string>
#include <vector>

#include "plugin/messages.h"
#include "windows/check.h"
#include "windows/plugin.h"
#include "windows/workspace.h"

namespace scenario {
namespace {

const char kLine[] = "24/05/03,0912,JA1ABC,59,7.050,SSB,100,\"Taro\",\"Tokyo\",,J,,";

SCENARIO(ReadOnlyLogsAreReadAndKeepTheirMarks, kLog200 | kHamlog) {
  Plugin& plugin = scene.plugin;
  struct Log {
    const char* name;
    const char* companion;  // or null
  };
  for (const Log& log : {Log{"locked.l2", nullptr}, Log{"locked.dbs", "locked.DBR"}}) {
    std::string path = scene.files.Path(log.name);
    EXPECT_NUMBER(plugin.Create(path.c_str()), 1);
    EXPECT_NUMBER(plugin.Write(kLine), 1);
    EXPECT_NUMBER(plugin.CClose(), 1);
    std::string bytes = scene.files.Read(log.name);
    EXPECT_TRUE(scene.files.SetReadOnly(log.name, true));
    if (log.companion != nullptr) EXPECT_TRUE(scene.files.SetReadOnly(log.companion, true));
    // A user whom the attribute does not bind (root, natively) has
    // nothing to show here.
    std::FILE* writable = std::fopen(path.c_str(), "r+b");
    if (writable == nullptr) {
      EXPECT_TRUE(plugin.OpenChosen(path) != nullptr);
      EXPECT_TRUE(host_record.message_boxes.empty());
      EXPECT_NUMBER(plugin.CanUpdate(0), 0);
      EXPECT_BYTES(plugin.List().substr(0, 27), "240503,0912,JA1ABC,59,7.050");
      EXPECT_TEXT(plugin.GetText(0), "J");
      plugin.Update(0, "N");
      plugin.Update(0, "Q");
      EXPECT_TEXT(plugin.GetText(0), "J");
      EXPECT_NUMBER(plugin.MoveNext(), 0);
      EXPECT_NUMBER(plugin.Close(), 1);
      std::vector<std::string> messages = plugin.TakeMessages();
      EXPECT_NUMBER(messages.size(), 1);
      if (!messages.empty()) EXPECT_BYTES(messages[0], varnek::kCannotWrite);
      EXPECT_BYTES(scene.files.Read(log.name), bytes);
    } else {
      std::fclose(writable);
    }
    scene.files.SetReadOnly(log.name, false);
    if (log.companion != nullptr) scene.files.SetReadOnly(log.companion, false);
  }
}

}  // namespace
}  // namespace scenario
