#include "core/instance/forwarding.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

TEST(ForwardedText, JoinsWithCommasWithoutQuoting) {
  // A comma inside a parameter cannot be told apart from a separator.
  EXPECT_EQ(BuildForwardedText({"-VOL", "20,-ON"}), "-VOL,20,-ON");
  EXPECT_EQ(BuildForwardedText({"a b"}), "a b");
  EXPECT_EQ(BuildForwardedText({}), "");
}

TEST(ForwardedText, IsCutTo255BytesOnACharacterBoundary) {
  EXPECT_EQ(BuildForwardedText({std::string(300, 'x')}).size(), 255u);
  // 127 three-byte characters would end at byte 381; the cut may not split one.
  std::string japanese;
  for (int i = 0; i < 127; ++i) japanese += "電";
  const std::string cut = BuildForwardedText({japanese});
  EXPECT_EQ(cut.size(), 255u);
  EXPECT_EQ(BuildForwardedText({"x" + japanese}).size(), 253u);
}

TEST(ForwardedText, ReceiverStopsAtZeroAndAtTheReceivedLength) {
  const char buffer[] = {'-', 'O', 'N', 0, 'X'};
  EXPECT_EQ(ReceiveForwardedText(buffer, sizeof buffer), "-ON");
  const char unterminated[] = {'-', 'O', 'F', 'F'};
  EXPECT_EQ(ReceiveForwardedText(unterminated, 3), "-OF");
  const std::string longer(400, 'y');
  EXPECT_EQ(ReceiveForwardedText(longer.data(), longer.size()).size(), 255u);
  EXPECT_EQ(ReceiveForwardedText(nullptr, 10), "");
}

TEST(OwnParams, QuotesBlanksCommasAndQuotes) {
  EXPECT_EQ(EncodeOwnParams({"-ON", "-VOL", "20"}), "-ON,-VOL,20");
  EXPECT_EQ(EncodeOwnParams({"a b"}), "\"a b\"");
  EXPECT_EQ(EncodeOwnParams({"a,b", "say \"hi\""}), "\"a,b\",\"say \"\"hi\"\"\"");
  EXPECT_EQ(EncodeOwnParams({"tab\there"}), "\"tab\there\"");
  EXPECT_EQ(EncodeOwnParams({""}), "\"\"");
  EXPECT_EQ(EncodeOwnParams({"-ON", "", "-OFF"}), "-ON,,-OFF");
}

}  // namespace
}  // namespace zr4
