#include "fakes/tape_world.h"

#include <functional>
#include <ranges>
#include <type_traits>
#include <utility>

#include "game/startup.h"

namespace flakmire::testing {

namespace {

// Every field's hash stirred in turn, FNV-1a's way; a list's (or a text's) length after its
// members.
struct Fnv {
  std::uint64_t h = 14695981039346656037ull;
  template <class T>
  requires std::is_arithmetic_v<T> || std::is_enum_v<T>
  void operator()(T v) { h = (h ^ std::hash<T>{}(v)) * 1099511628211ull; }
  void operator()(Rgb c) { (*this)(c.r, c.g, c.b); }
  void operator()(const Sprite& s) {
    (*this)(s.Left, s.Top, s.Width, s.Height, s.Visible, s.Picture);
  }
  void operator()(const Shape& s) {
    (*this)(s.Kind, s.Left, s.Top, s.Width, s.Height, s.Visible, s.FillColor, s.BorderColor, s.Tag);
  }
  void operator()(const Line& l) {
    (*this)(l.X1, l.Y1, l.X2, l.Y2, l.BorderWidth, l.BorderColor, l.Visible, l.Tag);
  }
  void operator()(const Label& l) { (*this)(l.Left, l.Top, l.Width, l.Caption, l.Visible); }
  void operator()(const std::ranges::range auto& list) {
    for (const auto& c : list) (*this)(c);
    (*this)(std::ranges::distance(list));
  }
  template <class... T>
  requires(sizeof...(T) > 1) void operator()(const T&... v) { ((*this)(v), ...); }
};

}  // namespace

std::uint64_t SceneHash(const Scene& s) {
  Fnv f;
  f(s.Shape2, s.Shape1, s.shpTurret, s.lnGun, s.Wire, s.lnFlagPole, s.shpFlag, s.Label1, s.Label2,
    s.lblPaused, s.imgCopter, s.imgJet, s.imgTrooper, s.imgPara, s.imgBullet, s.imgCopter2,
    s.imgJet2, s.imgTrooper2, s.imgLetter);
  return f.h;
}

TapeWorld::TapeWorld(bool recording, std::uint64_t seed) {
  // Its own numbers, which a tape kept for good depends on: 10:00 on a day in December 2025.
  now = 36000, tick = 1.0f / 64, dateTime = 46000;
  Seed(seed);
  if (recording) recorder.emplace(ports(), *seeded);
  game = std::make_unique<Game>(recorder ? recorder->GamePorts() : ports());
  if (!recording) return;
  recorder->OnTape([this](KeptTape tape) { tapes.push_back(std::move(tape)); });
  recorder->Attach(*game);
}

void TapeWorld::ShowModal() {
  FakePorts::ShowModal();
  if (std::exchange(playNext, false)) plays.push_back(hashes.size()), ResetGame(*game);
}

}  // namespace flakmire::testing
