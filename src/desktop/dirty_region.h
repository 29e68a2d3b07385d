#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/layout.h"
#include "game/scene.h"

namespace flakmire {

// A rectangle of pixels: from (left, top) up to, not including, (right, bottom).
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Box&, const Box&) = default;
};

struct PictureSize {
  int width = 0, height = 0;
};
constexpr int PictureCount = static_cast<int>(PictureId::FlakBurst) + 1;

// What changed on screen between two frames: every thing the painter draws has a box that holds
// all the pixels it can touch, and a look (picture, colours, caption). A thing that moved or
// changed its look needs its old and its new box repainted; nothing else does. Plain C++, so the
// window only turns the boxes into its update region.
class DirtyRegion {
 public:
  // Past this many boxes the boxes coarsen into runs of tiles; past this many runs a whole
  // repaint is cheaper than the region.
  static constexpr int MaxBoxes = 64;
  static constexpr int Tile = 32;

  // The pictures' sizes as the painter draws them, and the widest character of the labels.
  DirtyRegion(const std::array<PictureSize, PictureCount>& pictures, int labelCharWidth);

  // Compares the scene with the one given last time. Afterwards either Whole() is true or Boxes()
  // holds every box to repaint (none when nothing changed).
  void Update(const Scene& scene);
  bool Whole() const { return whole_; }
  const std::vector<Box>& Boxes() const { return boxes_; }

  // The window's pixels are not the last scene's any more (shown, resized): repaint it whole.
  void Forget() { known_ = false; }

  struct Item {
    Box box;  // empty when hidden
    std::uint64_t look = 0;
    friend bool operator==(const Item&, const Item&) = default;
  };

 private:
  // The static things, then each control array's copies: a thing keeps its index from frame to
  // frame, so this frame's item i compares with the last frame's item i of the same group.
  static constexpr int Groups = 6;
  using Items = std::array<std::vector<Item>, Groups>;

  void Collect(const Scene& s, Items& items) const;
  Item Of(const Sprite& s, bool stretched = false) const;
  Item Of(const Label& l) const;
  void Add(Box box);
  void Coarsen();

  std::array<PictureSize, PictureCount> pictures_;
  int labelCharWidth_;
  Items last_, now_;
  std::vector<Box> boxes_;
  static constexpr int TileColumns = (PlayfieldWidth + Tile - 1) / Tile;
  static constexpr int TileRows = (PlayfieldHeight + Tile - 1) / Tile;
  std::array<std::array<bool, TileColumns>, TileRows> tiles_{};
  bool whole_ = true, known_ = false;
};

// The box of a shape, a line: every pixel their antialiased edges can touch.
Box BoxOf(const Shape& s);
Box BoxOf(const Line& l);

}  // namespace flakmire
