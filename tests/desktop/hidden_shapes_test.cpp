// Round shapes that later ones hide: the painter leaves them out, or clips them to where they
// still show, and every bench load looks as the plain painter paints it, which paints each one
// whole: at most a level apart on a channel, and only where colours meet.

#include "desktop/hidden_shapes.h"

#include <gtest/gtest.h>

#include <QtGui>

#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "loads.h"

namespace flakmire {
namespace {

QImage Painted(ScenePainter& painter, const Scene& scene) {
  QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
  QPainter p(&image);
  painter.Paint(p, scene);
  return image;
}

// The largest difference of a channel, and how many pixels differ inside a patch of one colour.
std::pair<int, int> Apart(const QImage& image, const QImage& reference) {
  int most = 0, inside = 0;
  for (int y = 0; y < reference.height(); ++y) {
    for (int x = 0; x < reference.width(); ++x) {
      const QRgb a = image.pixel(x, y), b = reference.pixel(x, y);
      if (a == b) continue;
      most = std::max({most, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                       std::abs(qBlue(a) - qBlue(b))});
      bool edge = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          edge |= reference.valid(x + dx, y + dy) && reference.pixel(x + dx, y + dy) != b;
      inside += !edge;
    }
  }
  return {most, inside};
}

TEST(HiddenShapes, EveryBenchLoadLooksAsThePlainPainterPaintsIt) {
  Pictures pictures;
  ScenePainter painter(pictures), plain(pictures, true);
  const std::pair<const char*, bench::Load& (*)()> loads[] = {
      {"typical", bench::TypicalLoad},
      {"stress", bench::StressLoad},
      {"crowded", bench::CrowdedLoad},
      {"dearest", bench::DearestLoad},
      {"big explosions", bench::BigExplosionsLoad}};
  for (const auto& [name, load] : loads) {
    const Scene& scene = load().ToPaint();
    const auto [most, inside] = Apart(Painted(painter, scene), Painted(plain, scene));
    EXPECT_LE(most, 1) << name;
    EXPECT_EQ(inside, 0) << name << ": pixels inside a patch of one colour differ";
  }
  // What makes the dearest frame cheap: most of its explosions lie under later ones.
  HiddenShapes hidden;
  const ControlArray<Shape>& dearest = bench::DearestLoad().ToPaint().imgBullet;
  hidden.Find(dearest);
  int left = 0;
  for (int i = 1; i <= dearest.UpperBound(); ++i) left += hidden.Shown(i).Empty();
  EXPECT_GT(left, 200) << "of " << bench::Shown(bench::DearestLoad().scene) << " things";
}

// A round shape of that size centred there, or a square with `round` false.
Shape Disc(float x, float y, float size, bool round = true) {
  Shape s;
  s.Kind = round ? ShapeKind::Circle : ShapeKind::Rectangle;
  s.Visible = true;
  s.Move(x - size / 2, y - size / 2, size, size);
  return s;
}

TEST(HiddenShapes, AShapeIsLeftOutWhereLaterFillsCoverAllItCanTouchAndClippedWhereItPeeksOut) {
  // The shapes, back to front; what becomes of each: - left out, o whole, c clipped.
  const std::tuple<const char*, std::vector<Shape>, std::string> rows[] = {
      {"a drop under a later fireball", {Disc(300, 300, 9), Disc(302, 300, 60)}, "-o"},
      {"a drop over an earlier fireball", {Disc(302, 300, 60), Disc(300, 300, 9)}, "oo"},
      {"a drop on the fireball's rim", {Disc(300, 300, 9), Disc(325, 300, 60)}, "co"},
      {"two later fireballs cover it between them",
       {Disc(300, 300, 40), Disc(285, 300, 60), Disc(315, 300, 60)},
       "-oo"},
      {"one of them does not", {Disc(300, 300, 40), Disc(285, 300, 60)}, "co"},
      {"a later square hides nothing", {Disc(300, 300, 9), Disc(300, 300, 60, false)}, "oo"},
      {"nor is a square left out", {Disc(300, 300, 9, false), Disc(300, 300, 60)}, "oo"},
  };
  HiddenShapes hidden;
  for (const auto& [name, shapes, expected] : rows) {
    ControlArray<Shape> array{Shape{}};
    for (const Shape& s : shapes) array.LoadNext(), array[array.UpperBound()] = s;
    hidden.Find(array);
    std::string got;
    for (int i = 1; i <= array.UpperBound(); ++i) {
      got += hidden.Shown(i).Empty() ? '-' : hidden.WorthClipping(i) ? 'c' : 'o';
    }
    EXPECT_EQ(got, expected) << name;
  }
  // The clipped one shows right of the later fireball only, as far as its own edge reaches.
  ControlArray<Shape> array{Shape{}};
  for (const Shape& s : {Disc(300, 300, 40), Disc(285, 300, 60)}) {
    array.LoadNext(), array[array.UpperBound()] = s;
  }
  hidden.Find(array);
  EXPECT_EQ(hidden.Shown(1), (Box{305, 279, 321, 321})) << "the right crescent";
  // Past the playfield nothing covers it: its box reaches as far as the shape.
  array[2].Move(-30, 270, 60, 60);
  hidden.Find(array);
  EXPECT_EQ(hidden.Shown(2).left, -32) << "the fireball at the left edge";
}

}  // namespace
}  // namespace flakmire
