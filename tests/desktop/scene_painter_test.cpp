// The painter: pictures load at their sizes, and the scene comes out where the layout puts it.

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
  for (auto [picture, width, height] : {std::tuple{PictureId::Copter, 65, 41},
                                        {PictureId::CopterFacingLeft, 65, 41},
                                        {PictureId::Jet, 81, 33},
                                        {PictureId::JetFacingLeft, 81, 33},
                                        {PictureId::Trooper, 17, 25},
                                        {PictureId::TrooperArmsRaised, 17, 25},
                                        {PictureId::Parachute, 33, 33},
                                        {PictureId::Wire, 65, 17}}) {
    const QImage image = pictures_[picture].toImage();
    EXPECT_EQ(image.size(), QSize(width, height)) << static_cast<int>(picture);
    int clear = 0;  // around the object, whatever lies behind shows through
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) clear += qAlpha(image.pixel(x, y)) == 0;
    EXPECT_GT(clear, width * height / 10) << static_cast<int>(picture);
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
  scene.imgBullet[1].Move(100, 100, 15, 15);
  scene.imgBullet[1].FillColor = Rgb{255, 0, 255};
  scene.imgCopter.LoadNext();
  scene.imgCopter[1].Move(300, 50);
  scene.imgBullet[1].Visible = scene.imgCopter[1].Visible = true;
  const QImage image = Paint(scene);
  EXPECT_EQ(image.pixel(107, 107), qRgb(255, 0, 255));
  EXPECT_NE(image.pixel(332, 70), Rgb32(SkyColor)) << "the helicopter's body";
  scene.imgCopter[1].Visible = false;
  EXPECT_EQ(Paint(scene).pixel(332, 70), Rgb32(SkyColor));
}

}  // namespace
}  // namespace flakmire
