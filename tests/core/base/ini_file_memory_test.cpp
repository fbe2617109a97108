// What reading a large INI file costs in memory, counted by the allocation functions of this test
// program: the read limit allows millions of lines, and a cost of tens of bytes per line beyond
// its text would take hundreds of megabytes.
#include <gtest/gtest.h>

#include <string>

#include "core/base/ini_file.h"
#include "support/counting_allocator.h"

namespace zr4 {
namespace {

constexpr std::size_t kSize = 4u << 20;

// Heap bytes beyond the text while it is parsed, as a multiple of its size.
double ParseCost(const std::string& text) {
  const std::size_t before = liveBytes;
  peakBytes = liveBytes;
  const TIniFile ini = TIniFile::Parse(text);
  EXPECT_TRUE(ini.SectionExists("Setting"));
  return static_cast<double>(peakBytes - before) / static_cast<double>(text.size());
}

// With the text read and decoded beside it, a file stays within ten times its size.
TEST(IniFileMemoryTest, EveryShapeOfLargeFileCostsAFewTimesItsSize) {
  std::string emptyKeys = "[Setting]\n";
  while (emptyKeys.size() < kSize) emptyKeys += "=\n";
  EXPECT_LE(ParseCost(emptyKeys), 8.0);

  std::string shortKeys = "[Setting]\n";
  for (unsigned n = 0; shortKeys.size() < kSize; ++n) shortKeys += std::to_string(n) + "=\n";
  EXPECT_LE(ParseCost(shortKeys), 8.0);

  std::string sections = "[Setting]\nk=v\n";
  for (unsigned n = 0; sections.size() < kSize; ++n)
    sections += "[" + std::to_string(n) + "]\nk=v\n";
  EXPECT_LE(ParseCost(sections), 8.0);
}

}  // namespace
}  // namespace zr4
