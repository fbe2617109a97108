#include "core/instance/instance_requests.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/controller.h"
#include "core/instance/forwarding.h"
#include "core/ports/log.h"
#include "fakes/fake_view.h"
#include "fakes/sim_link.h"

namespace zr4 {
namespace {

class InstanceRequestsTest : public ::testing::Test, protected test::SimLink<> {
 protected:
  test::FakeView view;
  TController controller{clock, link, view};
};

TEST_F(InstanceRequestsTest, EachRequestReachesItsReceiver) {
  controller.FormCreate({});
  int restores = 0;
  std::vector<std::string> pictures;
  TInstanceRequests requests(controller, {[&] { ++restores; },
                                          [&](const std::string& file, std::string& error) {
                                            pictures.push_back(file);
                                            error = "No such file or directory";
                                            return file != "/no/such/folder/x.png";
                                          }});
  std::vector<std::string> log;
  const LogSink previous = SetLogSink([&](std::string_view line) { log.emplace_back(line); });

  EXPECT_EQ(requests.Answer({InstanceVerb::Forward, "-VOL,9"}), "OK");
  EXPECT_EQ(requests.Answer({InstanceVerb::Restore, {}}), "OK");
  // The simulated component's remote, pressed by a later start: this controller has none.
  EXPECT_EQ(requests.Answer({InstanceVerb::SimRemote, "up"}),
            "the running instance drives a real ZR4PC: press the key on its remote");
  EXPECT_EQ(requests.Answer({InstanceVerb::Status, {}}),
            "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  const std::string json = requests.Answer({InstanceVerb::StatusJson, {}}).value_or("");
  EXPECT_EQ(requests.Answer({InstanceVerb::Screenshot, "/tmp/x.png"}),
            "SAVED FM 01 80.00 MHz Auto TONE Vol.22");
  EXPECT_EQ(requests.Answer({InstanceVerb::Screenshot, "/no/such/folder/x.png"}),
            "FAILED No such file or directory");
  SetLogSink(previous);

  EXPECT_EQ(std::count(log.begin(), log.end(), "ExecuteParams: -VOL,9"), 1);
  EXPECT_EQ(restores, 1);
  EXPECT_EQ(pictures, (std::vector<std::string>{"/tmp/x.png", "/no/such/folder/x.png"}));
  EXPECT_TRUE(json.starts_with(R"({"input":"FM",)")) << json;
  EXPECT_TRUE(json.ends_with(R"("volume":22,"title":"ZR4PCCtrl","simulated":true})")) << json;
}

// A script asking the running window can tell the simulated component from a ZR4PC; the plain
// status line is the same for both.
TEST_F(InstanceRequestsTest, TheJsonSaysWhetherTheSimulatedComponentStandsIn) {
  test::HardwareFinder hardware(sim);
  TZR4Ctrl hardwareLink(clock, hardware);
  TController real(clock, hardwareLink, view);
  real.FormCreate({});
  controller.FormCreate({});
  TInstanceRequests toReal(real, {}), toSimulated(controller, {});

  const std::string realJson = toReal.Answer({InstanceVerb::StatusJson, {}}).value_or("");
  EXPECT_TRUE(realJson.ends_with(R"("title":"ZR4PCCtrl","simulated":false})")) << realJson;
  const std::string simulatedJson = toSimulated.Answer({InstanceVerb::StatusJson, {}}).value_or("");
  EXPECT_TRUE(simulatedJson.ends_with(R"("title":"ZR4PCCtrl","simulated":true})")) << simulatedJson;
  EXPECT_EQ(toReal.Answer({InstanceVerb::Status, {}}),
            toSimulated.Answer({InstanceVerb::Status, {}}));
  EXPECT_EQ(toReal.Answer({InstanceVerb::Status, {}}),
            "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
}

// One argument "-ON,-VOL 20,-INPUT 1": the first start quotes it as comma text, one token that
// is no option, so it runs nothing; a later start joins its arguments with plain "," and the
// running instance runs all three options. Stored command lines may rely on both.
TEST_F(InstanceRequestsTest, OneArgumentWithCommasRunsOnlyWhenForwarded) {
  TStartup startup;
  startup.params = {"-ON,-VOL 20,-INPUT 1"};
  controller.FormCreate(startup);
  EXPECT_EQ(sim.volume(), 22);
  EXPECT_TRUE(sim.ReceivedFrames().empty());

  TInstanceRequests requests(controller, {[] {}, {}});
  EXPECT_EQ(requests.Answer({InstanceVerb::Forward, BuildForwardedText({"-ON,-VOL 20,-INPUT 1"})}),
            "OK");
  ASSERT_FALSE(sim.ReceivedFrames().empty());
  EXPECT_EQ(sim.ReceivedFrames().front(), BuildFrame(0x06, 0x81));  // power on
  EXPECT_EQ(sim.volume(), 20);
  EXPECT_EQ(controller.Labels().lbInput, "CD");
}

// A later start that comes while start-up still waits for the user: its command line runs once
// the window stands, in order with the others; a question meanwhile gets no answer, so that the
// asker reads the component itself.
TEST_F(InstanceRequestsTest, RequestsDuringWindowCreationWaitForIt) {
  int restores = 0;
  TInstanceRequests requests(controller, {[&] { ++restores; }, {}});
  std::vector<std::string> log;
  const LogSink previous = SetLogSink([&](std::string_view line) {
    if (line.starts_with("ExecuteParams")) log.emplace_back(line);
  });
  requests.HoldUntilCreated();
  EXPECT_EQ(requests.Answer({InstanceVerb::Forward, "-VOL,9"}), "OK");
  EXPECT_EQ(requests.Answer({InstanceVerb::Restore, {}}), "OK");
  EXPECT_EQ(requests.Answer({InstanceVerb::Status, {}}), std::nullopt);
  EXPECT_EQ(requests.Answer({InstanceVerb::Forward, "-VOL,5"}), "OK");
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(restores, 0);

  controller.FormCreate({});
  requests.WindowCreated();
  SetLogSink(previous);
  EXPECT_EQ(log, (std::vector<std::string>{"ExecuteParams: -VOL,9", "ExecuteParams: -VOL,5"}));
  EXPECT_EQ(restores, 1);
  controller.Timer2Timer();
  EXPECT_EQ(requests.Answer({InstanceVerb::Status, {}}),
            "FM 01 80.00 MHz Auto TONE Vol.05 | ZR4PCCtrl");
}

}  // namespace
}  // namespace zr4
