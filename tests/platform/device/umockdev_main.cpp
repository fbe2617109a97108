// Entry of the test programs that need the emulated USB bus: without umockdev's preload library
// they report themselves skipped (exit 77, which CTest shows as "Skipped"), never passed.
#include <gtest/gtest.h>

#include <cstdio>

#include "emulated_usb_bus.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!zr4::test::UnderUmockdev()) {
    std::puts("SKIPPED: not running under umockdev-wrapper, so there is no emulated USB bus");
    return 77;
  }
  return RUN_ALL_TESTS();
}
