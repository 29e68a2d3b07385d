#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/game.h"
#include "game/random_source.h"
#include "ports/null_ports.h"
#include "tapes/tape_file.h"

namespace flakmire {

// What a watcher adds to a replay: the run's own pace, and the player's wish to stop.
class ReplayWatch {
 public:
  virtual ~ReplayWatch() = default;
  // The rules are about to be told this time of day: wait until the run had got there.
  virtual void Reached(float secondsSinceMidnight) = 0;
  // Asked after every call of the world and at every yield: false stops the replay there.
  virtual bool KeepGoing() = 0;
};

struct ReplayOutcome {
  enum class End { Finished, Stopped, Failed };
  End end = End::Failed;
  std::optional<TapeClaim> result;  // what the run handed over when the gunner died
  std::string failure;              // why the tape could not be played to its end
};

// Plays a tape's run through the rules, in a game of its own: the ports the tape answers for
// answer from it, in the order they were asked; the world's calls are made again where they came;
// the random source starts from the tape's state. The run shows in `window`; a proof passes a
// window that shows nothing. A tape that does not fit the rules (a reading asked for where the
// tape has a call, a run that outlasts its tape) ends the replay with a failure, never a hang:
// every frame takes readings off the tape, so the tape's length bounds the replay.
class Replay final : Clock, EventPump, Dialogs, HighScoreWindow, InputLog {
 public:
  Replay(const Tape& tape, MainWindow& window, ReplayWatch* watch = nullptr,
         Sounds& sounds = NoSounds());

  ReplayOutcome Run();
  const Game& game() const { return game_; }

 private:
  struct Keys final : KeyState {
    explicit Keys(Replay* r) : replay(r) {}
    Replay* replay;
    bool IsDown(int keyCode) const override { return replay->KeyAnswer(keyCode); }
  };
  struct Stop {
    ReplayOutcome::End end;
    std::string why;
  };

  // Clock
  float SecondsSinceMidnight() override;
  void SleepUntilNextTick() override {}
  double DateTimeNow() override;
  // The world's turns: its calls until the End that closes them.
  void ProcessEvents() override;
  void ShowCheatPanel() override { WorldsTurn(); }
  void Message(std::string_view, std::string_view) override { WorldsTurn(); }
  void SubmitScore(int, int, int, double, std::string_view) override { WorldsTurn(); }
  void ShowModal() override { WorldsTurn(); }
  // InputLog: the replayed rules' own calls are not recorded again.
  void Enter(Entry, int) override {}
  void Leave() override {}
  void RunOver(int score, int cause, int level, double days, bool cheated) override;

  bool KeyAnswer(int keyCode);
  void WorldsTurn();
  void Call(std::uint8_t op);
  std::uint8_t Next();
  [[noreturn]] void Fail(std::string_view why);
  void CheckWatch();

  const Tape& tape_;
  ReplayWatch* watch_;
  std::size_t at_ = 0;  // the next byte of the stream
  int depth_ = 0;
  float lastSeconds_ = 0;
  bool anySeconds_ = false;
  int ticksLeft_ = 0, tickCode_ = 0;  // readings still to come from the last Ticks byte
  std::array<bool, 256> keyDown_{};
  std::optional<TapeClaim> result_;

  Keys keys_{this};
  SeededRandom random_;
  NullTimers timers_;
  NullMusic music_;
  Game game_;
};

}  // namespace flakmire
