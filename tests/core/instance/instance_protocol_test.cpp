#include "core/instance/instance_protocol.h"

#include <gtest/gtest.h>

#include "core/instance/forwarding.h"

namespace zr4 {
namespace {

using State = InstanceDecode::State;

TEST(InstanceProtocolTest, EveryRequestRoundTrips) {
  const InstanceRequest requests[] = {{InstanceVerb::Forward, "-VOL,20,-ON"},
                                      {InstanceVerb::Forward, ""},
                                      {InstanceVerb::Restore, ""},
                                      {InstanceVerb::Status, ""},
                                      {InstanceVerb::StatusJson, ""},
                                      {InstanceVerb::SimRemote, "power"},
                                      {InstanceVerb::Screenshot, "/home/u/ファイル,1.png"}};
  for (const InstanceRequest& request : requests) {
    const InstanceDecode decoded = DecodeInstanceRequest(EncodeInstanceRequest(request));
    ASSERT_EQ(decoded.state, State::Complete) << EncodeInstanceRequest(request);
    EXPECT_EQ(decoded.request, request);
  }
}

TEST(InstanceProtocolTest, SimulatedRemoteKeyOnTheWire) {
  EXPECT_EQ(EncodeInstanceRequest({InstanceVerb::SimRemote, "mute"}), "ZR4PC/1 SIM-REMOTE mute\n");
}

TEST(InstanceProtocolTest, WaitsForTheWholeRequest) {
  const std::string bytes = EncodeInstanceRequest({InstanceVerb::Forward, "-INPUT,3"});
  for (std::size_t n = 0; n < bytes.size(); ++n)
    EXPECT_EQ(DecodeInstanceRequest(bytes.substr(0, n)).state, State::NeedMore) << n;
  EXPECT_EQ(DecodeInstanceRequest(bytes).request.text, "-INPUT,3");
}

TEST(InstanceProtocolTest, ForwardedTextIsCutLikeTheCopyBuffer) {
  const std::string longText(300, 'x');
  const InstanceDecode decoded =
      DecodeInstanceRequest(EncodeInstanceRequest({InstanceVerb::Forward, longText}));
  ASSERT_EQ(decoded.state, State::Complete);
  EXPECT_EQ(decoded.request.text, std::string(kForwardedTextMax, 'x'));

  // A zero byte ends the text; bytes past the stated length are never read.
  using namespace std::string_literals;
  const std::string bytes = "ZR4PC/1 FORWARD 6\n-ON\0XY-OFF"s;
  EXPECT_EQ(DecodeInstanceRequest(bytes).request.text, "-ON");
  EXPECT_EQ(DecodeInstanceRequest("ZR4PC/1 FORWARD 3\n-ONXYZ").request.text, "-ON");
}

TEST(InstanceProtocolTest, AnythingElseIsDropped) {
  const char* invalid[] = {
      "GET / HTTP/1.1\n",
      "ZR4PC/2 STATUS\n",
      "ZR4PC/1 STATUS \n",
      "ZR4PC/1 status\n",
      "ZR4PC/1 FORWARD\n",
      "ZR4PC/1 FORWARD \n",
      "ZR4PC/1 FORWARD 256\n",
      "ZR4PC/1 FORWARD -1\n",
      "ZR4PC/1 FORWARD +3\n",
      "ZR4PC/1 FORWARD 3x\n-ON",
      "ZR4PC/1 FORWARD 99999999999999999999999\n",
      "X",
      "ZR4PC/1 STATUSSTATUSSTATUSSTATUS",
      "ZR4PC/1 SIM-REMOTE \n",
      "ZR4PC/1 SIM-REMOTE Up\n",
      "ZR4PC/1 SIM-REMOTE up down\n",
      "ZR4PC/1 SCREENSHOT 0\n",
      "ZR4PC/1 SCREENSHOT 4096\n",
  };
  for (const char* bytes : invalid)
    EXPECT_EQ(DecodeInstanceRequest(bytes).state, State::Invalid) << bytes;
  using namespace std::string_literals;
  EXPECT_EQ(DecodeInstanceRequest("ZR4PC/1 SCREENSHOT 3\n/\0x"s).state, State::Invalid);
}

}  // namespace
}  // namespace zr4
