#include "core/app/instance_requests.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/controller.h"
#include "core/device/sim_component.h"
#include "core/device/sim_finder.h"
#include "core/ports/log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_view.h"

namespace zr4 {
namespace {

TEST(InstanceRequestsTest, EachRequestReachesItsReceiver) {
  test::FakeClock clock;
  TSimComponent sim{clock};
  SimDeviceFinder finder{sim};
  TZR4Ctrl link{clock, finder};
  test::FakeView view;
  TController controller{clock, link, view};
  controller.FormCreate({});
  int restores = 0;
  TInstanceRequests requests(controller, [&] { ++restores; });
  std::vector<std::string> log;
  const LogSink previous = SetLogSink([&](std::string_view line) { log.emplace_back(line); });

  EXPECT_EQ(requests.Answer({InstanceVerb::Forward, "-VOL,9"}), "OK");
  EXPECT_EQ(requests.Answer({InstanceVerb::Restore, {}}), "OK");
  // The simulated component's remote, pressed by a later start: this controller has none.
  EXPECT_EQ(requests.Answer({InstanceVerb::SimRemote, "up"}),
            "the running instance drives a real ZR4PC: press the key on its remote");
  EXPECT_EQ(requests.Answer({InstanceVerb::Status, {}}),
            "FM 01 80.00 MHz Auto TONE Vol.22 | ZR4PCCtrl");
  const std::string json = requests.Answer({InstanceVerb::StatusJson, {}});
  SetLogSink(previous);

  EXPECT_EQ(std::count(log.begin(), log.end(), "ExecuteParams: -VOL,9"), 1);
  EXPECT_EQ(restores, 1);
  EXPECT_TRUE(json.starts_with(R"({"input":"FM",)")) << json;
  EXPECT_TRUE(json.ends_with(R"("volume":22,"title":"ZR4PCCtrl"})")) << json;
}

}  // namespace
}  // namespace zr4
