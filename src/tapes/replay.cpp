#include "tapes/replay.h"

#include <algorithm>

#include "cheats/cheat_panel.h"
#include "game/death.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/pause.h"
#include "game/startup.h"
#include "tapes/byte_io.h"
#include "tapes/carried.h"
#include "tapes/tape_stream.h"

namespace flakmire {

namespace {

// The world's turns nest a few deep in a real run (a yield, the cheat panel opened in it, the
// high-score window taking the run that a key ended there); a tape that nests deeper is no run's.
constexpr int Deepest = 8;

}  // namespace

Replay::Replay(const Tape& tape, MainWindow& window, ReplayWatch* watch, Sounds& sounds)
    : tape_(tape),
      watch_(watch),
      game_(Ports{*this, random_, keys_, window, timers_, *this, *this, music_, "", *this, sounds,
                  *this}) {}

ReplayOutcome Replay::Run() {
  ReplayOutcome outcome;
  try {
    GiveCarried(game_, tape_.carried);
    random_.SetState(tape_.carried.random);
    std::vector<Scope> open = tape_.context;
    // Reset inside a frame's yield: the tick that ran it goes on once the world's turn is over.
    game_.TickRunning = std::find(open.begin(), open.end(), Scope::Yield) != open.end();
    ResetGame(game_);
    for (;;) {
      const std::uint8_t op = Next();
      if (op != tape_op::End) {
        Call(op);
      } else if (open.empty()) {
        Fail("a turn of the world ends that never began");
      } else {
        const Scope closed = open.back();
        open.pop_back();
        if (closed == Scope::Yield) FinishTick(game_);
      }
      CheckWatch();
    }
  } catch (const Stop& stop) {
    outcome.end = stop.end;
    outcome.failure = stop.why;
  }
  outcome.result = result_;
  return outcome;
}

float Replay::SecondsSinceMidnight() {
  float seconds;
  if (ticksLeft_ == 0) {
    const std::uint8_t op = Next();
    if (op >= tape_op::Ticks && op <= tape_op::LastTicks) {
      int code = op - tape_op::Ticks;
      int count = 1;
      while (count < tape_op::MostTicks && code >= tape_op::TicksOffset(count + 1)) ++count;
      ticksLeft_ = count, tickCode_ = code - tape_op::TicksOffset(count);
    } else if (op == tape_op::Seconds) {
      ByteReader in(std::span(tape_.stream).subspan(at_));
      seconds = in.F32();
      if (!in.ok()) Fail("it ends inside a reading of the clock");
      at_ += 4;
      lastSeconds_ = seconds, anySeconds_ = true;
      if (watch_ != nullptr) watch_->Reached(seconds);
      return seconds;
    } else {
      Fail("the rules read the clock where the tape has something else");
    }
  }
  if (!anySeconds_) Fail("its first reading of the clock counts on from none");
  seconds = tape_op::StepOn(lastSeconds_, tickCode_ % tape_op::TickSteps);
  tickCode_ /= tape_op::TickSteps, --ticksLeft_;
  lastSeconds_ = seconds;
  if (watch_ != nullptr) watch_->Reached(seconds);
  return seconds;
}

double Replay::DateTimeNow() {
  if (ticksLeft_ != 0 || Next() != tape_op::DateTime) {
    Fail("the rules read the date where the tape has something else");
  }
  ByteReader in(std::span(tape_.stream).subspan(at_));
  const double days = in.F64();
  if (!in.ok()) Fail("it ends inside a reading of the date");
  at_ += 8;
  return days;
}

bool Replay::KeyAnswer(int keyCode) {
  if (keyCode < 0 || keyCode >= static_cast<int>(keyDown_.size())) return false;
  // A change of a key's answer stands just where the rules asked for it.
  const auto& s = tape_.stream;
  if (ticksLeft_ == 0 && at_ + 1 < s.size() && s[at_] == tape_op::KeyFlip &&
      s[at_ + 1] == keyCode) {
    at_ += 2;
    keyDown_[keyCode] = !keyDown_[keyCode];
  }
  return keyDown_[keyCode];
}

void Replay::ProcessEvents() {
  WorldsTurn();
  CheckWatch();
}

void Replay::WorldsTurn() {
  if (ticksLeft_ != 0) Fail("the world takes a turn in the middle of the clock's readings");
  if (++depth_ > Deepest) Fail("its turns nest deeper than any run's do");
  for (std::uint8_t op = Next(); op != tape_op::End; op = Next()) Call(op);
  --depth_;
}

void Replay::Call(std::uint8_t op) {
  const int entry = op - tape_op::Call;
  if (op < tape_op::Call || entry > static_cast<int>(Entry::PanelClick)) {
    Fail("the world calls the rules where the tape has something else");
  }
  int arg = 0;
  if (tape_op::HasArgument(static_cast<Entry>(entry))) {
    ByteReader in(std::span(tape_.stream).subspan(at_));
    arg = in.Varint();
    if (!in.ok()) Fail("it ends inside a call of the world");
    at_ = tape_.stream.size() - in.Left();
  }
  NullCheatBoxes boxes;
  switch (static_cast<Entry>(entry)) {
    case Entry::Timer1: return Timer1_Timer(game_);
    case Entry::KeyDown: return Form_KeyDown(game_, arg);
    case Entry::TogglePause: return TogglePause(game_);
    case Entry::tmrDead: throw Stop{ReplayOutcome::End::Finished, ""};
    case Entry::Unload: return Form_Unload(game_);
    case Entry::Reset: Fail("it holds a second run");
    case Entry::PanelLoad: return CheatPanel(game_.cheats, boxes).Form_Load();
    case Entry::PanelClick:
      return CheatPanel(game_.cheats, boxes).chkCheats_Click(arg >> 1, arg & 1);
  }
}

void Replay::RunOver(int score, int cause, int level, double days, bool cheated) {
  result_ = TapeClaim{score, level, cause, days, cheated};
}

std::uint8_t Replay::Next() {
  if (ticksLeft_ != 0) Fail("the world takes a turn in the middle of the clock's readings");
  if (at_ >= tape_.stream.size()) Fail("the tape ends before its run does");
  return tape_.stream[at_++];
}

void Replay::Fail(std::string_view why) {
  throw Stop{ReplayOutcome::End::Failed,
             std::string(why) + " (at byte " + std::to_string(at_) + " of its stream)"};
}

void Replay::CheckWatch() {
  if (watch_ != nullptr && !watch_->KeepGoing()) throw Stop{ReplayOutcome::End::Stopped, ""};
}

}  // namespace flakmire
