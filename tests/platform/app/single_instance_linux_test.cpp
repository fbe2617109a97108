// The lock file's closing mark, as a later start reads it: only the marked process, and only
// while it runs, counts as an instance still saving on its way out.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/app/single_instance_linux.h"
#include "temp_folder.h"

namespace zr4 {
namespace {

// Waits until `holds` is true of the lock file, at most ten seconds.
template <typename Check>
bool WaitFor(Check holds) {
  for (int tries = 0; tries < 1000; ++tries) {
    if (holds()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(SingleInstanceLinuxTest, OnlyARunningMarkedInstanceIsClosing) {
  test::TempFolder folder;
  const std::string path = folder.Path("ZR4PC_CTRL.lock");
  {
    InstanceLock lock(path);
    ASSERT_TRUE(lock.Held());
    EXPECT_FALSE(InstanceIsClosing(path));
    lock.MarkClosing();
    EXPECT_TRUE(InstanceIsClosing(path));
    EXPECT_TRUE(InstanceIsClosing(path, getpid()));
    EXPECT_FALSE(InstanceIsClosing(path, getpid() + 1));  // a connection to another process
  }
  // The next instance's lock clears the mark of the one before.
  InstanceLock next(path);
  ASSERT_TRUE(next.Held());
  EXPECT_FALSE(InstanceIsClosing(path));

  for (const char* text :
       {"closing \n", "closing -5\n", "closing 12x\n", "closing 1", "open 1\n"}) {
    folder.Put("odd.lock", text);
    EXPECT_FALSE(InstanceIsClosing(folder.Path("odd.lock"))) << text;
  }
  EXPECT_FALSE(InstanceIsClosing(folder.Path("missing.lock")));
}

TEST(SingleInstanceLinuxTest, AStoppedOrEndedInstanceIsNotClosing) {
  test::TempFolder folder;
  const std::string path = folder.Path("ZR4PC_CTRL.lock");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock lock(path);
    lock.MarkClosing();
    pause();
    _exit(0);
  }
  EXPECT_TRUE(WaitFor([&] { return InstanceIsClosing(path, child); }));
  kill(child, SIGSTOP);
  EXPECT_TRUE(WaitFor([&] { return !InstanceIsClosing(path, child); }));
  kill(child, SIGCONT);
  EXPECT_TRUE(WaitFor([&] { return InstanceIsClosing(path, child); }));
  kill(child, SIGKILL);
  // Ended but not yet reaped, and then gone.
  EXPECT_TRUE(WaitFor([&] { return !InstanceIsClosing(path, child); }));
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(InstanceIsClosing(path, child));
}

}  // namespace
}  // namespace zr4
