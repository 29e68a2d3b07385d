// The painting: pictures load at their sizes; after any change to the scene the last frame
// repainted only in the changed boxes equals the new frame painted whole, and a small change asks
// for a small region; round shapes that later ones hide are left out, or clipped to where they
// still show, and every bench load looks as the plain painter paints it; the playfield's place in
// a window of any size. The real window's colours are checked by tests/e2e/playfield.sh.

#include <gtest/gtest.h>

#include <QtGui>

#include "desktop/dirty_region.h"
#include "desktop/full_screen.h"
#include "desktop/hidden_shapes.h"
#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "game/layout.h"
#include "loads.h"

namespace flakmire {
namespace {

struct Painting : ::testing::Test {
  Pictures pictures;
  ScenePainter painter{pictures}, plain{pictures, true};  // plain paints every shape whole
  DirtyRegion changes{pictures.Sizes(), QFontMetrics(painter.LabelFont()).maxWidth()};
  // Painted whole with no clip of the painter's own, as the window paints (its clip is the
  // system's), so that a round shape that peeks out is clipped as there.
  QImage Paint(const Scene& scene, ScenePainter* by = nullptr) {
    QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
    QPainter p(&image);
    (by ? *by : painter).Paint(p, scene);
    return image;
  }
};

TEST_F(Painting, EveryPictureLoadsAtItsSizeWithTransparency) {
  using enum PictureId;
  // clang-format off
  const std::tuple<PictureId, int, int> sizes[] = {
      {Copter, 65, 41}, {CopterFacingLeft, 65, 41}, {Jet, 81, 33}, {JetFacingLeft, 81, 33},
      {Trooper, 17, 25}, {TrooperArmsRaised, 17, 25}, {Parachute, 33, 33}, {Wire, 65, 17}};
  // clang-format on
  for (const auto& [picture, width, height] : sizes) {
    const QImage image = pictures[picture].toImage();
    EXPECT_EQ(image.size(), QSize(width, height)) << static_cast<int>(picture);
    int clear = 0;  // around the object, whatever lies behind shows through
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) clear += qAlpha(image.pixel(x, y)) == 0;
    EXPECT_GT(clear, width * height / 10) << static_cast<int>(picture);
  }
  EXPECT_FALSE(Pictures::WindowIcon().pixmap(48, 48).isNull());
}

// Loads one more of the array's things and shows it there.
void Show(auto& array, float x, float y) {
  array.LoadNext();
  array[array.UpperBound()].Visible = true;
  array[array.UpperBound()].Left = x, array[array.UpperBound()].Top = y;
}

// One of each moving thing on show, the title's first letter too.
Scene Busy() {
  Scene s = MakePlayfield();
  Show(s.imgCopter, 100, 50), Show(s.imgJet, 400, 20), Show(s.imgTrooper, 300, 200);
  Show(s.imgPara, 292, 170), Show(s.imgBullet, 500, 300), Show(s.imgBullet, 600, 250);
  s.imgBullet[1].Width = s.imgBullet[1].Height = 9, s.imgBullet[1].FillColor = {200, 0, 0};
  s.imgBullet[2].Kind = ShapeKind::Circle, s.imgBullet[2].Width = s.imgBullet[2].Height = 60;
  s.imgBullet[2].FillColor = {255, 240, 0};
  s.imgLetter[0].Visible = true;
  s.Label1.Caption = "1000", s.Label2.Caption = '0';
  return s;
}

TEST_F(Painting, RepaintingTheChangedBoxesGivesTheNewFrame) {
  using S = Scene&;
  const std::pair<const char*, void (*)(Scene&)> rows[] = {
      {"copter turns", [](S s) { s.imgCopter[1].Picture = PictureId::CopterFacingLeft; }},
      {"copter leaves", [](S s) { s.imgCopter.UnloadTop(); }},
      {"jet moves far", [](S s) { s.imgJet[1].Move(600, 20); }},
      {"trooper falls", [](S s) { s.imgTrooper[1].Move(300, 202.6f); }},
      {"canopy drifts", [](S s) { s.imgPara[1].Move(290.5f, 170); }},
      {"gun gone", [](S s) { s.lnGun[0].Visible = s.lnGun[1].Visible = false; }},
      {"third flag shows", [](S s) { s.shpFlag[0].Visible = s.lnFlagPole[0].Visible = true; }},
      {"points drop", [](S s) { s.Label1.Caption = "999"; }},
      {"score changes", [](S s) { s.Label2.Caption = '7'; }},
      {"game pauses", [](S s) { s.lblPaused.Visible = true; }},
      {"burst shows", [](S s) { s.imgLetter[11].Visible = true; }},
      {"bunker recolours", [](S s) { s.Shape1.FillColor.r = 255; }},
  };
  for (const auto& [name, change] : rows) {
    Scene scene = Busy();
    changes.Update(scene);
    const QImage before = Paint(scene);
    change(scene);
    changes.Update(scene);
    const QImage after = Paint(scene);
    ASSERT_FALSE(changes.Whole()) << name;
    // What the window shows: the last frame, repainted where the boxes say.
    QRegion region;
    long area = 0, changed = 0;
    for (const Box& b : changes.Boxes()) {
      region += QRect(b.left, b.top, b.right - b.left, b.bottom - b.top);
      area += long{b.right - b.left} * (b.bottom - b.top);
    }
    QImage shown = before;
    QPainter p(&shown);
    p.setClipRegion(region);
    painter.Paint(p, scene, region);
    p.end();
    for (int y = 0; y < PlayfieldHeight; ++y)
      for (int x = 0; x < PlayfieldWidth; ++x) changed += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_GT(changed, 0) << name;
    EXPECT_TRUE(shown == after) << name << ": pixels left behind";
    EXPECT_LT(area, 10 * changed + 8000) << name << ": repaints far more than changed";
  }
}

TEST_F(Painting, RepaintsWholeAtFirstAfterForgettingAndPastTheLimitsNothingWhenStill) {
  Scene scene = Busy();
  std::string seen;  // what each frame repaints: the whole window, or so many boxes
  const auto next = [&] {
    changes.Update(scene);
    seen += changes.Whole() ? "whole " : std::to_string(changes.Boxes().size()) + " ";
  };
  // The first frame, one with nothing changed, one after Forget.
  next(), next(), changes.Forget(), next();
  // 78 shells, 13 by 6: too many boxes, so they coarsen into runs of 32 px tiles, one a row;
  // spread out to every other tile they make too many runs for anything but the whole window.
  const auto spread = [&scene](float spacing) {
    for (int i = 0; i < 78; ++i) {
      if (scene.imgBullet.UpperBound() < 3 + i) Show(scene.imgBullet, 0, 0);
      scene.imgBullet[3 + i].Move(8 + spacing * (i % 13), 8 + spacing * (i / 13), 5, 5);
    }
  };
  spread(20), next();
  EXPECT_EQ(
      changes.Boxes(),
      (std::vector<Box>{{0, 0, 256, 32}, {0, 32, 256, 64}, {0, 64, 256, 96}, {0, 96, 256, 128}}));
  spread(64), next();
  scene.imgBullet[3].Move(9, 8, 5, 5), next();  // one shell moved
  EXPECT_EQ(seen, "whole 0 whole 4 whole 1 ");
}

// The plain painter paints each round shape whole; the window's may differ at most a level on a
// channel, and only where colours meet.
TEST_F(Painting, EveryBenchLoadLooksAsThePlainPainterPaintsIt) {
  for (const auto& [name, load] : bench::Loads) {
    const Scene& scene = load().ToPaint();
    const QImage image = Paint(scene), reference = Paint(scene, &plain);
    int wrong = 0;  // a channel more than a level apart, or any apart inside a patch of one colour
    for (int y = 1; y + 1 < PlayfieldHeight; ++y)
      for (int x = 1; x + 1 < PlayfieldWidth; ++x) {
        const QRgb a = image.pixel(x, y), b = reference.pixel(x, y);
        const bool edge = reference.pixel(x - 1, y) != b || reference.pixel(x + 1, y) != b ||
                          reference.pixel(x, y - 1) != b || reference.pixel(x, y + 1) != b;
        wrong +=
            a != b && (!edge || std::abs(qRed(a) - qRed(b)) > 1 ||
                       std::abs(qGreen(a) - qGreen(b)) > 1 || std::abs(qBlue(a) - qBlue(b)) > 1);
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
    for (int i = 1; i <= array.UpperBound(); ++i)
      got += hidden.Shown(i).Empty() ? '-' : hidden.WorthClipping(i) ? 'c' : 'o';
    EXPECT_EQ(got, expected) << name;
  }
  // Where it peeks out: right of the later fireball, as far as its own edge reaches; and past
  // the playfield, where nothing covers it, as far as the shape.
  hidden.Find(std::get<1>(rows[4]));
  EXPECT_EQ(hidden.Shown(1), (Box{305, 279, 321, 321}));
  hidden.Find(Discs({{0, 300, 60}, {60, 300, 60}}));
  EXPECT_EQ(hidden.Shown(1).left, -32);
}

// Each window size against the playfield's place in it: the largest whole scale that fits, at
// least 1, centred. At scale 2 on 1920 x 1200 a playfield pixel is a 2 x 2 block from (166, 66),
// and a window pixel shows the one under it, left of the playfield too.
TEST(PlayfieldPlace, TakesTheLargestWholeScaleThatFitsCentred) {
  constexpr QSize Playfield(794, 534);
  const std::pair<QSize, QRect> places[] = {
      {{794, 534}, {0, 0, 794, 534}},         {{1920, 1200}, {166, 66, 1588, 1068}},
      {{1588, 1068}, {0, 0, 1588, 1068}},     {{1587, 1068}, {396, 267, 794, 534}},
      {{1588, 1067}, {397, 266, 794, 534}},   {{2382, 1602}, {0, 0, 2382, 1602}},
      {{2381, 1700}, {396, 316, 1588, 1068}}, {{640, 480}, {-77, -27, 794, 534}},
  };
  for (const auto& [window, playfield] : places) {
    const PlayfieldPlace place(window, Playfield);
    EXPECT_EQ(place.Playfield(), playfield) << window.width() << "x" << window.height();
    EXPECT_EQ(place.Scale(), playfield.width() / Playfield.width()) << window.width();
  }
  const PlayfieldPlace place(QSize(1920, 1200), Playfield);
  EXPECT_EQ(place.ToWindow(QRect(10, 20, 5, 6)), QRect(186, 106, 10, 12));
  EXPECT_EQ(place.ToPlayfield(QRect(187, 107, 2, 2)), QRect(10, 20, 2, 2));
  EXPECT_EQ(place.ToPlayfield(QRect(165, 65, 2, 2)), QRect(-1, -1, 2, 2));
}

}  // namespace
}  // namespace flakmire
