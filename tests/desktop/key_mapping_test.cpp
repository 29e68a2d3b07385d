#include "desktop/key_mapping.h"

#include <gtest/gtest.h>

#include <Qt>

#include "game/key_codes.h"

namespace flakmire {
namespace {

TEST(KeyMapping, GameKeysHaveTheirCodes) {
  struct Row {
    int qt;
    int game;
  };
  for (const Row& row :
       {Row{Qt::Key_Left, key_code::Left}, Row{Qt::Key_Right, key_code::Right},
        Row{Qt::Key_B, key_code::B}, Row{Qt::Key_V, key_code::V}, Row{Qt::Key_C, key_code::C},
        Row{Qt::Key_X, key_code::X}, Row{Qt::Key_S, 'S'}, Row{Qt::Key_7, '7'},
        Row{Qt::Key_Space, 32}, Row{Qt::Key_F5, 116}, Row{Qt::Key_unknown, 0}}) {
    EXPECT_EQ(GameKeyCode(row.qt, 0), row.game) << row.qt;
  }
}

TEST(KeyMapping, TildeIsTheKeyLeftOfOneWhateverItCarries) {
  // On a German layout that key gives "^"; on a French one "²".
  EXPECT_EQ(GameKeyCode(Qt::Key_AsciiCircum, 49), key_code::Tilde);
  EXPECT_EQ(GameKeyCode(Qt::Key_twosuperior, 49), key_code::Tilde);
  EXPECT_EQ(GameKeyCode(Qt::Key_QuoteLeft, 49), key_code::Tilde);
  // A backtick typed elsewhere is not that key.
  EXPECT_NE(GameKeyCode(Qt::Key_QuoteLeft, 21), key_code::Tilde);
  // Without scan codes, the character is all there is to go by.
  EXPECT_EQ(GameKeyCode(Qt::Key_AsciiTilde, 0), key_code::Tilde);
}

}  // namespace
}  // namespace flakmire
