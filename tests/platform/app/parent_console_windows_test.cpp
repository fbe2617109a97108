// A GUI program's start on the console it came from, against a recording fake of the Win32
// calls: only streams with nowhere to go are reopened on the parent's console, redirected ones
// are left to the file or pipe, and the controller lets the console go.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app/parent_console_windows.h"

namespace zr4 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FakeConsoleApi : public Win32ConsoleApi {
 public:
  bool HasTarget(StandardStream stream) override {
    return stream == StandardStream::Output ? outputRedirected : errorRedirected;
  }
  bool AttachParentConsole() override {
    calls.push_back("attach");
    return parentHasConsole;
  }
  void ReopenOnConsole(StandardStream stream) override {
    calls.push_back(stream == StandardStream::Output ? "reopen stdout" : "reopen stderr");
  }
  void FreeConsole() override { calls.push_back("free"); }

  bool outputRedirected = false;
  bool errorRedirected = false;
  bool parentHasConsole = true;
  std::vector<std::string> calls;
};

TEST(ParentConsoleTest, StartedFromAConsoleWritesBothStreamsThere) {
  FakeConsoleApi api;
  const ParentConsole console(api);
  EXPECT_TRUE(console.Attached());
  EXPECT_THAT(api.calls, ElementsAre("attach", "reopen stdout", "reopen stderr"));
}

TEST(ParentConsoleTest, RedirectedStreamsStayWithTheFileOrPipe) {
  FakeConsoleApi api;
  api.outputRedirected = true;
  api.errorRedirected = true;
  const ParentConsole console(api);
  EXPECT_FALSE(console.Attached());
  EXPECT_THAT(api.calls, IsEmpty());
}

TEST(ParentConsoleTest, OnlyTheStreamWithNowhereToGoIsReopened) {
  FakeConsoleApi api;
  api.outputRedirected = true;  // zr4pcctrl --status > status.txt
  const ParentConsole console(api);
  EXPECT_THAT(api.calls, ElementsAre("attach", "reopen stderr"));

  FakeConsoleApi errorsOnly;
  errorsOnly.errorRedirected = true;  // zr4pcctrl --status 2> errors.txt
  const ParentConsole other(errorsOnly);
  EXPECT_THAT(errorsOnly.calls, ElementsAre("attach", "reopen stdout"));
}

TEST(ParentConsoleTest, WithoutAConsoleToAttachToNothingIsReopened) {
  FakeConsoleApi api;
  api.parentHasConsole = false;  // started from Explorer or a shortcut
  ParentConsole console(api);
  EXPECT_FALSE(console.Attached());
  console.Release();
  EXPECT_THAT(api.calls, ElementsAre("attach"));
}

TEST(ParentConsoleTest, TheControllerLetsTheConsoleGoOnce) {
  FakeConsoleApi api;
  ParentConsole console(api);
  console.Release();
  console.Release();
  EXPECT_FALSE(console.Attached());
  EXPECT_THAT(api.calls, ElementsAre("attach", "reopen stdout", "reopen stderr", "free"));
}

}  // namespace
}  // namespace zr4
