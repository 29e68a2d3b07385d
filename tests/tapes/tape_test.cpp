// Tapes of runs: a scripted session of two runs is recorded and each tape played back, frame for
// frame; the proof tells a tape's true claim from a forged one and refuses what is no tape.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "fakes/tape_world.h"
#include "fakes/test_game.h"
#include "game/pause.h"
#include "scores/verify_tape.h"
#include "tapes/byte_io.h"
#include "tapes/replay.h"

namespace flakmire::testing {
namespace {

constexpr std::string_view CheatWord = "SHOWMETRICKS";
void Type(Game& g, std::string_view keys) {
  for (const char c : keys) Form_KeyDown(g, c);
}

// Two runs. The first: a gunner who turns left and fires now and then, until the sky kills him;
// dead, he types the first half of the cheat word; his death timer fires inside a frame's yield,
// and Play starts the second run right there. In that same yield the second run begins: the word's
// second half opens the cheat panel, Invincibility and Big Explosions are ticked, and a shell is
// fired for the run's first frame. Then steady fire, a pause taken with P in a yield and ended a
// minute later between ticks, Invincibility cleared again on the fourth level; the death timer
// fires between ticks, and Play starts a third run there. In its first yield the cheat panel is
// opened and closed untouched; it fires all it can until the sky kills it.
void PlaySession(TapeWorld& w) {
  Game& g = w.g();
  int yield = 0, deadYields = 0, deadTicks = 0;
  bool cleared = false, over = false;
  w.onYield = [&] {
    const bool second = !w.plays.empty();
    ++yield;
    if (w.plays.size() == 2 && yield == 1) w.inPanel = nullptr, Type(g, CheatWord);
    if (g.Dead) {
      // The word spans two runs.
      if (!second && ++deadYields == 20) Type(g, CheatWord.substr(0, 6));
      if (!second && deadYields == 40) {
        w.playNext = true, tmrDead_Timer(g), yield = 0;
        w.inPanel = [](CheatPanel& p) { p.chkCheats_Click(5, true), p.chkCheats_Click(3, true); };
        Type(g, CheatWord.substr(6)), Form_KeyDown(g, 'V');
      }
      return;
    }
    // The first gunner holds Left to the end, across his death into the second run.
    const int step = yield % 300;
    w.down = {!second || step < 60        ? key_code::Left
              : step >= 150 && step < 210 ? key_code::Right
                                          : 0};
    if (yield % (second ? 3 : 25) == 0) Form_KeyDown(g, "BVBC"[yield / 25 % 4]);
    if (!second) return;
    if (w.plays.size() == 1 && yield == 700) Form_KeyDown(g, key_code::P);
    if (g.Level == 3 && !std::exchange(cleared, true))
      w.inPanel = [](CheatPanel& p) { p.chkCheats_Click(5, false); }, Type(g, CheatWord);
  };
  ResetGame(g);
  for (int tick = 0; !over && tick < 200000; ++tick) {
    Timer1_Timer(g);
    if (g.Paused) w.now += 60, TogglePause(g);
    if (g.Dead && !w.plays.empty() && ++deadTicks == 160)
      over = w.plays.size() == 2, w.playNext = !over, deadTicks = 0, yield = 0, tmrDead_Timer(g);
  }
  w.onYield = nullptr;
}

struct Session {
  TapeWorld taped{true, 5}, silent{false, 5};
  Session() { PlaySession(taped), PlaySession(silent); }
};

const Session& TheSession() {
  static const Session session;
  return session;
}

// The tape's frames as a replay paints them.
struct HashingWindow final : MainWindow {
  const Scene* scene = nullptr;
  std::vector<std::uint64_t> hashes;
  void Show() override {}
  void SetCaption(std::string_view) override {}
  void SetPointer(Pointer) override {}
  void Present() override { hashes.push_back(SceneHash(*scene)); }
};

TEST(Tape, PlaysBackEveryFrameOfEachRunAndItsResult) {
  const Session& s = TheSession();
  EXPECT_TRUE(s.taped.hashes == s.silent.hashes) << "a recorded run is the same run";
  ASSERT_EQ(s.taped.tapes.size(), 3u);
  ASSERT_EQ(s.taped.plays.size(), 2u);
  const std::size_t ends[] = {s.taped.plays[0], s.taped.plays[1], s.taped.hashes.size()};
  std::size_t from = 0;
  for (int run = 0; run < 3; ++run) {
    const KeptTape& kept = s.taped.tapes[run];
    const TapeRead read = ReadTape(kept.bytes);
    ASSERT_EQ(read.error, TapeError::None) << read.detail;
    HashingWindow window;
    Replay replay(read.tape, window);
    window.scene = &replay.game().scene;
    const ReplayOutcome outcome = replay.Run();
    EXPECT_EQ(outcome.end, ReplayOutcome::End::Finished)
        << "run " << run << ": " << outcome.failure;
    EXPECT_TRUE(outcome.result == kept.claim) << "run " << run;
    const auto played = s.taped.hashes.begin() + from, end = s.taped.hashes.begin() + ends[run];
    const auto differ = std::mismatch(played, end, window.hashes.begin(), window.hashes.end());
    EXPECT_TRUE(differ.first == end && differ.second == window.hashes.end())
        << "run " << run << " differs from frame " << differ.first - played;
    // A minute is 3,840 frames; its tape holds at most 16 KB.
    EXPECT_LE(kept.bytes.size() * 3840, (ends[run] - from) * 16384) << "run " << run;
    from = ends[run];
  }
  const TapeClaim& first = s.taped.tapes[0].claim;
  const TapeClaim& second = s.taped.tapes[1].claim;
  EXPECT_EQ(s.taped.submitted.at(1), Text("%d %d %d %lds", first.score, first.cause, first.level,
                                          std::lround(first.days * 86400)))
      << "the first tape claims what the high-score window took";
  EXPECT_FALSE(first.cheated);
  EXPECT_TRUE(second.cheated && s.taped.tapes[2].claim.cheated);
  EXPECT_GE(second.level, 4) << "the second run went through several levels";
}

// A tape kept by an earlier build still proves its run, and the session's first run records to it
// byte for byte: neither the format nor the rules of play can change unseen.
TEST(Tape, ATapeKeptEarlierStillPlaysAndTheSameRunRecordsTheSameBytes) {
  const std::string path = FLAKMIRE_TAPE_FILES "/first_run.tape";
  std::ifstream in(path, std::ios::binary);
  const Bytes kept{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(VerifyTape(kept).exitCode, 0) << VerifyTape(kept).report;
  const auto& fresh = TheSession().taped.tapes[0].bytes;
  if (fresh == kept) return;
  std::ofstream("first_run.tape", std::ios::binary) << std::string(fresh.begin(), fresh.end());
  ADD_FAILURE() << "The first run no longer records to " << path << ". If the rules of play "
                << "changed, raise RulesVersion (src/game/rules_version.h) and copy "
                << "first_run.tape, just written in the test's folder, over it.";
}

// The bytes of a tape rewritten with `change`, its length and check made right again.
Bytes Rewritten(const Bytes& bytes, const std::function<void(Tape&)>& change) {
  Tape tape = ReadTape(bytes).tape;
  change(tape);
  return WriteTape(tape);
}

// Its check made right again after a change of the bytes.
Bytes Rechecked(Bytes bytes) {
  const std::uint32_t crc = Crc32(std::span(bytes).first(bytes.size() - 4));
  std::memcpy(bytes.data() + bytes.size() - 4, &crc, 4);
  return bytes;
}

// The proof's verdict on each, as `flakmire --verify` exits: 0 a true claim, 1 a false one (with
// the field it got wrong), 2 what is no tape it can play.
TEST(Tape, ProvesATrueClaimCatchesAForgedOneAndRefusesWhatIsNoTapeItCanPlay) {
  TapeWorld unended(true, 1);  // the death timer without a death: nothing to keep
  ResetGame(unended.g()), tmrDead_Timer(unended.g());
  EXPECT_TRUE(unended.tapes.empty());

  const auto& good = TheSession().taped.tapes[0].bytes;
  const auto& cheated = TheSession().taped.tapes[1].bytes;
  const auto claimed = [&good](auto change) {
    return Rewritten(good, [&](Tape& t) { change(t.claim); });
  };
  Bytes flipped = good, later = good, other = good, cut = good;
  flipped[good.size() / 2] ^= 0x10;
  later[8] += 1, other[10] -= 1;  // a later format, earlier rules
  cut.resize(good.size() / 2);
  const Bytes scores = {1, 7, 0x20, 0, 0, 0, 16, 9, 9, 9};
  // After the reset's reading of the date, these entries.
  const auto afterReset = [&good](const Bytes& entries) {
    return Rewritten(good, [&](Tape& t) {
      t.stream.resize(9), t.stream.insert(t.stream.end(), entries.begin(), entries.end());
    });
  };
  // The cheat word typed nine times over, each time into the cheat panel that the last one opened.
  Bytes nested;
  for (int i = 0; i < 9 * 12; ++i)
    nested.push_back(0x10 + static_cast<int>(Entry::KeyDown)),
        ByteWriter(nested).Varint(CheatWord[i % 12]);
  const std::tuple<const char*, Bytes, int, const char*> rows[] = {
      {"the honest run", good, 0, "Killed by:  Bomb            as claimed"},
      {"the cheated run", cheated, 0, "proves its run"},
      {"a higher score", claimed([](TapeClaim& c) { c.score += 5; }), 1, "but the tape claims 5\n"},
      {"a level more", claimed([](TapeClaim& c) { c.level += 1; }), 1, "but the tape claims 2\n"},
      {"a minute longer", claimed([](TapeClaim& c) { c.days += 60 / 86400.0; }), 1,
       "claims 1 min 16"},
      {"another cause", claimed([](TapeClaim& c) { c.cause = 1; }), 1, "claims Droplings"},
      {"a cheated run", claimed([](TapeClaim& c) { c.cheated = true; }), 1,
       "but the tape claims yes"},
      // Told the run was clean, the cheated tape shows the panel that marks it.
      {"a cheated run told clean", Rewritten(cheated, [](Tape& t) { t.claim.cheated = false; }), 1,
       "claims no"},
      // A death timer right after the reset's reading of the date: a run that never ends.
      {"a run that never ends", afterReset({0x10 + static_cast<int>(Entry::tmrDead)}), 1,
       "never ends"},
      {"nothing", {}, 2, "it is empty"},
      {"a score file", scores, 2, "not a Flakmire tape"},
      {"its head alone", std::vector(good.begin(), good.begin() + 12), 2, "only its first 12"},
      {"half a tape", cut, 2, "cut short"},
      {"a byte changed", flipped, 2, "damaged: its check"},
      {"a later format", Rechecked(later), 2, "another version of Flakmire"},
      {"other rules", Rechecked(other), 2, "other rules of play"},
      {"the run's end cut off",
       Rewritten(good, [](Tape& t) { t.stream.resize(t.stream.size() / 2); }), 2,
       "ends before its run does"},
      {"a stream of nonsense",
       Rewritten(good, [](Tape& t) { std::fill(t.stream.begin(), t.stream.end(), 0x7F); }), 2,
       "cannot be played"},
      // An End where the first tick begins, after the reset's reading of the date.
      {"a turn that never began",
       Rewritten(good, [](Tape& t) { t.stream.insert(t.stream.begin() + 9, 4); }), 2,
       "never began"},
      {"turns nested nine deep", afterReset(nested), 2, "nest deeper than any run"},
  };
  for (const auto& [what, bytes, code, seen] : rows) {
    const Verdict v = VerifyTape(bytes);
    EXPECT_EQ(v.exitCode, code) << what << "\n" << v.report;
    EXPECT_NE(v.report.find(seen), std::string::npos) << what << "\n" << v.report;
  }
}

}  // namespace
}  // namespace flakmire::testing
