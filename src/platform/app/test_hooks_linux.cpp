#include "platform/app/test_hooks_linux.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace zr4 {

namespace {
constexpr int kLongestMs = 600000;

std::optional<int> Milliseconds(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr) return std::nullopt;
  const char* end = text + std::strlen(text);
  int value = 0;
  const auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end || stop == text || value < 0 || value > kLongestMs)
    return std::nullopt;
  return value;
}
}  // namespace

TestHooks ReadTestHooks() {
  TestHooks hooks;
  if (const std::optional<int> wait = Milliseconds("ZR4PC_TEST_WAIT_MS"))
    hooks.waits = {*wait, *wait};
  hooks.closeDelayMs = Milliseconds("ZR4PC_TEST_CLOSE_DELAY_MS").value_or(0);
  return hooks;
}

}  // namespace zr4
