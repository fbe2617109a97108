// The lock file's closing mark, as a later start reads it: only the marked process, and only
// while it runs, counts as an instance still saving on its way out.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "fakes/temp_folder.h"
#include "platform/instance/single_instance_linux.h"

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

// "closing 1" left in the file, or the id of some other live process: that process holds
// neither the lock file nor the socket, so nothing is closing and a later start may take over.
TEST(SingleInstanceLinuxTest, AMarkNamingAProcessThatIsNotTheInstanceIsStale) {
  test::TempFolder folder;
  const std::string path = folder.Path("ZR4PC_CTRL.lock");
  InstanceLock held(path);
  ASSERT_TRUE(held.Held());
  const pid_t other = fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    // The lock file is closed on exec: this process does not hold it.
    execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
    _exit(127);
  }
  for (const pid_t named : {pid_t{1}, other}) {
    folder.Put("ZR4PC_CTRL.lock", "closing " + std::to_string(named) + "\n");
    EXPECT_TRUE(WaitFor([&] { return ReadClosingMark(path) == ClosingMark::Stale; })) << named;
    // Reached through the socket, the named process is the instance.
    EXPECT_EQ(ReadClosingMark(path, named), ClosingMark::Closing) << named;
  }
  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  held.MarkClosing();
  EXPECT_EQ(ReadClosingMark(path), ClosingMark::Closing);

  // Taking over puts a new lock file in place, which keeps the next start out in turn.
  folder.Put("ZR4PC_CTRL.lock", "closing 1\n");
  InstanceLock taken(path, InstanceLock::ReplaceStale{});
  EXPECT_TRUE(taken.Held()) << taken.Error();
  EXPECT_EQ(ReadClosingMark(path), ClosingMark::None);
  InstanceLock next(path);
  EXPECT_TRUE(next.HeldElsewhere());
  EXPECT_EQ(folder.Entries(), 1u);
}

}  // namespace
}  // namespace zr4
