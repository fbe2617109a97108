#include "platform/gestures/logind_watcher_linux.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace zr4 {
namespace {

TEST(LogindWatcherTest, SleepAndShutdownBecomePowerEvents) {
  LogindWatcher watcher;
  QSignalSpy suspending(&watcher, &LogindWatcher::suspending);
  QSignalSpy resumed(&watcher, &LogindWatcher::resumed);
  QSignalSpy ending(&watcher, &LogindWatcher::sessionEnding);
  watcher.PrepareForSleep(true);
  EXPECT_EQ(suspending.count(), 1);
  EXPECT_EQ(resumed.count(), 0);
  // One resume signal from logind is one resume, not a pair to be counted back into one.
  watcher.PrepareForSleep(false);
  EXPECT_EQ(suspending.count(), 1);
  EXPECT_EQ(resumed.count(), 1);

  watcher.PrepareForShutdown(false);  // a shutdown called off
  EXPECT_EQ(ending.count(), 0);
  watcher.PrepareForShutdown(true);
  EXPECT_EQ(ending.count(), 1);
}

}  // namespace
}  // namespace zr4
