// The painting: pictures load at their sizes, and after any change to the scene the last frame
// repainted only in the changed boxes equals the new frame painted whole, and a small change asks
// for a small region. That each thing is painted, and inside its box, the changes show too; the
// real window's colours are checked by tests/e2e/playfield.sh.

#include "desktop/dirty_region.h"

#include <gtest/gtest.h>

#include <QtGui>

#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "game/layout.h"

namespace flakmire {
namespace {

struct DirtyRegionTest : ::testing::Test {
  Pictures pictures;
  ScenePainter painter{pictures};
  DirtyRegion changes{pictures.Sizes(), QFontMetrics(painter.LabelFont()).maxWidth()};
  QImage Paint(const Scene& scene) {
    QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
    QPainter p(&image);
    painter.Paint(p, scene);
    return image;
  }
};

TEST_F(DirtyRegionTest, EveryPictureLoadsAtItsSizeWithTransparency) {
  const std::tuple<PictureId, int, int> sizes[] = {
      {PictureId::Copter, 65, 41},    {PictureId::CopterFacingLeft, 65, 41},
      {PictureId::Jet, 81, 33},       {PictureId::JetFacingLeft, 81, 33},
      {PictureId::Trooper, 17, 25},   {PictureId::TrooperArmsRaised, 17, 25},
      {PictureId::Parachute, 33, 33}, {PictureId::Wire, 65, 17}};
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

TEST_F(DirtyRegionTest, RepaintingTheBoxesGivesTheNewFrame) {
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

TEST_F(DirtyRegionTest, RepaintsWholeAtFirstAfterForgettingAndPastTheLimitsNothingWhenStill) {
  Scene scene = Busy();
  changes.Update(scene);
  EXPECT_TRUE(changes.Whole()) << "the first frame";
  changes.Update(scene);
  EXPECT_FALSE(changes.Whole());
  EXPECT_TRUE(changes.Boxes().empty()) << "nothing changed";
  changes.Forget();
  changes.Update(scene);
  EXPECT_TRUE(changes.Whole()) << "after Forget";
  // 78 shells, 13 by 6: too many boxes, so they coarsen into runs of 32 px tiles, one a row;
  // spread out to every other tile they make too many runs for anything but the whole window.
  const auto spread = [&scene](float spacing) {
    for (int i = 0; i < 78; ++i) {
      if (scene.imgBullet.UpperBound() < 3 + i) Show(scene.imgBullet, 0, 0);
      scene.imgBullet[3 + i].Move(8 + spacing * (i % 13), 8 + spacing * (i / 13), 5, 5);
    }
  };
  spread(20);
  changes.Update(scene);
  ASSERT_FALSE(changes.Whole()) << "78 shells in a corner";
  EXPECT_EQ(
      changes.Boxes(),
      (std::vector<Box>{{0, 0, 256, 32}, {0, 32, 256, 64}, {0, 64, 256, 96}, {0, 96, 256, 128}}));
  spread(64);
  changes.Update(scene);
  EXPECT_TRUE(changes.Whole()) << "78 shells on every other tile";
  scene.imgBullet[3].Move(9, 8, 5, 5);
  changes.Update(scene);
  EXPECT_EQ(changes.Boxes().size(), 1u) << "one shell moved";
}

}  // namespace
}  // namespace flakmire
