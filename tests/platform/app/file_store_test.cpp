#include <gtest/gtest.h>

#include <filesystem>

#include "platform/app/file_store_system.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace zr4 {
namespace {

TEST(FileStoreTest, ReadsAndReplacesWholeFiles) {
  test::TempFolder folder;
  SystemFileStore store;
  const std::string path = folder.Path("zr4pcctrl.ini");
  EXPECT_EQ(store.ReadFile(path).result, FileRead::Result::Missing);
  EXPECT_EQ(store.ReadFile(folder.Path("no/such/folder.ini")).result, FileRead::Result::Missing);

  const std::string bytes = std::string("[Setting]\r\nIconName=電源.ico\r\n") + '\0' + "tail";
  ASSERT_TRUE(store.WriteFileAtomic(path, bytes));
  FileRead read = store.ReadFile(path);
  EXPECT_EQ(read.result, FileRead::Result::Ok);
  EXPECT_EQ(read.bytes, bytes);

  ASSERT_TRUE(store.WriteFileAtomic(path, "short"));
  EXPECT_EQ(store.ReadFile(path).bytes, "short");
  ASSERT_TRUE(store.WriteFileAtomic(path, ""));
  read = store.ReadFile(path);
  EXPECT_EQ(read.result, FileRead::Result::Ok);
  EXPECT_EQ(read.bytes, "");
  EXPECT_EQ(folder.Entries(), 1u);  // no temporary file left behind
}

TEST(FileStoreTest, AFolderInPlaceOfTheFileFailsBothWays) {
  test::TempFolder folder;
  SystemFileStore store;
  std::filesystem::create_directories(folder.Path("taken.ini") + "/inside");
  EXPECT_EQ(store.ReadFile(folder.Path("taken.ini")).result, FileRead::Result::Failed);
  EXPECT_FALSE(store.WriteFileAtomic(folder.Path("taken.ini"), "x"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("taken.ini") + "/inside"));
  EXPECT_EQ(folder.Entries(), 1u);
  EXPECT_FALSE(store.WriteFileAtomic(folder.Path("missing/x.ini"), "x"));
}

#ifndef _WIN32
// The disk fills up in the middle of the save: the old file is still whole.
TEST(FileStoreTest, AWriteThatFailsHalfwayKeepsTheOldFile) {
  test::TempFolder folder;
  SystemFileStore store;
  const std::string old = "[Window]\r\nLeft=1\r\n";
  folder.Put("zr4pcctrl.ini", old);

  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = store.WriteFileAtomic(folder.Path("zr4pcctrl.ini"), std::string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);

  EXPECT_FALSE(written);
  EXPECT_EQ(folder.Get("zr4pcctrl.ini"), old);
  EXPECT_EQ(folder.Entries(), 1u);
}

TEST(FileStoreTest, TheNewFileKeepsTheOldPermissions) {
  test::TempFolder folder;
  SystemFileStore store;
  const std::string path = folder.Path("zr4pcctrl.ini");
  ASSERT_TRUE(store.WriteFileAtomic(path, "a"));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  chmod(path.c_str(), 0600);
  ASSERT_TRUE(store.WriteFileAtomic(path, "b"));
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}
#endif

}  // namespace
}  // namespace zr4
