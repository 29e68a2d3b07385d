#include "game/game_loop.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "game/copters.h"
#include "game/game.h"
#include "game/gun.h"
#include "game/jets.h"
#include "game/numbers.h"
#include "game/projectiles.h"
#include "game/startup.h"
#include "game/tags.h"
#include "game/troopers.h"

namespace flakmire {

namespace {

constexpr float LevelClockStep = 0.001f;
constexpr float CopterPhaseEnd = 5.0f;  // new helicopters only before this
constexpr float JetPhaseStart = 5.5f;   // new jets only between these two
constexpr float JetPhaseEnd = 7.5f;
constexpr float LevelEnd = 8.0f;
constexpr int BombWindowWidening = 50;

constexpr double NewFrameThreshold = 0.000001;  // the clock must have moved on by more
constexpr double SecondsPerDay = 86400;
constexpr double FastFrameMs = 40;
constexpr long YieldEvery = 4;  // frames, counted on the level clock

constexpr float MaxWind = 3.0f;
constexpr double WindStep = 0.1;
constexpr int WindChangeOdds = 15;  // 1 in (15 - Level) a frame

void MoveFlags(Game& g) {
  const int width = FlagWidth(g.Wind);
  for (int i = 0; i < 3; ++i) {
    Line& pole = g.scene.lnFlagPole[i];
    const double target = ReadTag(pole.Tag).value_or(0);  // an unset target reads as 0
    pole.X1 = static_cast<float>(pole.X1 + Sign(target - pole.X1) / 3.0);
    pole.X2 = pole.X1;
    Shape& flag = g.scene.shpFlag[i];
    flag.Left = g.WindDrift < 0 ? pole.X1 + 1 - width : pole.X1;  // the flag flies downwind
    flag.Width = static_cast<float>(width);
  }
}

void KeepScore(Game& g) {
  if (g.Points > g.Score + 10 && !g.Dead) g.Score = g.Points - 10;
  if (g.cheats[Cheat::Free]) g.Points = g.Score;
  WriteTag(g.scene.Label1.Caption, static_cast<long>(g.Points));
  WriteTag(g.scene.Label2.Caption, static_cast<long>(g.Score));
}

void MoveAircraft(Game& g) {
  if (g.Dead) {
    DoCopters(g, false);
    DoPlanes(g, false);
  } else {
    DoCopters(g, g.LevelClock < CopterPhaseEnd);
    DoPlanes(g, JetPhaseStart < g.LevelClock && g.LevelClock < JetPhaseEnd);
  }
}

void ChangeLevel(Game& g) {
  if (!(g.LevelClock > LevelEnd)) return;
  g.BombMinOffset -= BombWindowWidening;
  g.BombMaxOffset += BombWindowWidening;
  g.LevelClock = 0;
  if (!g.Dead) g.Level += 1;
  if (g.Level == LastLevel + 1) {
    g.Level = LastLevel;
    g.ports.window.SetCaption(EndlessCaption);
  } else {
    ShowLevelCaption(g);
    // Heard only when the level went up: not behind a dead gunner, nor on the endless level.
    if (!g.Dead) g.ports.sounds.Play(SoundEvent::NewLevel);
  }
}

// Waits until the clock has moved on from the last frame, except while Points is 0: then the
// game runs as fast as it can until points are earned.
void Pace(Game& g) {
  Clock& clock = g.ports.clock;
  double d;
  for (;;) {
    d = clock.SecondsSinceMidnight() - g.LastFrameTime;
    if (d < 0) d += SecondsPerDay;  // the clock passed midnight
    if (d > NewFrameThreshold || g.Points == 0) break;
    clock.SleepUntilNextTick();
  }
  g.LastFrameTime = clock.SecondsSinceMidnight();
  g.FrameMs = d * 1000;
  g.FastFrame = g.FrameMs <= FastFrameMs;
}

bool IsYieldFrame(float LevelClock) {
  return RoundHalfEven(LevelClock * 1000.0f) % YieldEvery == 0;
}

void WalkWind(Game& g) {
  Random& random = g.ports.random;
  if (ChanceOneIn(random, WindChangeOdds - g.Level)) {
    const double step = (Floor(random.Rnd() * 2) * 2 - 1) * WindStep;
    g.Wind = static_cast<float>(g.Wind + step);
  }
  g.Wind = std::clamp(g.Wind, -MaxWind, MaxWind);
}

}  // namespace

int FlagWidth(float Wind) { return static_cast<int>(RoundHalfEven(std::fabs(Wind) * 25.0f) / 3); }

bool RunFrame(Game& g) {
  g.LevelClock += LevelClockStep;
  MoveFlags(g);
  g.ports.random.Randomize(g.ports.clock.SecondsSinceMidnight());
  DoTroopers(g);
  DoGun(g);
  DoBullets(g);
  KeepScore(g);
  MoveAircraft(g);
  ChangeLevel(g);
  assert(*TableOutOfStep(g) == '\0' && *SceneOutOfStep(g) == '\0');
  g.ports.window.Present();
  Pace(g);
  if (IsYieldFrame(g.LevelClock)) {
    g.ports.pump.ProcessEvents();
    if (g.Unloaded) return true;
  }
  return FinishFrame(g);
}

bool FinishFrame(Game& g) {
  if (g.Dead) {
    g.WindDrift = g.Wind / 1000;
    return true;
  }
  WalkWind(g);
  g.WindDrift = g.Wind / 1000;
  return false;
}

namespace {

// Marks a tick as running while it lasts. Released on every way out: a frame that throws must
// not freeze the game for good.
struct TickGuard {
  explicit TickGuard(bool& running) : running(running) { running = true; }
  ~TickGuard() { running = false; }
  TickGuard(const TickGuard&) = delete;
  TickGuard& operator=(const TickGuard&) = delete;
  bool& running;
};

}  // namespace

void Timer1_Timer(Game& g) {
  if (g.TickRunning || g.Unloaded || g.Paused) return;
  const EntryScope entry(g.ports.log, Entry::Timer1);
  const TickGuard tick(g.TickRunning);
  // A pause taken in a frame's yield lets that frame finish, then ends the tick.
  while (!RunFrame(g) && !g.Paused) {
  }
}

void FinishTick(Game& g) {
  const TickGuard tick(g.TickRunning);
  bool ended = g.Unloaded || FinishFrame(g);
  while (!ended && !g.Paused) ended = RunFrame(g);
}

void Form_MouseMove(Game& g) {
  g.ports.window.SetPointer(Pointer::Normal);
  g.ports.timers.SetEnabled(TimerId::tmrTrans, true);
}

void tmrTrans_Timer(Game& g) {
  g.ports.window.SetPointer(Pointer::Hidden);
  g.ports.timers.SetEnabled(TimerId::tmrTrans, false);
}

}  // namespace flakmire
