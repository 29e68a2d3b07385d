#include "desktop/dirty_region.h"

#include <algorithm>
#include <cmath>

#include "game/layout.h"

namespace flakmire {

namespace {

// Antialiased edges spill up to a pixel past the geometry; one more for rounding.
constexpr int Spill = 2;
constexpr int LabelHeight = 40;  // the painter's text box
constexpr int BannerHeight = 80;  // and its box for the pause's word

int Down(float v) { return static_cast<int>(std::floor(v)); }
int Up(float v) { return static_cast<int>(std::ceil(v)); }

Box Spread(Box b, int by) { return {b.left - by, b.top - by, b.right + by, b.bottom + by}; }

Box Clip(Box b) {
  b = {std::max(b.left, 0), std::max(b.top, 0), std::min(b.right, PlayfieldWidth),
       std::min(b.bottom, PlayfieldHeight)};
  return b.Empty() ? Box{} : b;
}

Box Union(Box a, Box b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Overlap(Box a, Box b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::uint64_t Colour(Rgb c) { return std::uint64_t{c.r} << 16 | std::uint64_t{c.g} << 8 | c.b; }

// FNV-1a: two captions that differ read as different looks.
std::uint64_t Hash(const std::string& text) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ULL;
  return h;
}

}  // namespace

Box BoxOf(const Shape& s) {
  if (!s.Visible || s.Width < 1 || s.Height < 1) return {};
  return Clip(
      Spread({Down(s.Left), Down(s.Top), Up(s.Left + s.Width), Up(s.Top + s.Height)}, Spill));
}

Box BoxOf(const Line& l) {
  if (!l.Visible) return {};
  const int reach = Up(l.BorderWidth / 2.0f) + Spill;  // the round caps reach past the ends
  return Clip(Spread({Down(std::min(l.X1, l.X2)), Down(std::min(l.Y1, l.Y2)),
                      Up(std::max(l.X1, l.X2)) + 1, Up(std::max(l.Y1, l.Y2)) + 1},
                     reach));
}

DirtyRegion::DirtyRegion(const std::array<PictureSize, PictureCount>& pictures, int labelCharWidth)
    : pictures_(pictures), labelCharWidth_(labelCharWidth) {}

DirtyRegion::Item DirtyRegion::Of(const Sprite& s, bool stretched) const {
  if (!s.Visible || s.Picture == PictureId::None) return {};
  const PictureSize size = pictures_[static_cast<std::size_t>(s.Picture)];
  const float left = std::round(s.Left), top = std::round(s.Top);
  const float width = stretched ? std::round(s.Width) : static_cast<float>(size.width);
  const float height = stretched ? std::round(s.Height) : static_cast<float>(size.height);
  const Box box{Down(left), Down(top), Up(left + width), Up(top + height)};
  return {Clip(Spread(box, stretched ? Spill : 0)), static_cast<std::uint64_t>(s.Picture) + 1};
}

DirtyRegion::Item DirtyRegion::Of(const Label& l) const {
  if (!l.Visible || l.Caption.empty()) return {};
  const int half = static_cast<int>(l.Caption.size()) * labelCharWidth_ / 2 + Spill;
  const int middle = Down(l.Left + l.Width / 2);
  return {Clip({middle - half, Down(l.Top), middle + half + 1, Up(l.Top) + LabelHeight}),
          Hash(l.Caption)};
}

void DirtyRegion::Collect(const Scene& s, Items& items) const {
  for (auto& group : items) group.clear();
  const auto shape = [](const Shape& one) -> Item {
    const Box box = BoxOf(one);
    if (box.Empty()) return {};
    return {box, std::uint64_t{1} << 60 | std::uint64_t(one.Kind) << 48 |
                     Colour(one.FillColor) << 24 | Colour(one.BorderColor)};
  };
  const auto line = [](const Line& one) -> Item {
    const Box box = BoxOf(one);
    if (box.Empty()) return {};
    return {box, std::uint64_t{2} << 60 | std::uint64_t(one.BorderWidth) << 24 |
                     Colour(one.BorderColor)};
  };
  auto& still = items[0];
  for (const Shape* one : {&s.Shape2, &s.Shape1, &s.shpTurret}) still.push_back(shape(*one));
  for (const Line& one : s.lnGun) still.push_back(line(one));
  for (const Sprite& one : s.Wire) still.push_back(Of(one));
  for (const Line& one : s.lnFlagPole) still.push_back(line(one));
  for (const Shape& one : s.shpFlag) still.push_back(shape(one));
  still.push_back(Of(s.Label1));
  still.push_back(Of(s.Label2));
  for (const Sprite& one : s.imgLetter) still.push_back(Of(one, true));
  if (const Label& word = s.lblPaused; word.Visible) {  // the pause's word spans its whole box
    still.push_back({Clip({Down(word.Left), Down(word.Top), Up(word.Left + word.Width),
                           Up(word.Top) + BannerHeight}),
                     Hash(word.Caption)});
  }

  const auto copies = [](const auto& array, std::vector<Item>& group, auto of) {
    for (int i = 1; i <= array.UpperBound(); ++i) group.push_back(of(array[i]));
  };
  const auto sprite = [this](const Sprite& one) { return Of(one); };
  copies(s.imgCopter, items[1], sprite);
  copies(s.imgJet, items[2], sprite);
  copies(s.imgTrooper, items[3], sprite);
  copies(s.imgPara, items[4], sprite);
  copies(s.imgBullet, items[5], shape);
}

void DirtyRegion::Add(Box box) {
  if (!box.Empty()) boxes_.push_back(box);
}

// Many boxes: each marks the tiles it touches, and every row of tiles gives one box per run of
// marked tiles. The region grows a little and stays cheap to hand to the display server.
void DirtyRegion::Coarsen() {
  for (auto& row : tiles_) row.fill(false);
  for (const Box& b : boxes_) {
    for (int y = b.top / Tile; y <= (b.bottom - 1) / Tile; ++y) {
      for (int x = b.left / Tile; x <= (b.right - 1) / Tile; ++x) tiles_[y][x] = true;
    }
  }
  boxes_.clear();
  for (int y = 0; y < TileRows; ++y) {
    for (int x = 0; x < TileColumns;) {
      if (!tiles_[y][x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < TileColumns && tiles_[y][x]) ++x;
      boxes_.push_back(Clip({start * Tile, y * Tile, x * Tile, (y + 1) * Tile}));
    }
  }
}

void DirtyRegion::Update(const Scene& scene) {
  Collect(scene, now_);
  boxes_.clear();
  whole_ = !known_;
  known_ = true;
  // Room for the old and the new box of everything: it only grows with the tables.
  std::size_t things = 0;
  for (int g = 0; g < Groups; ++g) {
    things += std::max(last_[static_cast<std::size_t>(g)].size(),
                       now_[static_cast<std::size_t>(g)].size());
  }
  boxes_.reserve(2 * things);
  for (int g = 0; g < Groups; ++g) {
    const std::vector<Item>& before = last_[static_cast<std::size_t>(g)];
    const std::vector<Item>& after = now_[static_cast<std::size_t>(g)];
    for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
      const Item old = i < before.size() ? before[i] : Item{};
      const Item now = i < after.size() ? after[i] : Item{};
      if (old == now) continue;
      // A thing that moved a little repaints as one box over both places.
      if (!old.box.Empty() && !now.box.Empty() && Overlap(old.box, now.box)) {
        Add(Union(old.box, now.box));
      } else {
        Add(old.box);
        Add(now.box);
      }
    }
  }
  std::swap(last_, now_);
  if (static_cast<int>(boxes_.size()) > MaxBoxes) Coarsen();
  if (static_cast<int>(boxes_.size()) > MaxBoxes) whole_ = true;
  if (whole_) boxes_.clear();
}

}  // namespace flakmire
