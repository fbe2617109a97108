#include "shell/app/logind_watcher_linux.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace zr4 {
namespace {

TEST(LogindWatcherTest, SleepAndShutdownBecomePowerEvents) {
  LogindWatcher watcher;
  QSignalSpy power(&watcher, &LogindWatcher::powerBroadcast);
  QSignalSpy ending(&watcher, &LogindWatcher::sessionEnding);
  watcher.PrepareForSleep(true);
  watcher.PrepareForSleep(false);
  ASSERT_EQ(power.count(), 3);
  EXPECT_EQ(power[0][0].toInt(), 4);   // suspend
  EXPECT_EQ(power[1][0].toInt(), 18);  // automatic resume
  EXPECT_EQ(power[2][0].toInt(), 7);   // resume from suspend

  watcher.PrepareForShutdown(false);  // a shutdown called off
  EXPECT_EQ(ending.count(), 0);
  watcher.PrepareForShutdown(true);
  EXPECT_EQ(ending.count(), 1);
}

}  // namespace
}  // namespace zr4
