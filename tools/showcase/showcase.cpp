// Plays a chosen moment of the game in the real window, from a fixed seed and a scripted gunner,
// then holds that frame so that it can be looked at and photographed under Xvfb.
//
//   flakmire_showcase shells | explosion | smoke-pile | busy-sky | pyramid | death [SEED]
//                     [--plain] [--repaint SECONDS]
//
// The clock runs as fast as the machine allows until the held frame, so a scene of a thousand
// frames is ready in a moment. --plain paints every round shape whole, as the window did before
// it left out the hidden ones; --repaint repaints the held frame whole 64 times a second for that
// long, then prints the frames and the processor time they took, and closes the window.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "desktop/form1.h"
#include "desktop/qt_ports.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/key_codes.h"
#include "game/projectiles.h"
#include "game/random_source.h"
#include "game/startup.h"
#include "game/troopers.h"
#include "ports/null_ports.h"

namespace flakmire {
namespace {

// A clock that moves on by a frame whenever the game would wait for one.
class FastClock final : public Clock {
 public:
  float SecondsSinceMidnight() override { return now_; }
  void SleepUntilNextTick() override { now_ += 1.0f / 64; }
  double DateTimeNow() override { return 0; }

 private:
  float now_ = 36000;
};

// The event pump of the real window, with the scripted gunner's keys arriving at the yields and
// the game held still from the last yield of the scene on.
class ScriptedPump final : public EventPump {
 public:
  std::map<int, int> keysAtYield;                // yield number -> key code
  std::function<void(Game&, int yield)> script;  // anything else the scene does at a yield
  int holdAtYield = 0;
  Game* game = nullptr;
  Form1* window = nullptr;
  double repaintSeconds = 0;

  void ProcessEvents() override {
    ++yields_;
    QCoreApplication::processEvents();
    if (auto key = keysAtYield.find(yields_); key != keysAtYield.end()) {
      Form_KeyDown(*game, key->second);
    }
    if (script) script(*game, yields_);
    if (yields_ == holdAtYield) {
      std::printf("holding frame %d\n", 4 * yields_);
      std::fflush(stdout);
      if (repaintSeconds > 0) RepaintHeldFrame();
      while (!game->Unloaded) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }

 private:
  static double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
  }

  // What painting the held frame costs the program, frame after frame.
  void RepaintHeldFrame() {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    const double start = ProcessSeconds();
    const int frames = static_cast<int>(repaintSeconds * 64);
    int painted = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      window->repaint();
      if (++painted == frames) {
        timer.stop();
        const double ms = 1000 * (ProcessSeconds() - start) / painted;
        std::printf("repainted %d frames, %.3f ms of processor time each\n", painted, ms);
        std::fflush(stdout);
        window->close();
      }
    });
    timer.start(1000 / 64);
    while (!game->Unloaded) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  int yields_ = 0;
};

struct Scene {
  std::uint64_t seed;
  std::function<void(Game&, ScriptedPump&)> setUp;
};

// Landed troopers: at x, in that place of a pyramid (0: standing).
void Land(Game& g, std::initializer_list<std::pair<float, int>> troopers) {
  for (auto [x, place] : troopers) {
    CreateTrooper(g, x, StandingY, 0);
    TrooperData& t = g.Troopers[g.Troopers.UpperBound()];
    t.ChuteState = ChuteGone;
    t.PyramidPos = place;
  }
}

const std::map<std::string, Scene> Scenes = {
    // Every kind of shell in flight, fired while the gun turns.
    {"shells",
     {1,
      [](Game& g, ScriptedPump& pump) {
        g.Points = 1000;
        g.GunAngle = 20;
        pump.keysAtYield = {{5, key_code::B},  {9, key_code::V},  {13, key_code::C},
                            {18, key_code::X}, {21, key_code::B}, {23, key_code::V}};
        pump.holdAtYield = 30;
      }}},
    // A fireball and a smoke burst at their widest, 150 frames after they start.
    {"explosion",
     {1,
      [](Game& g, ScriptedPump& pump) {
        CreateBullet(g, 250, 250, FireExplosion, 0);
        CreateBullet(g, 560, 250, SmokeExplosion, 0);
        pump.holdAtYield = 38;  // frame 152: life 148, 140 px across
      }}},
    // Some 220 explosions piled on each other at every size, most of them smoke, as in the
    // dearest frames of real play: the big shell's smoke spreading from trooper to trooper.
    {"smoke-pile",
     {5,
      [](Game&, ScriptedPump& pump) {
        pump.script = [](Game& game, int yield) {
          if (yield < 20 || yield > 75) return;
          for (int k = 0; k < 4; ++k) {
            const float x = 560 + 140 * (game.ports.random.Rnd() - 0.5f);
            const float y = 150 + 120 * (game.ports.random.Rnd() - 0.5f);
            CreateBullet(game, x, y, k == 0 ? FireExplosion : SmokeExplosion, 0);
          }
        };
        pump.holdAtYield = 78;  // frame 312: lives 68 to 288, up to 140 px across
      }}},
    // Helicopters both ways, jets, troopers falling and under their canopies. Jets only come
    // once the helicopters' phase is over, so the scene skips the quiet time between them.
    {"busy-sky",
     {4,
      [](Game& g, ScriptedPump& pump) {
        g.Level = 8;
        g.LevelClock = 4.7f;
        g.Points = 1000;
        g.GunAngle = -30;
        pump.keysAtYield = {{100, key_code::B}, {106, key_code::V}, {111, key_code::B}};
        pump.script = [](Game& game, int yield) {
          if (yield == 75) game.LevelClock = 5.5f;
        };
        pump.holdAtYield = 118;
      }}},
    // A pyramid against the bunker on each side, its members with raised arms, the next man
    // walking up to the top of the left one.
    {"pyramid",
     {1,
      [](Game& g, ScriptedPump& pump) {
        Land(g, {{346, -1},
                 {346, -2},
                 {331, -3},
                 {305, 0},
                 {250, 0},
                 {427, 1},
                 {427, 2},
                 {480, 0},
                 {520, 0}});
        pump.holdAtYield = 12;  // frame 48: the walkers on their way
      }}},
    // The moment after the gunner's death: the top man has blown up the gun and the barrel is
    // gone; the pyramids break up, everyone flees the gun and the standing hop with raised arms.
    {"death",
     {1,
      [](Game& g, ScriptedPump& pump) {
        g.cheats.Set(Cheat::Invincibility, false);
        Land(g, {{346, -1},
                 {346, -2},
                 {331, -3},
                 {346.8f, 0},
                 {250, 0},
                 {427, 1},
                 {427, 2},
                 {470, 0},
                 {520, 0}});
        pump.holdAtYield = 5;  // frame 20: the fireball at the gun 30 px across, no barrel
      }}},
};

}  // namespace
}  // namespace flakmire

int main(int argc, char** argv) {
  using namespace flakmire;
  QApplication app(argc, argv);
  std::vector<std::string> words;
  bool plain = false;
  double repaintSeconds = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--plain") {
      plain = true;
    } else if (word == "--repaint" && i + 1 < argc) {
      repaintSeconds = std::stod(argv[++i]);
    } else {
      words.push_back(word);
    }
  }
  const auto scene = !words.empty() ? Scenes.find(words[0]) : Scenes.end();
  if (scene == Scenes.end() || words.size() > 2) {
    std::fprintf(stderr,
                 "usage: flakmire_showcase shells|explosion|smoke-pile|busy-sky|pyramid|death "
                 "[SEED] [--plain] [--repaint SECONDS]\n");
    return 2;
  }
  const std::uint64_t seed = words.size() == 2 ? std::stoull(words[1]) : scene->second.seed;

  FastClock clock;
  SeededRandom random(seed);
  Form1 form(plain);
  NullTimers timers;
  ScriptedPump pump;
  NullDialogs dialogs;
  NullMusic music;
  Game game(Ports{clock, random, form.Keys(), form, timers, pump, dialogs, music, "."});
  form.Attach(game);
  pump.game = &game;
  pump.window = &form;
  pump.repaintSeconds = repaintSeconds;

  ResetGame(game);
  game.cheats.Set(Cheat::Invincibility, true);  // nothing ends the scene early
  scene->second.setUp(game, pump);
  // After the gunner's death a tick runs one frame: tick on until the window is closed.
  while (!game.Unloaded) Timer1_Timer(game);
  return 0;
}
