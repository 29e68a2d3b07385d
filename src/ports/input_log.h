#pragma once

namespace flakmire {

// The calls the world makes into the rules during a run: the shell's entry points.
enum class Entry : unsigned char {
  Timer1,       // a tick of the game's timer that runs frames
  KeyDown,      // a key went down on the main window; the argument is its code
  TogglePause,  // P, the Pause key, or the shell pausing for the player
  tmrDead,      // the death timer: the run is over, the high-score window opens
  Unload,       // the main window was closed
  Reset,        // a new run
  PanelLoad,    // the cheat panel opened
  PanelClick,   // a box of the cheat panel; the argument is its index x 2, + 1 when ticked
};

// Hears every call into the rules and how each run ended: the tape recorder listens here. An
// entry point tells Enter as it begins and Leave as it ends, so a call the rules make of their own
// entry points (Form_KeyDown pausing the run) comes inside another's and is no call of the world.
class InputLog {
 public:
  virtual ~InputLog() = default;

  virtual void Enter(Entry entry, int arg) = 0;
  virtual void Leave() = 0;

  // The gunner died: what the run handed, or would have handed, to the high-score window. Days
  // is the run's duration; a cheated run hands nothing to the table but ends all the same.
  virtual void RunOver(int score, int cause, int level, double days, bool cheated) = 0;
};

class NullInputLog final : public InputLog {
 public:
  void Enter(Entry, int) override {}
  void Leave() override {}
  void RunOver(int, int, int, double, bool) override {}
};

inline InputLog& NoInputLog() {
  static NullInputLog none;
  return none;
}

// Opens an entry point: the log hears of the call now and of its end when the scope closes, on
// every way out.
class EntryScope {
 public:
  EntryScope(InputLog& log, Entry entry, int arg = 0) : log_(log) { log_.Enter(entry, arg); }
  ~EntryScope() { log_.Leave(); }
  EntryScope(const EntryScope&) = delete;
  EntryScope& operator=(const EntryScope&) = delete;

 private:
  InputLog& log_;
};

}  // namespace flakmire
