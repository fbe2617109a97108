#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/temp_folder.h"
#include "platform/base/folder_list_system.h"

namespace zr4 {
namespace {

TEST(FolderListTest, ListsFilesAndFoldersWithTheirNames) {
  test::TempFolder folder;
  std::filesystem::create_directories(std::filesystem::path(folder.Path()) /
                                      std::filesystem::path(u8"青い"));
  folder.Put("Skin.INI", "");
  SystemFolderList lister;
  std::vector<TFolderEntry> entries = lister.List(folder.Path());
  std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "Skin.INI");
  EXPECT_FALSE(entries[0].IsFolder);
  EXPECT_EQ(entries[1].Name, "青い");
  EXPECT_TRUE(entries[1].IsFolder);
  EXPECT_TRUE(lister.List(folder.Path("missing")).empty());
}

}  // namespace
}  // namespace zr4
