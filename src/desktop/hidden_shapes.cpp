#include "desktop/hidden_shapes.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "game/tables.h"

namespace flakmire {

namespace {

// Only round shapes are judged; anything else paints whole and hides nothing.
bool IsRound(const Shape& s) {
  return s.Visible && s.Kind == ShapeKind::Circle && s.Width >= 1 && s.Width == s.Height;
}

// Grows a box, filled row by row from the top, by the pixels x0 to x1 of row y.
void Grow(Box& box, int x0, int x1, int y) {
  box = box.Empty() ? Box{x0, y, x1 + 1, y + 1}
                    : Box{std::min(box.left, x0), box.top, std::max(box.right, x1 + 1), y + 1};
}

// floor and ceil without the library's calls, for the playfield and well past it; farther out
// every place is as good as the next.
constexpr int Past = 4096;
static_assert(PlayfieldWidth < Past);
int Down(float v) {
  return static_cast<int>(std::clamp(v, 1.0f - Past, 2.0f * Past) + Past) - Past;
}
int Up(float v) { return -Down(-v); }

}  // namespace

// For the rows from `top` to `bottom` (not included): the pixels whose centres lie within the
// radius of (cx, cy), from `from` to `to`, both included, held to a pixel past the playfield;
// none when from > to. Branch-free arithmetic, so that the compiler can do several rows at once.
void HiddenShapes::Spans(float cx, float cy, float radius, int top, int bottom, Ends& from,
                         Ends& to) {
  const float r2 = radius * radius;
  constexpr float Left = -1, Right = PlayfieldWidth;  // just past the playfield
  for (int y = top; y < bottom; ++y) {
    const float dy = static_cast<float>(y) + 0.5f - cy;
    const float squared = r2 - dy * dy;
    // An empty row gets a negative half-width: its left end lies right of its right end.
    const float root = std::sqrt(std::max(squared, 0.0f));
    const float half = squared >= 0 ? root : -1.0f;
    const float left = std::min(std::max(cx - half - 0.5f, Left), Right);
    const float right = std::min(std::max(cx + half - 0.5f, Left), Right);
    // Up and down to whole pixels, from the positive side of zero.
    from[static_cast<std::size_t>(y)] = -static_cast<int>(Past - left) + Past;
    to[static_cast<std::size_t>(y)] = static_cast<int>(right + Past) - Past;
  }
}

HiddenShapes::HiddenShapes() { shown_.reserve(MaxSlots + 1); }

void HiddenShapes::ShowUncovered(int y, int x0, int x1, Box& box) const {
  const Row& row = covered_[static_cast<std::size_t>(y)];
  const int w0 = x0 / 64, w1 = x1 / 64;
  int first = -1, last = -1;
  for (int w = w0; w <= w1; ++w) {
    std::uint64_t open = ~row[static_cast<std::size_t>(w)];
    if (w == w0) open &= ~std::uint64_t{0} << (x0 % 64);
    if (w == w1) open &= ~std::uint64_t{0} >> (63 - x1 % 64);
    if (open == 0) continue;
    if (first < 0) first = w * 64 + std::countr_zero(open);
    last = w * 64 + 63 - std::countl_zero(open);
  }
  if (first >= 0) Grow(box, first, last, y);
}

void HiddenShapes::Cover(int y, int x0, int x1) {
  Row& row = covered_[static_cast<std::size_t>(y)];
  const int w0 = x0 / 64, w1 = x1 / 64;
  for (int w = w0; w <= w1; ++w) {
    std::uint64_t bits = ~std::uint64_t{0};
    if (w == w0) bits &= ~std::uint64_t{0} << (x0 % 64);
    if (w == w1) bits &= ~std::uint64_t{0} >> (63 - x1 % 64);
    row[static_cast<std::size_t>(w)] |= bits;
  }
}

void HiddenShapes::Find(const ControlArray<Shape>& shapes) {
  for (Row& row : covered_) row.fill(0);
  shown_.assign(static_cast<std::size_t>(shapes.UpperBound()) + 1, Item{});
  for (int i = shapes.UpperBound(); i >= 1; --i) {
    const Shape& s = shapes[i];
    if (!s.Visible) continue;
    if (!IsRound(s)) {
      shown_[static_cast<std::size_t>(i)].box = BoxOf(s);
      continue;
    }
    const float radius = s.Width / 2, cx = s.Left + radius, cy = s.Top + radius;
    const float reach = radius + Reach, opaque = radius - OpaqueInset;
    const int top = Down(cy - reach), bottom = Up(cy + reach);
    const int first = std::max(top, 0), last = std::min(bottom, PlayfieldHeight);
    Spans(cx, cy, reach, first, last, reachFrom_, reachTo_);
    Spans(cx, cy, opaque, first, last, opaqueFrom_, opaqueTo_);
    // Row by row: what this shape shows where later ones left room, then its own fill covers.
    Box shown, touched;
    for (int y = first; y < last; ++y) {
      const auto row = static_cast<std::size_t>(y);
      const int x0 = std::max(reachFrom_[row], 0), x1 = std::min(reachTo_[row], PlayfieldWidth - 1);
      if (x0 > x1) continue;
      Grow(touched, x0, x1, y);
      ShowUncovered(y, x0, x1, shown);
      const int c0 = std::max(opaqueFrom_[row], 0),
                c1 = std::min(opaqueTo_[row], PlayfieldWidth - 1);
      if (c0 <= c1 && radius > OpaqueInset) Cover(y, c0, c1);
    }
    if (shown.Empty()) continue;  // hidden: it covers nothing that was not covered already
    const auto area = [](Box b) {
      return static_cast<float>(b.right - b.left) * (b.bottom - b.top);
    };
    const bool clip = area(shown) < ClipBelow * area(touched);
    // Past the playfield nothing is known to cover it.
    const Box whole{Down(cx - reach), top, Up(cx + reach), bottom};
    if (shown.left == 0) shown.left = std::min(whole.left, 0);
    if (shown.top == 0) shown.top = std::min(whole.top, 0);
    if (shown.right == PlayfieldWidth) shown.right = std::max(whole.right, PlayfieldWidth);
    if (shown.bottom == PlayfieldHeight) shown.bottom = std::max(whole.bottom, PlayfieldHeight);
    shown_[static_cast<std::size_t>(i)] = {shown, clip};
  }
}

}  // namespace flakmire
