// The one table of controls: the keys reach the game as its rows say, and each shell's key fires
// that shell at the cost the help names.

#include "desktop/controls.h"

#include <gtest/gtest.h>

#include <QtWidgets>

#include "desktop/key_mapping.h"
#include "fakes/fake_ports.h"
#include "game/game.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "game/startup.h"

namespace flakmire::testing {
namespace {

// Every key of every row, with or without a scan code; a key found by its place only by it where
// there are scan codes: the key left of 1 (scan code 49 on X11) whatever it carries ("^", "²").
// The keys outside the table keep their codes.
TEST(Controls, EveryKeyReachesTheGameAsItsRowSays) {
  // clang-format off
  const std::tuple<int, int, int> others[] = {
      {Qt::Key_Space, 0, 32}, {Qt::Key_7, 0, '7'}, {Qt::Key_F5, 0, 116}, {Qt::Key_unknown, 0, 0},
      {Qt::Key_AsciiCircum, 49, key_code::Tilde}, {Qt::Key_QuoteLeft, 21, 0}};
  // clang-format on
  for (const auto& [qt, scan, game] : others) EXPECT_EQ(GameKeyCode(qt, scan), game) << qt << scan;
  for (const Control& c : Controls()) {
    for (const KeyCodes& key : c.keys) {
      if (key.qt == 0) continue;
      EXPECT_EQ(GameKeyCode(key.qt, 0), key.game) << c.keyName;
      EXPECT_EQ(GameKeyCode(key.qt, 20), c.place == 0 ? key.game : 0) << c.keyName;
    }
    if (c.place != 0) {
      EXPECT_EQ(GameKeyCode(Qt::Key_A, c.place), c.keys[0].game) << c.keyName;
    }
  }
}

// Pressed on a loaded gun with points to spare: the kind of the shell fired and what it cost.
TEST(Controls, EachShellKeyFiresItsShellAtItsCost) {
  const std::pair<Action, int> shells[] = {{Action::StandardShell, StandardShell},
                                           {Action::SmallFastShell, SmallFastShell},
                                           {Action::HeavyShell, HeavyShell},
                                           {Action::BigShell, BigShell}};
  for (const auto& [action, kind] : shells) {
    FakePorts fake;
    Game g{fake.ports()};
    ResetGame(g);
    g.GunLength = FullGunLength, g.Points = 1000;
    const Control& c = ControlFor(action);
    Form_KeyDown(g, GameKeyCode(c.keys[0].qt, 0));
    DoGun(g);
    ASSERT_EQ(g.Bullets.UpperBound(), 1) << c.keyName;
    EXPECT_EQ(g.Bullets[1].Kind, kind) << c.keyName;
    EXPECT_EQ(1000 - g.Points, ShotCost(c.keys[0].game)) << c.keyName;
  }
  EXPECT_EQ(ShotCost(key_code::P), 0);
}

}  // namespace
}  // namespace flakmire::testing
