#include "core/instance/later_start.h"

#include <gtest/gtest.h>

#include <deque>

namespace zr4::test {
namespace {

using Outcome = InstanceChannel::Reply::Outcome;

// A channel that records what it was given and answers from a list.
class FakeChannel : public InstanceChannel {
 public:
  // Without `pictures`, as on Windows: neither pictures nor remote keys.
  bool Carries(InstanceVerb verb) const override {
    return pictures || (verb != InstanceVerb::Screenshot && verb != InstanceVerb::SimRemote);
  }
  Reply Ask(const InstanceRequest& request) override { return Next(request); }
  Reply HandOver(const InstanceRequest& request) override { return Next(request); }

  bool pictures = true;
  std::deque<Reply> replies;
  std::vector<InstanceRequest> sent;

 private:
  Reply Next(const InstanceRequest& request) {
    sent.push_back(request);
    Reply reply = replies.front();
    replies.pop_front();
    return reply;
  }
};

class LaterStartTest : public ::testing::Test {
 protected:
  StartConsole console{[this](std::string_view line) { out.emplace_back(line); },
                       [this](std::string_view line) { errors.emplace_back(line); }};
  FakeChannel channel;
  std::vector<std::string> out;
  std::vector<std::string> errors;
};

TEST_F(LaterStartTest, TheStatusComesFromTheInstanceOrFromTheComponent) {
  channel.replies = {{Outcome::Answered, "CD 03 01:23"},
                     {Outcome::NoInstance, {}},
                     {Outcome::NoAnswer, {}},
                     {Outcome::Hung, {}}};
  EXPECT_EQ(AskStatus(channel, true, console), 0);
  EXPECT_EQ(channel.sent[0], (InstanceRequest{InstanceVerb::StatusJson, {}}));
  EXPECT_EQ(out, std::vector<std::string>{"CD 03 01:23"});
  // No instance, or one that is closing: the component is read once instead.
  EXPECT_EQ(AskStatus(channel, false, console), std::nullopt);
  EXPECT_EQ(channel.sent[1], (InstanceRequest{InstanceVerb::Status, {}}));
  EXPECT_EQ(AskStatus(channel, false, console), std::nullopt);
  // A stuck instance is not read around: the device is its.
  EXPECT_EQ(AskStatus(channel, false, console), 1);
  EXPECT_EQ(errors, std::vector<std::string>{
                        "zr4pcctrl: the running instance does not answer (it is stopped or hung)"});
}

TEST_F(LaterStartTest, ASimulatedKeyNeedsAnInstanceThatPressesIt) {
  channel.pictures = false;  // as on Windows: no keys either
  EXPECT_EQ(PressSimRemote(channel, "POWER", console), 1);
  EXPECT_TRUE(channel.sent.empty());

  channel.pictures = true;
  channel.replies = {{Outcome::Answered, "OK"},
                     {Outcome::NoInstance, {}},
                     {Outcome::Answered, "no simulated component"},
                     {Outcome::Hung, {}}};
  EXPECT_EQ(PressSimRemote(channel, "POWER", console), 0);
  EXPECT_EQ(channel.sent[0], (InstanceRequest{InstanceVerb::SimRemote, "POWER"}));
  EXPECT_EQ(PressSimRemote(channel, "POWER", console), 1);
  EXPECT_EQ(PressSimRemote(channel, "POWER", console), 1);
  EXPECT_EQ(PressSimRemote(channel, "POWER", console), 1);
  EXPECT_EQ(errors, (std::vector<std::string>{
                        "zr4pcctrl: --sim-remote is not available on this system",
                        "zr4pcctrl: --sim-remote: no running instance to press the key on",
                        "zr4pcctrl: --sim-remote: no simulated component",
                        "zr4pcctrl: --sim-remote: the running instance does not answer (it is "
                        "stopped or hung)"}));
}

TEST_F(LaterStartTest, TheCommandLineGoesFirstThenThePicture) {
  ProgramOptions options;
  options.params = {"-ON", "-VOL", "20"};
  options.screenshotFile = "shot.png";
  const std::vector<InstanceRequest> requests = LaterStartRequests(options, "/home/u/shot.png");
  EXPECT_EQ(requests,
            (std::vector<InstanceRequest>{{InstanceVerb::Forward, "-ON,-VOL,20"},
                                          {InstanceVerb::Screenshot, "/home/u/shot.png"}}));
  // Nothing asked: the instance comes to the front.
  EXPECT_EQ(LaterStartRequests({}, ""),
            (std::vector<InstanceRequest>{{InstanceVerb::Restore, {}}}));

  channel.replies = {{Outcome::Answered, "OK"}, {Outcome::Answered, "SAVED FM 01 80.00 MHz"}};
  EXPECT_EQ(HandOverLaterStart(options, requests, channel, console), 0);
  EXPECT_EQ(channel.sent, requests);
  EXPECT_TRUE(options.params.empty());
  EXPECT_EQ(out, (std::vector<std::string>{"FM 01 80.00 MHz",
                                           "Saved window picture to /home/u/shot.png"}));
  EXPECT_TRUE(errors.empty());
}

// A start at login asks nothing visible of the running instance, yet its command line still runs
// there; the switch itself is never handed over.
TEST_F(LaterStartTest, AtLoginNothingComesToTheFront) {
  const ProgramOptions alone = ParseProgramOptions({"--at-login"});
  EXPECT_TRUE(LaterStartRequests(alone, "").empty());
  ProgramOptions quiet = alone;
  EXPECT_EQ(HandOverLaterStart(quiet, LaterStartRequests(alone, ""), channel, console), 0);
  EXPECT_TRUE(channel.sent.empty());
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(errors.empty());

  EXPECT_EQ(LaterStartRequests(ParseProgramOptions({"--at-login", "-ON"}), ""),
            (std::vector<InstanceRequest>{{InstanceVerb::Forward, "-ON"}}));
}

TEST_F(LaterStartTest, WhatWasNotHandedOverIsSaidOrRunHere) {
  ProgramOptions options;
  options.params = {"-ON"};
  options.screenshotFile = "shot.png";
  const std::vector<InstanceRequest> requests = LaterStartRequests(options, "/tmp/shot.png");

  // The instance went away before the picture: this start runs as the instance, its command
  // line already run there.
  channel.replies = {{Outcome::Answered, "OK"}, {Outcome::BecameInstance, {}}};
  EXPECT_EQ(HandOverLaterStart(options, requests, channel, console), std::nullopt);
  EXPECT_TRUE(options.params.empty());

  options.params = {"-ON"};
  channel.replies = {{Outcome::BecameInstance, {}}};
  EXPECT_EQ(HandOverLaterStart(options, requests, channel, console), std::nullopt);
  EXPECT_EQ(options.params, std::vector<std::string>{"-ON"});

  channel.replies = {{Outcome::Answered, "OK"},
                     {Outcome::Answered, "FAILED disk full"},
                     {Outcome::Unfinished, {}},
                     {Outcome::NoAnswer, {}}};
  EXPECT_EQ(HandOverLaterStart(options, requests, channel, console), 1);
  EXPECT_EQ(HandOverLaterStart(options, requests, channel, console), 1);
  EXPECT_EQ(HandOverLaterStart(options, requests, channel, console), 1);
  EXPECT_EQ(errors,
            (std::vector<std::string>{
                "zr4pcctrl: the running instance cannot save /tmp/shot.png: disk full",
                "zr4pcctrl: the running instance took the request but did not finish it (it is "
                "stopped, hung or gone)",
                "zr4pcctrl: another instance holds the lock but does not answer; the request was "
                "not handed over"}));
}

TEST_F(LaterStartTest, APictureTheChannelCannotCarryStopsTheStartBeforeAnything) {
  ProgramOptions options;
  options.params = {"-ON"};
  options.screenshotFile = "shot.png";
  channel.pictures = false;
  EXPECT_EQ(
      HandOverLaterStart(options, LaterStartRequests(options, "C:\\shot.png"), channel, console),
      1);
  EXPECT_TRUE(channel.sent.empty());
  EXPECT_EQ(errors,
            std::vector<std::string>{
                "zr4pcctrl: another instance runs and cannot save shot.png for this start"});

  // A path longer than the instance takes is refused where it comes, after the command line.
  channel.pictures = true;
  errors.clear();
  channel.replies = {{Outcome::Answered, "OK"}};
  const std::string longPath = "/" + std::string(4095, 'a');
  EXPECT_EQ(HandOverLaterStart(options, LaterStartRequests(options, longPath), channel, console),
            1);
  EXPECT_EQ(channel.sent.size(), 1u);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(
      errors[0].ends_with("the path is too long to hand to the running instance (at most "
                          "4095 bytes)"));

  // A window that is gone ends the start quietly.
  options.params = {"-ON"};
  channel.replies = {{Outcome::NoInstance, {}}};
  EXPECT_EQ(HandOverLaterStart(options, {{InstanceVerb::Forward, "-ON"}}, channel, console), 0);
}

}  // namespace
}  // namespace zr4::test
