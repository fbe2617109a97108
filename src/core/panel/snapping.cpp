#include "core/panel/snapping.h"

#include <cstdlib>

namespace zr4 {

namespace {
bool Near(int a, int b) {
  return std::abs(a - b) <= kSnapDistance;
}

bool OverlapsVertically(const TRect& p, const TRect& r) {
  return p.bottom + kSnapDistance >= r.top && r.bottom >= p.top - kSnapDistance;
}

bool OverlapsHorizontally(const TRect& p, const TRect& r) {
  return p.right + kSnapDistance >= r.left && r.right >= p.left - kSnapDistance;
}

void ShiftX(TRect& p, int dx) {
  p.left += dx;
  p.right += dx;
}

void ShiftY(TRect& p, int dy) {
  p.top += dy;
  p.bottom += dy;
}

bool SnapHorizontally(TRect& p, const TRect& r) {
  if (!OverlapsVertically(p, r)) return false;
  if (Near(p.left, r.left)) return ShiftX(p, r.left - p.left), true;
  if (Near(p.right, r.right)) return ShiftX(p, r.right - p.right), true;
  if (Near(p.left, r.right)) return ShiftX(p, r.right - p.left), true;
  if (Near(p.right, r.left)) return ShiftX(p, r.left - p.right), true;
  return false;
}

bool SnapVertically(TRect& p, const TRect& r) {
  if (!OverlapsHorizontally(p, r)) return false;
  if (Near(p.top, r.top)) return ShiftY(p, r.top - p.top), true;
  if (Near(p.bottom, r.bottom)) return ShiftY(p, r.bottom - p.bottom), true;
  if (Near(p.top, r.bottom)) return ShiftY(p, r.bottom - p.top), true;
  if (Near(p.bottom, r.top)) return ShiftY(p, r.top - p.bottom), true;
  return false;
}

template <typename Snap>
void SnapFirst(TRect& p, const std::optional<TRect>& workArea, const std::vector<TRect>& others,
               Snap snap) {
  if (workArea && snap(p, *workArea)) return;
  for (const TRect& r : others)
    if (snap(p, r)) return;
}

void SnapEdges(TRect& p, const TRect& r) {
  if (OverlapsVertically(p, r)) {
    if (Near(p.left, r.left))
      p.left = r.left;
    else if (Near(p.left, r.right))
      p.left = r.right;
    if (Near(p.right, r.right))
      p.right = r.right;
    else if (Near(p.right, r.left))
      p.right = r.left;
  }
  if (OverlapsHorizontally(p, r)) {
    if (Near(p.top, r.top))
      p.top = r.top;
    else if (Near(p.top, r.bottom))
      p.top = r.bottom;
    if (Near(p.bottom, r.bottom))
      p.bottom = r.bottom;
    else if (Near(p.bottom, r.top))
      p.bottom = r.top;
  }
}
}  // namespace

void TMoveSnapper::EnterSizeMove(int left, int top) {
  rawLeft_ = snappedLeft_ = left;
  rawTop_ = snappedTop_ = top;
}

TRect TMoveSnapper::Moving(TRect p, const std::optional<TRect>& workArea,
                           const std::vector<TRect>& others) {
  rawLeft_ += p.left - snappedLeft_;
  rawTop_ += p.top - snappedTop_;
  ShiftX(p, rawLeft_ - p.left);
  ShiftY(p, rawTop_ - p.top);
  SnapFirst(p, workArea, others, SnapHorizontally);
  SnapFirst(p, workArea, others, SnapVertically);
  snappedLeft_ = p.left;
  snappedTop_ = p.top;
  return p;
}

TRect Sizing(const TRect& proposed, TSizingEdges edges, const std::optional<TRect>& workArea,
             const std::vector<TRect>& others) {
  TRect snapped = proposed;
  if (workArea) SnapEdges(snapped, *workArea);
  for (const TRect& r : others) SnapEdges(snapped, r);
  TRect result = proposed;
  if (edges.left) result.left = snapped.left;
  if (edges.right) result.right = snapped.right;
  if (edges.top) result.top = snapped.top;
  if (edges.bottom) result.bottom = snapped.bottom;
  return result;
}

TRect KeepInWorkArea(const TRect& window, const std::optional<TRect>& workArea) {
  TRect result = window;
  if (!workArea) return result;
  if (result.bottom > workArea->bottom) ShiftY(result, workArea->bottom - result.bottom);
  if (result.right > workArea->right) ShiftX(result, workArea->right - result.right);
  return result;
}

}  // namespace zr4
