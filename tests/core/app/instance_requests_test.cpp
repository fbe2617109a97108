#include "core/app/instance_requests.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/controller.h"
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
  TInstanceRequests requests(controller, [&] { ++restores; });
  std::vector<std::string> log;
  const LogSink previous = SetLogSink([&](std::string_view line) { log.emplace_back(line); });

  EXPECT_EQ(requests.Answer({InstanceVerb::Forward, "-VOL,9"}), "OK");
  EXPECT_EQ(requests.Answer({InstanceVerb::Restore, {}}), "OK");
  EXPECT_EQ(requests.Answer({InstanceVerb::Status, {}}), "FM 01 80.00 MHz Auto TONE Vol.22");
  const std::string json = requests.Answer({InstanceVerb::StatusJson, {}});
  SetLogSink(previous);

  EXPECT_EQ(std::count(log.begin(), log.end(), "ExecuteParams: -VOL,9"), 1);
  EXPECT_EQ(restores, 1);
  EXPECT_TRUE(json.starts_with(R"({"input":"FM",)")) << json;
  EXPECT_TRUE(json.ends_with(R"("volume":22})")) << json;
}

}  // namespace
}  // namespace zr4
