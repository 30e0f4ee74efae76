// The list of exports every host resolves is the list the DLL exports.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "host/plugin_library.h"

namespace varnek {
namespace {

TEST(ExportsTest, TheListOfExportsIsTheModuleDefinitionFile) {
  std::ifstream def(VARNEK_DEF_FILE);
  ASSERT_TRUE(def.good()) << VARNEK_DEF_FILE;
  std::string word;
  std::vector<std::string> listed;
  bool in_exports = false;
  while (def >> word) {
    if (in_exports) listed.push_back(word);
    if (word == "EXPORTS") in_exports = true;
  }
  using varnek_host::PluginLibrary;
  std::vector<std::string> names(PluginLibrary::kExportNames,
                                 PluginLibrary::kExportNames + PluginLibrary::kExportCount);
  EXPECT_EQ(listed, names);
  EXPECT_EQ(names.size(), 17u);
}

}  // namespace
}  // namespace varnek
