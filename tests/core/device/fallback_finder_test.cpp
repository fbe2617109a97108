#include "core/device/fallback_finder.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

class CountingFinder : public DeviceFinder {
 public:
  explicit CountingFinder(const char* path) : path_(path) {}
  std::optional<FoundDevice> FindDevice() override {
    ++calls;
    if (!present) return std::nullopt;
    return FoundDevice{path_, [](bool, std::uint8_t*) { return true; }};
  }
  bool present = true;
  int calls = 0;

 private:
  const char* path_;
};

TEST(FallbackFinderTest, HardwareFirstThenFallback) {
  CountingFinder hardware("USB"), simulator("SIM");
  FallbackFinder finder(&hardware, simulator);

  hardware.present = false;
  EXPECT_EQ(finder.FindDevice()->path, "SIM");
  EXPECT_TRUE(finder.UsedFallback());

  // A component plugged in later is found by the next discovery.
  hardware.present = true;
  EXPECT_EQ(finder.FindDevice()->path, "USB");
  EXPECT_FALSE(finder.UsedFallback());
}

TEST(FallbackFinderTest, AComponentThatLeavesIsNotReplacedByTheStandIn) {
  CountingFinder hardware("USB"), simulator("SIM");
  FallbackFinder finder(&hardware, simulator);
  EXPECT_EQ(finder.FindDevice()->path, "USB");
  EXPECT_EQ(simulator.calls, 0);

  hardware.present = false;
  EXPECT_FALSE(finder.FindDevice().has_value());
  EXPECT_EQ(simulator.calls, 0);

  hardware.present = true;
  EXPECT_EQ(finder.FindDevice()->path, "USB");
}

TEST(FallbackFinderTest, WithoutHardwareBackEnd) {
  CountingFinder simulator("SIM");
  FallbackFinder finder(nullptr, simulator);
  EXPECT_EQ(finder.FindDevice()->path, "SIM");
  EXPECT_TRUE(finder.UsedFallback());

  simulator.present = false;
  EXPECT_FALSE(finder.FindDevice().has_value());
}

}  // namespace
}  // namespace zr4
