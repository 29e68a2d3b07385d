#pragma once

#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/random_source.h"
#include "ports/null_ports.h"
#include "scores/high_scores.h"
#include "scores/score_file.h"

namespace flakmire::testing {

// While set, what the game asks of its ports, in order: R reseed, r draw, C caption, P paint,
// S sleep, Y yield, M message.
inline std::string* Trace = nullptr;
inline void Note(char what) {
  if (Trace) *Trace += what;
}

// printf into a std::string.
std::string Text(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

inline constexpr const char* SoundNames[SoundEventCount] = {
    "StandardShot", "SmallFastShot", "HeavyShot", "BigShot",     "BombRelease",
    "BombBlast",    "HeavyBlast",    "BigBlast",  "CopterCrash", "JetCrash",
    "TrooperDeath", "GunnerDeath",   "NewLevel"};

// Every port the game needs, scripted. The clock moves only when the game sleeps (by `tick`, and
// back to 0 at midnight) or a test moves it; draws come from `queue`, then `fallback`, or from a
// seeded generator once Seed was called; timers, dialogs, sounds and the high-score window only
// record what they were asked. Sounds stay out of the trace.
struct FakePorts : Clock,
                   Random,
                   KeyState,
                   MainWindow,
                   Timers,
                   EventPump,
                   Dialogs,
                   Music,
                   HighScoreWindow,
                   Sounds {
  float now = 36000, tick = 1.0f / 64;  // from 10:00 in the morning
  double dateTime = 46000.5;
  std::deque<float> queue;
  float fallback = 0.5f, lastSeed = 0;
  std::optional<SeededRandom> seeded;
  std::set<int> down;
  Pointer pointer = Pointer::Normal;
  std::map<TimerId, bool> enabled;
  std::function<void()> onYield, onSubmit;
  std::vector<std::string> played, messages, submitted;
  // Frames are those begun by TestGame::Frame.
  int sleeps = 0, draws = 0, presents = 0, yields = 0, cheatPanels = 0, modals = 0, frames = 0;
  std::array<int, SoundEventCount> heardCount{};
  // While listening each sound is also written down in `heard`, "frame Name, ".
  bool listening = false, tickBehindModal = false;
  std::string heard, caption;

  float SecondsSinceMidnight() override { return now; }
  void SleepUntilNextTick() override { ++sleeps, Note('S'), now = std::fmod(now + tick, 86400); }
  double DateTimeNow() override { return dateTime; }
  float Rnd() override {
    ++draws, Note('r');
    if (queue.empty()) return seeded ? seeded->Rnd() : fallback;
    const float v = queue.front();
    return queue.pop_front(), v;
  }
  void Randomize(float seed) override {
    Note('R'), lastSeed = seed;
    if (seeded) seeded->Randomize(seed);
  }
  void Seed(std::uint64_t seed) { seeded.emplace(seed); }
  bool IsDown(int keyCode) const override { return down.count(keyCode) != 0; }
  void Show() override {}
  void SetCaption(std::string_view c) override { Note('C'), caption = c; }
  void SetPointer(Pointer p) override { pointer = p; }
  void Present() override { Note('P'), ++presents; }
  void SetEnabled(TimerId timer, bool on) override { enabled[timer] = on; }
  void ProcessEvents() override {
    ++yields, Note('Y');
    if (onYield) onYield();
  }
  void ShowCheatPanel() override { ++cheatPanels; }
  void Message(std::string_view text, std::string_view title) override {
    Note('M'), messages.push_back(std::string(title) + "|" + std::string(text));
  }
  void PlayOnce(const std::string& path) override { played.push_back(path); }
  void SubmitScore(int score, int cause, int level, double days, std::string_view) override {
    submitted.push_back(Text("%d %d %d %lds", score, cause, level, std::lround(days * 86400)));
    if (onSubmit) onSubmit();
  }
  void ShowModal() override { ++modals, tickBehindModal = enabled[TimerId::Timer1]; }
  void Play(SoundEvent e) override {
    ++heardCount[static_cast<std::size_t>(e)];
    if (listening) heard += std::to_string(frames) + " " + SoundNames[int(e)] + ", ";
  }
  Ports ports(bool hearing = true) {
    Sounds& s = hearing ? static_cast<Sounds&>(*this) : NoSounds();
    return Ports{*this, *this, *this, *this, *this, *this, *this, *this, "/opt/flakmire", *this, s};
  }
};

// The high-score window's world, scripted too: files in memory, where writes into an unwritable
// folder and reads of an unreadable path fail; boxes answered as set; the grid as last shown.
struct FakeDesk : FakePorts, FileStore, Prompts, ScoreView {
  std::map<std::string, Bytes> files;
  std::set<std::string> unwritable, unreadable;
  int writes = 0;
  MessageAnswer answer = MessageAnswer::Closed;  // to every Yes/No box
  // `names` are the name prompt's answers; then "Ann", so that none asks.
  std::vector<std::string> asked, opened, names;
  std::size_t named = 0;
  bool ended = false;
  ScoreGrid grid;

  FakeDesk() { Seed(7); }
  FileRead ReadFile(const std::string& path, std::size_t) override {
    if (unreadable.count(path)) return {true, {}, path + ": Input/output error"};
    return files.count(path) ? FileRead{true, files[path], ""} : FileRead{};
  }
  std::string ReplaceFiles(std::span<const NewFile> list) override {
    for (const NewFile& f : list)
      if (!CanWriteIn(f.path.substr(0, f.path.rfind('/')))) return f.path + ": Permission denied";
    for (const NewFile& f : list) files[f.path].assign(f.bytes.begin(), f.bytes.end()), ++writes;
    return "";
  }
  std::string RemoveFile(const std::string& path) override {
    if (!CanWriteIn(path.substr(0, path.rfind('/')))) return path + ": Permission denied";
    return files.erase(path), "";
  }
  bool CanWriteIn(const std::string& folder) override { return !unwritable.count(folder); }
  std::string UserDataFolder() override { return CanWriteIn("/home/me") ? "/home/me" : ""; }
  MessageAnswer MessageBox(std::string_view text, MessageButtons buttons,
                           std::string_view title) override {
    Message(text, title);
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
  }
  std::string InputBox(std::string_view prompt, std::string_view title,
                       std::string_view answer) override {
    asked.push_back(std::string(title) + "|" + std::string(prompt) +
                    (answer.empty() ? "" : "|" + std::string(answer)));
    return named < names.size() ? names[named++] : "Ann";
  }
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void EndProgram() override { ended = true; }
  void ShowGrid(const ScoreGrid& g) override { grid = g; }
  void Hide() override {}
  void ShowModal() override { FakePorts::ShowModal(); }
};

// The high-score rules in that world, with the program in /opt/flakmire.
struct Board {
  FakeDesk desk;
  HighScores hs{ScorePorts{desk, desk, desk, desk, "/opt/flakmire", "/opt/flakmire"}};

  Bytes& Dat() { return desk.files["/opt/flakmire/HighScores.dat"]; }
  Bytes& Bak() { return desk.files["/opt/flakmire/HighScores.BAK"]; }
};

}  // namespace flakmire::testing
