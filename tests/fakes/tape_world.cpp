#include "fakes/tape_world.h"

#include <bit>
#include <string>

#include "game/startup.h"

namespace flakmire::testing {

namespace {

struct Fnv {
  std::uint64_t h = 14695981039346656037ull;
  void Byte(std::uint8_t b) { h = (h ^ b) * 1099511628211ull; }
  void Word(std::uint32_t w) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(w >> (8 * i)));
  }
  void operator()(float v) { Word(std::bit_cast<std::uint32_t>(v)); }
  void operator()(bool v) { Byte(v); }
  void operator()(const std::string& v) {
    for (const char c : v) Byte(static_cast<std::uint8_t>(c));
    Byte(0);
  }
  void operator()(Rgb c) { Byte(c.r), Byte(c.g), Byte(c.b); }
  void operator()(const Sprite& s) {
    (*this)(s.Left), (*this)(s.Top), (*this)(s.Width), (*this)(s.Height), (*this)(s.Visible);
    Byte(static_cast<std::uint8_t>(s.Picture));
  }
  void operator()(const Shape& s) {
    Byte(static_cast<std::uint8_t>(s.Kind)), (*this)(s.Left), (*this)(s.Top), (*this)(s.Width);
    (*this)(s.Height), (*this)(s.Visible), (*this)(s.FillColor), (*this)(s.BorderColor),
        (*this)(s.Tag);
  }
  void operator()(const Line& l) {
    (*this)(l.X1), (*this)(l.Y1), (*this)(l.X2), (*this)(l.Y2), Word(l.BorderWidth);
    (*this)(l.BorderColor), (*this)(l.Visible), (*this)(l.Tag);
  }
  void operator()(const Label& l) {
    (*this)(l.Left), (*this)(l.Top), (*this)(l.Width), (*this)(l.Caption), (*this)(l.Visible);
  }
  template <class Control>
  void operator()(const ControlArray<Control>& a) {
    for (const Control& c : a) (*this)(c);
    Byte(0xA5);
  }
  template <class Control, std::size_t N>
  void operator()(const std::array<Control, N>& a) {
    for (const Control& c : a) (*this)(c);
  }
};

}  // namespace

std::uint64_t SceneHash(const Scene& s) {
  Fnv f;
  f(s.Shape2), f(s.Shape1), f(s.shpTurret), f(s.lnGun), f(s.Wire), f(s.lnFlagPole), f(s.shpFlag);
  f(s.Label1), f(s.Label2), f(s.lblPaused), f(s.imgCopter), f(s.imgJet), f(s.imgTrooper);
  f(s.imgPara), f(s.imgBullet), f(s.imgCopter2), f(s.imgJet2), f(s.imgTrooper2), f(s.imgLetter);
  return f.h;
}

TapeWorld::TapeWorld(bool recording, std::uint64_t seed) {
  // Its own numbers, which a tape kept for good depends on: 10:00 on a day in December 2025.
  now = 36000, tick = 1.0f / 64, dateTime = 46000;
  Seed(seed);
  if (recording) {
    recorder.emplace(ports(), *seeded);
    recorder->OnTape([this](KeptTape tape) { tapes.push_back(std::move(tape)); });
    game = std::make_unique<Game>(recorder->GamePorts());
    recorder->Attach(*game);
  } else {
    game = std::make_unique<Game>(ports());
  }
}

void TapeWorld::Present() {
  FakePorts::Present();
  hashes.push_back(SceneHash(game->scene));
}

void TapeWorld::ShowCheatPanel() {
  FakePorts::ShowCheatPanel();
  CheatPanel panel(game->cheats, boxes, Log());
  panel.Form_Load();
  if (inPanel) inPanel(panel);
}

void TapeWorld::ShowModal() {
  FakePorts::ShowModal();
  if (!playNext) return;
  playNext = false;
  plays.push_back(hashes.size());
  ResetGame(*game);
}

}  // namespace flakmire::testing
