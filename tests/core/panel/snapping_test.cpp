#include "core/panel/snapping.h"

#include <gtest/gtest.h>

namespace zr4 {
namespace {

const TRect kWorkArea{0, 0, 1280, 984};

TRect At(int left, int top) {
  return {left, top, left + 200, top + 100};
}

TEST(MoveSnapping, SnapsToTheWorkAreaEdgeAndReleasesBeyondTheDistance) {
  TMoveSnapper snapper;
  snapper.EnterSizeMove(100, 300);
  EXPECT_EQ(snapper.Moving(At(60, 300), kWorkArea, {}), At(60, 300));
  // Within 10 px of the left edge: exactly on it.
  EXPECT_EQ(snapper.Moving(At(8, 300), kWorkArea, {}), At(0, 300));
  // The mouse goes on 3 px to the left: the raw position is 5, still snapped.
  EXPECT_EQ(snapper.Moving(At(-3, 300), kWorkArea, {}), At(0, 300));
  // Then 20 px to the right: the raw position is 25, more than 10 px off the edge.
  EXPECT_EQ(snapper.Moving(At(20, 300), kWorkArea, {}), At(25, 300));
}

TEST(MoveSnapping, SnapsToOtherWindowsAndBothAxes) {
  TMoveSnapper snapper;
  snapper.EnterSizeMove(500, 500);
  const TRect other{700, 200, 900, 400};
  // Right edge 6 px from the other window's left edge, overlapping vertically.
  EXPECT_EQ(snapper.Moving(At(494, 250), kWorkArea, {other}), At(500, 250));
  // Bottom near the work area's bottom and left near the other's right edge.
  snapper.EnterSizeMove(500, 500);
  EXPECT_EQ(snapper.Moving(At(905, 880), kWorkArea, {other}), At(905, 884));
  // A window far away vertically does not snap horizontally.
  snapper.EnterSizeMove(500, 500);
  EXPECT_EQ(snapper.Moving(At(495, 700), kWorkArea, {other}), At(495, 700));
  // Without a work area only the other windows count.
  snapper.EnterSizeMove(500, 500);
  EXPECT_EQ(snapper.Moving(At(5, 5), std::nullopt, {}), At(5, 5));
}

TEST(SizingSnapping, OnlyDraggedEdgesMove) {
  const TRect proposed{4, 300, 1275, 400};
  const TRect right = Sizing(proposed, {.right = true}, kWorkArea, {});
  EXPECT_EQ(right, (TRect{4, 300, 1280, 400}));
  const TRect left = Sizing(proposed, {.left = true, .top = true}, kWorkArea, {});
  EXPECT_EQ(left, (TRect{0, 300, 1275, 400}));
  const TRect other{1200, 395, 1280, 600};
  const TRect bottom = Sizing({100, 300, 300, 390}, {.bottom = true}, kWorkArea, {other});
  EXPECT_EQ(bottom, (TRect{100, 300, 300, 390}));  // not overlapping horizontally
  const TRect bottom2 = Sizing({1100, 300, 1250, 390}, {.bottom = true}, kWorkArea, {other});
  EXPECT_EQ(bottom2.bottom, 395);
}

TEST(WorkArea, MovesUpAndLeftButNeverDownOrRight) {
  EXPECT_EQ(KeepInWorkArea({1200, 950, 1400, 1050}, kWorkArea), (TRect{1080, 884, 1280, 984}));
  EXPECT_EQ(KeepInWorkArea({-50, -40, 150, 60}, kWorkArea), (TRect{-50, -40, 150, 60}));
  EXPECT_EQ(KeepInWorkArea({1200, 950, 1400, 1050}, std::nullopt), (TRect{1200, 950, 1400, 1050}));
}

}  // namespace
}  // namespace zr4
