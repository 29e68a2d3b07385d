#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "game/random_source.h"
#include "ports/ports.h"
#include "tapes/tape_file.h"

namespace flakmire {

struct Game;

// Records a tape of every run. It stands between the rules and the ports that answer them, and
// hears the world's calls through the input log: from each reset to the death timer it writes
// down, in order, every reading of the clock, every change of a key's state that the rules see,
// and every call of the world into the rules, with the turns the world took inside the ports'
// calls. The random source is the game's own: its state at the reset goes on the tape, and the
// clock's readings that reseed it follow. Every other port passes straight through.
//
// Recording costs a few comparisons and a byte a frame, into room kept from run to run.
class TapeRecorder final : public Clock,
                           public EventPump,
                           public Dialogs,
                           public HighScoreWindow,
                           public InputLog {
 public:
  TapeRecorder(const Ports& inner, SeededRandom& random);

  // The ports to make the game with.
  Ports GamePorts();
  // The game whose runs are recorded, and who takes each finished tape.
  void Attach(const Game& game) { game_ = &game; }
  void OnTape(std::function<void(KeptTape)> take) { take_ = std::move(take); }

  // Clock
  float SecondsSinceMidnight() override;
  void SleepUntilNextTick() override { inner_.clock.SleepUntilNextTick(); }
  double DateTimeNow() override;
  // EventPump, Dialogs, HighScoreWindow: the world's turns.
  void ProcessEvents() override;
  void ShowCheatPanel() override;
  void Message(std::string_view text, std::string_view title) override;
  void SubmitScore(int NewScore, int DeathMethod, int Level, double DateTime,
                   std::string_view NewName) override;
  void ShowModal() override;
  // InputLog
  void Enter(Entry entry, int arg) override;
  void Leave() override;
  void RunOver(int score, int cause, int level, double days, bool cheated) override;

 private:
  struct Keys final : KeyState {
    explicit Keys(TapeRecorder* r) : recorder(r) {}
    TapeRecorder* recorder;
    bool IsDown(int keyCode) const override { return recorder->KeyAnswer(keyCode); }
  };
  // Who has the turn at each depth: the rules inside an entry point, or the world inside a port.
  static constexpr std::uint8_t RulesTurn = 0xFF;
  static constexpr int Deepest = 32;

  bool KeyAnswer(int keyCode);
  template <class Call>
  void WorldsTurn(Scope scope, Call&& call);
  void Push(std::uint8_t turn);
  void Pop();
  bool WorldHasTurn() const { return depth_ == 0 || turns_[depth_ - 1] != RulesTurn; }
  void Begin();
  void Finish();
  void Put(std::uint8_t byte);
  void FlushTicks();

  Ports inner_;
  SeededRandom& random_;
  Keys keys_{this};
  const Game* game_ = nullptr;
  std::function<void(KeptTape)> take_;

  std::array<std::uint8_t, Deepest> turns_{};
  int depth_ = 0;  // may run past Deepest; only the first Deepest are kept

  bool recording_ = false;
  bool spoilt_ = false;  // something this tape cannot hold happened: it is not kept
  bool claimed_ = false;
  Tape tape_;
  std::array<bool, 256> keyDown_{};  // each key's last answer on this tape
  float lastSeconds_ = 0;
  bool anySeconds_ = false;
  int ticks_ = 0, tickCode_ = 0, tickWeight_ = 1;  // readings waiting for their byte
};

}  // namespace flakmire
