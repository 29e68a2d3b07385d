// The painter on the offscreen platform: the pictures load at their sizes, and the playfield
// comes out in its colours where the layout puts them.

#include "desktop/scene_painter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "desktop/pictures.h"
#include "game/layout.h"
#include "game/scene.h"

namespace flakmire {
namespace {

QRgb Rgb32(Rgb c) { return qRgb(c.r, c.g, c.b); }

class PainterTest : public ::testing::Test {
 protected:
  QImage Paint(const Scene& scene) {
    QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    ScenePainter(pictures_).Paint(painter, scene);
    return image;
  }
  Pictures pictures_;
};

TEST_F(PainterTest, EveryPictureLoadsAtItsSizeWithTransparency) {
  struct Row {
    PictureId picture;
    int width, height;
  };
  for (const Row& row : {Row{PictureId::Copter, 65, 41}, Row{PictureId::CopterFacingLeft, 65, 41},
                         Row{PictureId::Jet, 81, 33}, Row{PictureId::JetFacingLeft, 81, 33},
                         Row{PictureId::Trooper, 17, 25}, Row{PictureId::TrooperArmsRaised, 17, 25},
                         Row{PictureId::Parachute, 33, 33}, Row{PictureId::Wire, 65, 17}}) {
    const QPixmap& pixmap = pictures_[row.picture];
    EXPECT_EQ(pixmap.width(), row.width) << static_cast<int>(row.picture);
    EXPECT_EQ(pixmap.height(), row.height) << static_cast<int>(row.picture);
    // Around the object the sky (or whatever lies behind) shows through.
    const QImage image = pixmap.toImage();
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) clear += qAlpha(image.pixel(x, y)) == 0;
    }
    EXPECT_GT(clear, image.width() * image.height() / 10) << static_cast<int>(row.picture);
  }
  EXPECT_FALSE(Pictures::WindowIcon().pixmap(48, 48).isNull());
}

TEST_F(PainterTest, PlayfieldHasSkyGroundBunkerAndGunWhereTheLayoutPutsThem) {
  const QImage image = Paint(MakePlayfield());
  EXPECT_EQ(image.pixel(400, 200), Rgb32(SkyColor));
  EXPECT_EQ(image.pixel(200, 520), qRgb(0, 192, 0)) << "ground";
  EXPECT_EQ(image.pixel(200, 488), qRgb(0, 128, 0)) << "the ground's top border";
  EXPECT_EQ(image.pixel(370, 480), qRgb(128, 192, 192)) << "bunker";
  EXPECT_EQ(image.pixel(406, 421), qRgb(128, 192, 192)) << "the barrel's core";
  EXPECT_EQ(image.pixel(70, 468), qRgb(192, 0, 0)) << "a flag";
  EXPECT_EQ(image.pixel(484, 470), Rgb32(SkyColor)) << "the third flag stays hidden";
}

TEST_F(PainterTest, SpritesAndProjectilesShowWhereTheSceneSays) {
  Scene scene = MakePlayfield();
  scene.imgBullet.LoadNext();
  Shape& ball = scene.imgBullet[1];
  ball.Move(100, 100, 15, 15);
  ball.FillColor = Rgb{255, 0, 255};
  ball.Visible = true;
  scene.imgCopter.LoadNext();
  scene.imgCopter[1].Move(300, 50);
  scene.imgCopter[1].Visible = true;
  const QImage image = Paint(scene);
  EXPECT_EQ(image.pixel(107, 107), qRgb(255, 0, 255));
  EXPECT_NE(image.pixel(332, 70), Rgb32(SkyColor)) << "the helicopter's body";
  scene.imgCopter[1].Visible = false;
  EXPECT_EQ(Paint(scene).pixel(332, 70), Rgb32(SkyColor));
}

}  // namespace
}  // namespace flakmire
