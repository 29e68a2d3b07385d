// The cheat panel on Qt's offscreen platform: its layout and captions, and its boxes over the
// switches.

#include "desktop/frm_cheat.h"

#include <gtest/gtest.h>

#include <QtWidgets>

namespace flakmire {
namespace {

// Opened with Rapid Fire on from an earlier opening in the run. Seen: the window, as large as it
// may grow; its label and
// boxes, each with its caption, place, size, font and look, "x" when ticked; then the switches as
// it opens, after a click that ticks Big Explosions and after one that clears it again.
TEST(frmCheat, ShowsTheSwitchesOnItsBoxesWhoseClicksSwitchAtOnceAndMarksTheRunAsItOpens) {
  Cheats cheats;
  cheats.Set(Cheat::RapidFire, true);
  frmCheat panel(cheats);
  panel.show();
  QStringList looks = {QString::asprintf("%s %dx%d", qPrintable(panel.windowTitle()),
                                         panel.maximumWidth(), panel.maximumHeight())};
  for (const QWidget* w : panel.findChildren<QWidget*>()) {
    const QRect r = w->geometry();
    looks << QString::asprintf(
        "%s %d,%d %dx%d %g%s%s%s", qPrintable(w->property("text").toString()), r.x(), r.y(),
        r.width(), r.height(), w->font().pointSizeF(),
        w->property("alignment").toInt() == Qt::AlignCenter ? " centred" : "",
        w->property("wordWrap").toBool() ? " wrapped" : "",
        w->isVisible() ? (w->property("checked").toBool() ? " x" : "") : " hidden");
  }
  for (int clicks = 0; clicks < 3; ++clicks) {
    if (clicks > 0) panel.findChild<QCheckBox*>("chkCheats3")->click();
    looks << "";
    for (int i = 0; i < CheatCount; ++i) looks.back() += cheats[static_cast<Cheat>(i)] ? '1' : '0';
  }
  EXPECT_EQ(looks.join(", ").toStdString(),
            "Cheats 262x348, Cheaters Don't Win 8,8 241x89 30 centred wrapped,  "
            "32,40 178x24 13.5 hidden, Jumping Castle 48,120 178x24 13.5, No Parachutes 48,152 "
            "178x24 13.5, Big Explosions 48,184 178x24 13.5, One Hit Wonders 48,216 178x24 13.5, "
            "Invincibility 48,248 178x24 13.5, FREE 48,280 178x24 13.5, Rapid Fire 48,312 178x24 "
            "13.5 x, 10000001, 10010001, 10000001");
}

}  // namespace
}  // namespace flakmire
