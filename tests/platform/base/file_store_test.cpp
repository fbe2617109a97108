#include <gtest/gtest.h>

#include <filesystem>

#include "core/ports/log.h"
#include "fakes/temp_folder.h"
#include "platform/base/file_store_system.h"

#ifndef _WIN32
#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace zr4 {
namespace {

// What the store told the user while it lives.
class Notices {
 public:
  Notices()
      : previous_(SetNoticeSink([this](std::string_view line) { lines.emplace_back(line); })) {}
  ~Notices() { SetNoticeSink(previous_); }
  std::vector<std::string> lines;

 private:
  LogSink previous_;
};

TEST(FileStoreTest, ReadsAndReplacesWholeFiles) {
  test::TempFolder folder;
  SystemFileStore store;
  const std::string path = folder.Path("zr4pcctrl.ini");
  EXPECT_EQ(store.ReadFile(path).result, FileRead::Result::Missing);
  EXPECT_EQ(store.ReadFile(folder.Path("no/such/folder.ini")).result, FileRead::Result::Missing);

  const std::string bytes = std::string("[Setting]\r\nIconName=電源.ico\r\n") + '\0' + "tail";
  ASSERT_EQ(store.WriteFileAtomic(path, bytes), FileWrite::Written);
  FileRead read = store.ReadFile(path);
  EXPECT_EQ(read.result, FileRead::Result::Ok);
  EXPECT_EQ(read.bytes, bytes);

  ASSERT_EQ(store.WriteFileAtomic(path, "short"), FileWrite::Written);
  EXPECT_EQ(store.ReadFile(path).bytes, "short");
  ASSERT_EQ(store.WriteFileAtomic(path, ""), FileWrite::Written);
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
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("taken.ini"), "x"), FileWrite::Failed);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("taken.ini") + "/inside"));
  EXPECT_EQ(folder.Entries(), 1u);
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("missing/x.ini"), "x"), FileWrite::Failed);
}

// Whatever is saved reads back: 16 MiB is the most either way. A save past it (a file just
// under the limit written with CRLF line ends) keeps the old file, and the user is told once.
TEST(FileStoreTest, NothingLargerThanAReadTakesIsWritten) {
  test::TempFolder folder;
  SystemFileStore store;
  Notices notices;
  const std::string path = folder.Path("zr4pcctrl.ini");
  const std::string largest(16 << 20, 'x');
  ASSERT_EQ(store.WriteFileAtomic(path, largest), FileWrite::Written);
  EXPECT_EQ(store.ReadFile(path).bytes.size(), largest.size());

  folder.Put("zr4pcctrl.ini", "old");
  const std::string tooLarge((16 << 20) + 1, 'x');
  EXPECT_EQ(store.WriteFileAtomic(path, tooLarge), FileWrite::KeptTooLarge);
  EXPECT_EQ(store.WriteFileAtomic(path, tooLarge), FileWrite::KeptTooLarge);
  EXPECT_TRUE(folder.Get("zr4pcctrl.ini") == "old") << "the old file was replaced";
  EXPECT_EQ(folder.Entries(), 1u);
  EXPECT_EQ(notices.lines, std::vector<std::string>{
                               path + ": would be larger than 16 MiB, too large to read back; kept "
                                      "as it is, nothing is saved to it"});
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
  const FileWrite written =
      store.WriteFileAtomic(folder.Path("zr4pcctrl.ini"), std::string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);

  EXPECT_EQ(written, FileWrite::Failed);
  EXPECT_EQ(folder.Get("zr4pcctrl.ini"), old);
  EXPECT_EQ(folder.Entries(), 1u);
}

TEST(FileStoreTest, WhatIsNotAFileOrTooLargeIsRefusedWithoutWaiting) {
  test::TempFolder folder;
  SystemFileStore store;
  Notices notices;
  ASSERT_EQ(mkfifo(folder.Path("fifo.ini").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", folder.Path("zero.ini").c_str()), 0);
  folder.Put("large.ini", "");
  ASSERT_EQ(truncate(folder.Path("large.ini").c_str(), 17 << 20), 0);
  alarm(10);  // a read that blocks ends the test instead of hanging it
  for (const char* name : {"fifo.ini", "zero.ini", "large.ini"})
    EXPECT_EQ(store.ReadFile(folder.Path(name)).result, FileRead::Result::Failed) << name;
  alarm(0);
  // Nor is anything but a file replaced.
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("fifo.ini"), "x"), FileWrite::Failed);
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("zero.ini"), "x"), FileWrite::Failed);
  ASSERT_EQ(notices.lines.size(), 3u);
  EXPECT_EQ(notices.lines[0],
            folder.Path("fifo.ini") + ": not a regular file; not read and left as it is");
  EXPECT_EQ(notices.lines[2],
            folder.Path("large.ini") + ": larger than 16 MiB; not read and left as it is");
}

// Root may write into any folder; to meet a folder that refuses, the test gives up that power
// for a while (nothing changes for other users).
class WithoutOverridingPermissions {
 public:
  WithoutOverridingPermissions() { Set(false); }
  ~WithoutOverridingPermissions() { Set(true); }

 private:
  static void Set(bool allowed) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) return;
    const unsigned bit = 1u << CAP_DAC_OVERRIDE;
    data[0].effective =
        allowed ? (data[0].effective | (data[0].permitted & bit)) : (data[0].effective & ~bit);
    syscall(SYS_capset, &header, data);
  }
};

TEST(FileStoreTest, ReadOnlyLinkedAndCrampedFilesAreSavedTheirWay) {
  test::TempFolder folder;
  SystemFileStore store;
  Notices notices;

  // A read-only file is kept, and the user hears why once.
  folder.Put("kept.ini", "old");
  chmod(folder.Path("kept.ini").c_str(), 0444);
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("kept.ini"), "new"), FileWrite::KeptReadOnly);
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("kept.ini"), "new"), FileWrite::KeptReadOnly);
  EXPECT_EQ(folder.Get("kept.ini"), "old");
  EXPECT_EQ(notices.lines,
            std::vector<std::string>{folder.Path("kept.ini") +
                                     ": read-only; kept as it is, nothing is saved to it"});

  // A link stays a link; the file it names, in another folder, is replaced.
  std::filesystem::create_directory(folder.Path("real"));
  folder.Put("real/zr4pcctrl.ini", "old");
  std::filesystem::create_symlink("real/zr4pcctrl.ini", folder.Path("zr4pcctrl.ini"));
  EXPECT_EQ(store.WriteFileAtomic(folder.Path("zr4pcctrl.ini"), "new"), FileWrite::Written);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("zr4pcctrl.ini")));
  EXPECT_EQ(folder.Get("real/zr4pcctrl.ini"), "new");
  EXPECT_EQ(folder.Entries(), 3u);

  // A folder that takes no new file: the writable file is rewritten in place.
  chmod(folder.Path("real").c_str(), 0500);
  {
    WithoutOverridingPermissions asAUser;
    ASSERT_FALSE(std::ofstream(folder.Path("real/probe")));
    EXPECT_EQ(store.WriteFileAtomic(folder.Path("real/zr4pcctrl.ini"), "newer"),
              FileWrite::Written);
  }
  chmod(folder.Path("real").c_str(), 0700);
  EXPECT_EQ(folder.Get("real/zr4pcctrl.ini"), "newer");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("real")), {}), 1);
}

// A picture the user asked for: written whole to a regular file or a new one, or not at all,
// with the reason; special files are refused at once.
TEST(FileStoreTest, AUserFileIsWrittenWholeOrNotAtAll) {
  test::TempFolder folder;
  SystemFileStore store;
  std::string error;
  ASSERT_TRUE(store.WriteUserFile(folder.Path("new.png"), "picture", error)) << error;
  EXPECT_EQ(folder.Get("new.png"), "picture");
  ASSERT_TRUE(store.WriteUserFile(folder.Path("new.png"), "second", error)) << error;
  EXPECT_EQ(folder.Get("new.png"), "second");

  ASSERT_EQ(mkfifo(folder.Path("fifo.png").c_str(), 0600), 0);
  alarm(10);  // a write that blocks on the FIFO ends the test instead of hanging it
  EXPECT_FALSE(store.WriteUserFile(folder.Path("fifo.png"), "x", error));
  alarm(0);
  EXPECT_EQ(error, "not a regular file");
  EXPECT_FALSE(store.WriteUserFile("/dev/full", "x", error));
  EXPECT_EQ(error, "not a regular file");

  folder.Put("kept.png", "old");
  chmod(folder.Path("kept.png").c_str(), 0444);
  EXPECT_FALSE(store.WriteUserFile(folder.Path("kept.png"), "new", error));
  EXPECT_EQ(error, "the file is read-only");
  EXPECT_EQ(folder.Get("kept.png"), "old");

  // The disk fills up halfway: the old picture stays whole and no part of the new one is left.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = store.WriteUserFile(folder.Path("new.png"), std::string(4096, 'x'), error);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_FALSE(written);
  EXPECT_EQ(error, "File too large");
  EXPECT_EQ(folder.Get("new.png"), "second");
  EXPECT_EQ(folder.Entries(), 3u);

  // A folder that takes no new file: the picture is not written in place.
  std::filesystem::create_directory(folder.Path("closed"));
  folder.Put("closed/shot.png", "old");
  chmod(folder.Path("closed").c_str(), 0500);
  {
    WithoutOverridingPermissions asAUser;
    EXPECT_FALSE(store.WriteUserFile(folder.Path("closed/shot.png"), "new", error));
  }
  chmod(folder.Path("closed").c_str(), 0700);
  EXPECT_EQ(error, "Permission denied");
  EXPECT_EQ(folder.Get("closed/shot.png"), "old");
}

TEST(FileStoreTest, OnlyTheStoresOwnLeftoversAreRemoved) {
  test::TempFolder folder;
  SystemFileStore store;
  for (const char* name : {"zr4pcctrl.ini", "zr4pcctrl.ini.tmp-Ab12Cd", "zr4pcctrl.ini.backup",
                           "zr4pcctrl.ini.tmp-Ab12Cde", "other.ini.tmp-Ab12Cd"})
    folder.Put(name, "x");
  store.RemoveStaleTemporaries(folder.Path("zr4pcctrl.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("zr4pcctrl.ini.tmp-Ab12Cd")));
  EXPECT_EQ(folder.Entries(), 4u);
}

TEST(FileStoreTest, TheNewFileKeepsTheOldPermissions) {
  test::TempFolder folder;
  SystemFileStore store;
  const std::string path = folder.Path("zr4pcctrl.ini");
  ASSERT_EQ(store.WriteFileAtomic(path, "a"), FileWrite::Written);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
  chmod(path.c_str(), 0600);
  ASSERT_EQ(store.WriteFileAtomic(path, "b"), FileWrite::Written);
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}
#endif

}  // namespace
}  // namespace zr4
