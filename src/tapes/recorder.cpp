#include "tapes/recorder.h"

#include <bit>

#include "game/game.h"
#include "tapes/byte_io.h"
#include "tapes/carried.h"
#include "tapes/tape_stream.h"

namespace flakmire {

namespace {
// Room for about three hours of play: steady play never grows the stream.
constexpr std::size_t StreamRoom = 1u << 20;
}  // namespace

TapeRecorder::TapeRecorder(const Ports& inner, SeededRandom& random)
    : inner_(inner), random_(random) {
  tape_.stream.reserve(StreamRoom);
}

Ports TapeRecorder::GamePorts() {
  return Ports{*this,        inner_.random,     keys_, inner_.window, inner_.timers, *this, *this,
               inner_.music, inner_.dataFolder, *this, inner_.sounds, *this};
}

float TapeRecorder::SecondsSinceMidnight() {
  const float seconds = inner_.clock.SecondsSinceMidnight();
  if (!recording_) return seconds;
  int step = -1;
  for (int s = 0; anySeconds_ && step < 0 && s < tape_op::TickSteps; ++s) {
    if (std::bit_cast<std::uint32_t>(seconds) ==
        std::bit_cast<std::uint32_t>(tape_op::StepOn(lastSeconds_, s))) {
      step = s;
    }
  }
  lastSeconds_ = seconds, anySeconds_ = true;
  if (step < 0) {
    Put(tape_op::Seconds);
    ByteWriter(tape_.stream).F32(seconds);
    return seconds;
  }
  tickCode_ += step * tickWeight_, tickWeight_ *= tape_op::TickSteps, ++ticks_;
  if (ticks_ == tape_op::MostTicks) FlushTicks();
  return seconds;
}

double TapeRecorder::DateTimeNow() {
  const double days = inner_.clock.DateTimeNow();
  if (recording_) {
    Put(tape_op::DateTime);
    ByteWriter(tape_.stream).F64(days);
  }
  return days;
}

bool TapeRecorder::KeyAnswer(int keyCode) {
  const bool down = inner_.keys.IsDown(keyCode);
  if (!recording_) return down;
  if (keyCode < 0 || keyCode >= static_cast<int>(keyDown_.size())) {
    spoilt_ = spoilt_ || down;  // no key of this game: its answer has no place on the tape
    return down;
  }
  if (down != keyDown_[keyCode]) {
    keyDown_[keyCode] = down;
    Put(tape_op::KeyFlip);
    Put(static_cast<std::uint8_t>(keyCode));
  }
  return down;
}

template <class Call>
void TapeRecorder::WorldsTurn(Scope scope, Call&& call) {
  Push(static_cast<std::uint8_t>(scope));
  struct Back {
    TapeRecorder& r;
    ~Back() { r.Pop(); }
  } back{*this};
  call();
  if (recording_) Put(tape_op::End);
}

void TapeRecorder::ProcessEvents() {
  WorldsTurn(Scope::Yield, [this] { inner_.pump.ProcessEvents(); });
}

void TapeRecorder::ShowCheatPanel() {
  WorldsTurn(Scope::Panel, [this] { inner_.dialogs.ShowCheatPanel(); });
}

void TapeRecorder::Message(std::string_view text, std::string_view title) {
  WorldsTurn(Scope::Message, [&] { inner_.dialogs.Message(text, title); });
}

void TapeRecorder::SubmitScore(int NewScore, int DeathMethod, int Level, double DateTime,
                               std::string_view NewName) {
  WorldsTurn(Scope::Submit, [&] {
    inner_.highScores.SubmitScore(NewScore, DeathMethod, Level, DateTime, NewName);
  });
}

void TapeRecorder::ShowModal() {
  WorldsTurn(Scope::Modal, [this] { inner_.highScores.ShowModal(); });
}

void TapeRecorder::Enter(Entry entry, int arg) {
  if (entry == Entry::Reset) {
    Begin();  // every reset starts a tape, whoever calls it: an unfinished one is dropped
  } else if (recording_ && WorldHasTurn()) {
    Put(static_cast<std::uint8_t>(tape_op::Call + static_cast<int>(entry)));
    if (tape_op::HasArgument(entry)) ByteWriter(tape_.stream).Varint(arg);
    if (entry == Entry::tmrDead) Finish();
    if (entry == Entry::Unload) recording_ = false;  // the program ends with the run unfinished
  }
  Push(RulesTurn);
}

void TapeRecorder::Leave() { Pop(); }

void TapeRecorder::RunOver(int score, int cause, int level, double days, bool cheated) {
  if (!recording_) return;
  tape_.claim = TapeClaim{score, level, cause, days, cheated};
  claimed_ = true;
}

void TapeRecorder::Push(std::uint8_t turn) {
  if (depth_ < Deepest) {
    turns_[depth_] = turn;
  } else {
    spoilt_ = true;
  }
  ++depth_;
}

void TapeRecorder::Pop() {
  if (depth_ > 0) --depth_;
}

void TapeRecorder::Begin() {
  recording_ = game_ != nullptr;
  if (!recording_) return;
  spoilt_ = depth_ > Deepest, claimed_ = false;
  tape_.claim = {};
  tape_.carried = TakeCarried(*game_);
  tape_.carried.random = random_.GetState();
  tape_.context.clear();
  for (int i = 0; i < depth_ && i < Deepest; ++i) {
    if (turns_[i] != RulesTurn) tape_.context.push_back(static_cast<Scope>(turns_[i]));
  }
  tape_.stream.clear();
  keyDown_.fill(false);
  anySeconds_ = false;
  ticks_ = 0, tickCode_ = 0, tickWeight_ = 1;
}

void TapeRecorder::Finish() {
  FlushTicks();
  recording_ = false;
  if (spoilt_ || !claimed_ || !take_) return;
  take_(KeptTape{WriteTape(tape_), tape_.claim});
}

void TapeRecorder::Put(std::uint8_t byte) {
  FlushTicks();
  tape_.stream.push_back(byte);
}

void TapeRecorder::FlushTicks() {
  if (ticks_ == 0) return;
  tape_.stream.push_back(
      static_cast<std::uint8_t>(tape_op::Ticks + tape_op::TicksOffset(ticks_) + tickCode_));
  ticks_ = 0, tickCode_ = 0, tickWeight_ = 1;
}

}  // namespace flakmire
