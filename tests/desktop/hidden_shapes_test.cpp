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

TEST(HiddenShapes, EveryBenchLoadLooksAsThePlainPainterPaintsIt) {
  Pictures pictures;
  ScenePainter painter(pictures), plain(pictures, true);
  const auto painted = [](ScenePainter& by, const Scene& scene) {
    QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
    QPainter p(&image);
    by.Paint(p, scene);
    return image;
  };
  for (const auto& [name, load] : bench::Loads) {
    const Scene& scene = load().ToPaint();
    const QImage image = painted(painter, scene), reference = painted(plain, scene);
    int wrong = 0;  // a channel more than a level apart, or any apart inside a patch of one colour
    for (int y = 1; y + 1 < PlayfieldHeight; ++y) {
      for (int x = 1; x + 1 < PlayfieldWidth; ++x) {
        const QRgb a = image.pixel(x, y), b = reference.pixel(x, y);
        const bool edge = reference.pixel(x - 1, y) != b || reference.pixel(x + 1, y) != b ||
                          reference.pixel(x, y - 1) != b || reference.pixel(x, y + 1) != b;
        wrong +=
            a != b && (!edge || std::abs(qRed(a) - qRed(b)) > 1 ||
                       std::abs(qGreen(a) - qGreen(b)) > 1 || std::abs(qBlue(a) - qBlue(b)) > 1);
      }
    }
    EXPECT_EQ(wrong, 0) << name;
  }
}

// Round shapes of that size centred there, back to front; a negative size is a square.
ControlArray<Shape> Discs(std::initializer_list<std::array<float, 3>> discs) {
  ControlArray<Shape> array{Shape{}};
  for (auto [x, y, size] : discs) {
    array.LoadNext();
    Shape& s = array[array.UpperBound()];
    s.Kind = size > 0 ? ShapeKind::Circle : ShapeKind::Rectangle, s.Visible = true;
    s.Move(x - std::fabs(size) / 2, y - std::fabs(size) / 2, std::fabs(size), std::fabs(size));
  }
  return array;
}

TEST(HiddenShapes, AShapeIsLeftOutWhereLaterFillsCoverAllItCanTouchAndClippedWhereItPeeksOut) {
  // What becomes of each shape: - left out, o painted whole, c clipped.
  const std::tuple<const char*, ControlArray<Shape>, std::string> rows[] = {
      {"a drop under a later fireball", Discs({{300, 300, 9}, {302, 300, 60}}), "-o"},
      {"a drop over an earlier fireball", Discs({{302, 300, 60}, {300, 300, 9}}), "oo"},
      {"a drop on the fireball's rim", Discs({{300, 300, 9}, {325, 300, 60}}), "co"},
      {"two later fireballs cover it between them",
       Discs({{300, 300, 40}, {285, 300, 60}, {315, 300, 60}}), "-oo"},
      {"one of them does not", Discs({{300, 300, 40}, {285, 300, 60}}), "co"},
      {"a later square hides nothing", Discs({{300, 300, 9}, {300, 300, -60}}), "oo"},
      {"nor is a square left out", Discs({{300, 300, -9}, {300, 300, 60}}), "oo"},
  };
  HiddenShapes hidden;
  for (const auto& [name, array, expected] : rows) {
    hidden.Find(array);
    std::string got;
    for (int i = 1; i <= array.UpperBound(); ++i) {
      got += hidden.Shown(i).Empty() ? '-' : hidden.WorthClipping(i) ? 'c' : 'o';
    }
    EXPECT_EQ(got, expected) << name;
  }
  // Where it peeks out: right of the later fireball, as far as its own edge reaches; and past
  // the playfield, where nothing covers it, as far as the shape.
  hidden.Find(std::get<1>(rows[4]));
  EXPECT_EQ(hidden.Shown(1), (Box{305, 279, 321, 321}));
  hidden.Find(Discs({{0, 300, 60}, {60, 300, 60}}));
  EXPECT_EQ(hidden.Shown(1).left, -32);
}

}  // namespace
}  // namespace flakmire
