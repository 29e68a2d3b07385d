#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "desktop/dirty_region.h"
#include "game/layout.h"
#include "game/scene.h"

namespace flakmire {

// Which of the projectiles' round shapes later ones hide, and where the rest can still show.
// The painter's cost for an antialiased round shape lies along its edge, whatever covers it
// afterwards, and in the busiest skies most explosions lie under later ones. A shape is hidden
// when every pixel it can touch lies inside the opaque fill of later shapes, clear of their
// antialiased rims; any other shape can be clipped to the box of its pixels that no later fill
// covers. Either way the picture stays the same, pixel for pixel. Plain C++, like DirtyRegion.
class HiddenShapes {
 public:
  // Pixel centres this far inside a shape's outer edge take nothing from behind it, and none
  // this far past it is touched, at the painter's scales 1 to 3 too. Measured, Qt's pixels take
  // colour from behind up to 1.25 px inside the edge (its border, the pixels' diagonal and the
  // straight segments it draws a circle with) and touch up to 0.92 px past it.
  static constexpr float OpaqueInset = 1.5f;
  static constexpr float Reach = 1.5f;
  // A clip costs little beside a round shape, but not nothing: only a shape that shows in less
  // than this share of its box is clipped.
  static constexpr float ClipBelow = 0.75f;

  HiddenShapes();  // room for the fullest table: nothing allocates in play

  // Looks at every shown member of the array, the front-most first.
  void Find(const ControlArray<Shape>& shapes);
  // Where member i can show: empty when later shapes hide it wholly; otherwise a box that holds
  // every pixel of it that shows (it may reach past the playfield where the shape does).
  Box Shown(int i) const { return shown_[static_cast<std::size_t>(i)].box; }
  // Whether so much of member i is hidden that clipping it to Shown(i) pays.
  bool WorthClipping(int i) const { return shown_[static_cast<std::size_t>(i)].clip; }

 private:
  static constexpr int Words = (PlayfieldWidth + 63) / 64;
  using Row = std::array<std::uint64_t, Words>;

  using Ends = std::array<int, PlayfieldHeight>;
  static void Spans(float cx, float cy, float radius, int top, int bottom, Ends& from, Ends& to);
  // Grows `box` by the pixels of row y from x0 to x1 (both included) that no fill covers yet.
  void ShowUncovered(int y, int x0, int x1, Box& box) const;
  void Cover(int y, int x0, int x1);

  struct Item {
    Box box;
    bool clip = false;
  };
  std::array<Row, PlayfieldHeight> covered_{};
  std::vector<Item> shown_;
  Ends reachFrom_, reachTo_, opaqueFrom_, opaqueTo_;  // one shape's spans, row by row
};

}  // namespace flakmire
