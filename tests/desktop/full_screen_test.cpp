// Where the playfield lies in a window of any size: the largest whole scale that fits, at least
// 1, centred; and which pixels of the window repaint which of the playfield.

#include "desktop/full_screen.h"

#include <gtest/gtest.h>

#include <QtWidgets>

#include "desktop/form1.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/startup.h"

namespace flakmire::testing {
namespace {

constexpr QSize Playfield(794, 534);

// Each size against the playfield's place in it; at scale 2 on 1920 x 1200 a playfield pixel is a
// 2 x 2 block from (166, 66), and a window pixel shows the one under it, left of the playfield too.
TEST(PlayfieldPlace, TakesTheLargestWholeScaleThatFitsCentred) {
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

// The real window, full screen at scale 2 on the tests' 1920 x 1200 screen: the playfield centred
// on black, and a turned barrel repainted where it stood, in the window's own pixels. Leaving full
// screen gives back the fixed window.
TEST(PlayfieldPlace, TheWindowRepaintsWhatChangesAtItsScale) {
  FakePorts fake;
  Form1 form;
  Game g{Ports{fake, fake, form.Keys(), form, fake, fake, fake, fake, "."}};
  form.Attach(g);
  ResetGame(g);
  form.show();
  form.ToggleFullScreen();
  QCoreApplication::processEvents();
  form.Present();
  std::string seen;  // the middle, a corner, left of the playfield, the barrel's middle
  for (int turned = 0; turned < 2; ++turned) {
    if (turned) g.scene.lnGun[0].X2 = g.scene.lnGun[1].X2 = 376, form.Present();
    const QImage shown = form.screen()->grabWindow(form.winId()).toImage();
    for (const QPoint at : {QPoint(960, 600), QPoint(0, 0), QPoint(165, 300), QPoint(978, 908)}) {
      seen += QColor(shown.pixel(at)).name().toStdString() + " ";
    }
  }
  EXPECT_EQ(seen, "#7d9ef4 #000000 #000000 #80c0c0 #7d9ef4 #000000 #000000 #7d9ef4 ");
  form.ToggleFullScreen();
  EXPECT_EQ(form.size(), QSize(794, 534));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

}  // namespace
}  // namespace flakmire::testing
