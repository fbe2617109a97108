// What the program's process tests may change through the environment, read in this one place
// only: the waits for a silent instance, which the tests would otherwise sit out on the wall
// clock, and a close that takes as long as a slow save does.
#pragma once

#include "platform/instance/instance_channel_linux.h"

namespace zr4 {

struct TestHooks {
  // ZR4PC_TEST_WAIT_MS: both limits of a later start's wait, in milliseconds.
  InstanceWaitLimits waits;
  // ZR4PC_TEST_CLOSE_DELAY_MS: once closing has begun, the instance is busy this long before it
  // saves, as with a settings file on a slow disk.
  int closeDelayMs = 0;
};

// The defaults, with what the environment sets; a value that is not a number of milliseconds up
// to ten minutes is ignored.
TestHooks ReadTestHooks();

}  // namespace zr4
