// The desktop's requests as the event loop hands them over: what is sent, in which order, and
// what is refused.
#include "core/commands/media_requests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zr4 {
namespace {

struct Desktop {
  std::vector<std::string> sent;
  int scheduled = 0;
  TMediaRequests requests{{
      .setVolume = [this](double volume) { sent.push_back("volume " + std::to_string(volume)); },
      .press = [this](TMediaKey key) { sent.push_back(key == TMediaKey::Next ? "next" : "stop"); },
      .schedule = [this] { ++scheduled; },
  }};

  // The event loop: runs what was scheduled until nothing is.
  void Run() {
    while (scheduled > 0) {
      --scheduled;
      requests.RunNext();
    }
  }
};

TEST(MediaRequestsTest, ABurstOfVolumesSendsTheLastOnly) {
  Desktop desktop;
  for (int i = 0; i < 1000; ++i) desktop.requests.Volume(i % 2 ? 0.5 : 0.6);
  desktop.requests.Volume(0.3);
  EXPECT_EQ(desktop.scheduled, 1);
  desktop.Run();
  EXPECT_EQ(desktop.sent, (std::vector<std::string>{"volume 0.300000"}));
}

TEST(MediaRequestsTest, VolumesDuringASendAreSentOnceAfterIt) {
  std::vector<std::string> sent;
  int scheduled = 0;
  TMediaRequests* self = nullptr;
  TMediaRequests requests{{
      .setVolume =
          [&](double volume) {
            sent.push_back("volume " + std::to_string(volume));
            // Arriving while the first is sent, they replace each other.
            if (sent.size() == 1)
              for (double later : {0.2, 0.4, 0.7}) self->Volume(later);
          },
      .press = {},
      .schedule = [&] { ++scheduled; },
  }};
  self = &requests;
  requests.Volume(0.1);
  for (; scheduled > 0; --scheduled) requests.RunNext();
  EXPECT_EQ(sent, (std::vector<std::string>{"volume 0.100000", "volume 0.700000"}));
}

TEST(MediaRequestsTest, PressesKeepTheirOrderAndBeyondFourAreRefused) {
  Desktop desktop;
  EXPECT_TRUE(desktop.requests.Press(TMediaKey::Next));
  desktop.requests.Volume(0.5);
  EXPECT_TRUE(desktop.requests.Press(TMediaKey::Stop));
  desktop.requests.Volume(0.2);  // keeps the place of the volume it replaces
  EXPECT_TRUE(desktop.requests.Press(TMediaKey::Next));
  EXPECT_TRUE(desktop.requests.Press(TMediaKey::Next));
  EXPECT_FALSE(desktop.requests.Press(TMediaKey::Stop));
  desktop.Run();
  EXPECT_EQ(desktop.sent,
            (std::vector<std::string>{"next", "volume 0.200000", "stop", "next", "next"}));
  // Sent, they make room again.
  EXPECT_TRUE(desktop.requests.Press(TMediaKey::Stop));
  desktop.Run();
  EXPECT_EQ(desktop.sent.back(), "stop");
}

}  // namespace
}  // namespace zr4
