// Tapes of runs: a scripted session of two runs is recorded and each tape played back, frame for
// frame; the proof tells a tape's true claim from a forged one and refuses what is no tape.

#include <gtest/gtest.h>

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
    if (++yield == 1 && w.plays.size() == 2) w.inPanel = nullptr, Type(g, CheatWord);
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

// The session, played once on tape and once silent, for all the tests.
struct Session {
  TapeWorld taped{true, 5}, silent{false, 5};
  Session() { PlaySession(taped), PlaySession(silent); }
};

const Session& TheSession() {
  static const Session session;
  return session;
}

// The tape's frames as a replay paints them.
struct HashingWindow final : FakePorts {
  const Scene* scene = nullptr;
  std::vector<std::uint64_t> hashes;
  void Present() override { hashes.push_back(SceneHash(*scene)); }
};

TEST(Tape, PlaysBackEveryFrameOfEachRunAndItsResult) {
  const Session& s = TheSession();
  EXPECT_TRUE(s.taped.hashes == s.silent.hashes) << "a recorded run is the same run";
  ASSERT_TRUE(s.taped.tapes.size() == 3 && s.taped.plays.size() == 2);
  const std::size_t ends[] = {s.taped.plays[0], s.taped.plays[1], s.taped.hashes.size()};
  for (std::size_t run = 0, from = 0; run < 3; from = ends[run++]) {
    const KeptTape& kept = s.taped.tapes[run];
    const TapeRead read = ReadTape(kept.bytes);
    ASSERT_EQ(read.error, TapeError::None) << read.detail;
    HashingWindow window;
    Replay replay(read.tape, window);
    window.scene = &replay.game().scene;
    const ReplayOutcome outcome = replay.Run();
    EXPECT_TRUE(outcome.end == ReplayOutcome::End::Finished && outcome.result == kept.claim)
        << "run " << run << ": " << outcome.failure;
    const std::vector played(s.taped.hashes.begin() + from, s.taped.hashes.begin() + ends[run]);
    EXPECT_TRUE(window.hashes == played) << "run " << run << " plays back other frames";
    // A minute is 3,840 frames; its tape holds at most 16 KB.
    EXPECT_LE(kept.bytes.size() * 3840, played.size() * 16384) << "run " << run;
  }
  const TapeClaim &first = s.taped.tapes[0].claim, &second = s.taped.tapes[1].claim;
  EXPECT_EQ(s.taped.submitted.at(1), Text("%d %d %d %lds", first.score, first.cause, first.level,
                                          std::lround(first.days * 86400)))
      << "the first tape claims what the high-score window took";
  // Only the second and third runs cheated; the second went through several levels.
  EXPECT_TRUE(!first.cheated && second.cheated && s.taped.tapes[2].claim.cheated);
  EXPECT_GE(second.level, 4);
}

// A tape kept by an earlier build still proves its run, and the session's first run records to it
// byte for byte: neither the format nor the rules of play can change unseen.
TEST(Tape, ATapeKeptEarlierStillPlaysAndTheSameRunRecordsTheSameBytes) {
  std::ifstream in(FLAKMIRE_TAPE_FILES "/first_run.tape", std::ios::binary);
  const Bytes kept{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(VerifyTape(kept).exitCode, 0) << VerifyTape(kept).report;
  const auto& fresh = TheSession().taped.tapes[0].bytes;
  if (fresh == kept) return;
  std::ofstream("first_run.tape", std::ios::binary) << std::string(fresh.begin(), fresh.end());
  ADD_FAILURE() << "The first run no longer records to tests/tapes/files/first_run.tape. If the "
                   "rules of play changed, raise RulesVersion (src/game/rules_version.h) and copy "
                   "first_run.tape, just written in the test's folder, over it.";
}

// The bytes of a tape with `change` made to its `part`, its length and check made right again.
Bytes Rewritten(const Bytes& bytes, auto Tape::*part, auto change) {
  Tape tape = ReadTape(bytes).tape;
  return change(tape.*part), WriteTape(tape);
}

// The bytes with the one at `at` changed by `by`, and their check made right again or not.
Bytes Changed(Bytes bytes, std::size_t at, int by, bool recheck = true) {
  bytes[at] += by;
  const std::uint32_t crc = Crc32(std::span(bytes).first(bytes.size() - 4));
  if (recheck) std::memcpy(bytes.data() + bytes.size() - 4, &crc, 4);
  return bytes;
}

// The proof's verdict on each, as `flakmire --verify` exits: 0 a true claim, 1 a false one (with
// the field it got wrong), 2 what is no tape it can play.
TEST(Tape, ProvesATrueClaimCatchesAForgedOneAndRefusesWhatIsNoTapeItCanPlay) {
  TapeWorld unended(true, 1);  // the death timer without a death: nothing to keep
  ResetGame(unended.g()), tmrDead_Timer(unended.g());
  EXPECT_TRUE(unended.tapes.empty());

  const Bytes &good = TheSession().taped.tapes[0].bytes,
              &cheated = TheSession().taped.tapes[1].bytes;
  // The honest tape with a change to its claim, or to its stream.
  const auto claimed = [&good](auto change) { return Rewritten(good, &Tape::claim, change); };
  const auto streamed = [&good](auto change) { return Rewritten(good, &Tape::stream, change); };
  // After the reset's reading of the date, these entries.
  const auto afterReset = [&streamed](const Bytes& e) {
    return streamed([&](Bytes& s) { s.resize(9), s.insert(s.end(), e.begin(), e.end()); });
  };
  // The cheat word typed nine times over, each time into the cheat panel that the last one opened.
  Bytes nested;
  for (int i = 0; i < 9 * 12; ++i)
    nested.push_back(0x10 + int(Entry::KeyDown)), ByteWriter(nested).Varint(CheatWord[i % 12]);
  const std::tuple<const char*, Bytes, int, const char*> rows[] = {
      {"the honest run", good, 0, "Killed by:  Bomb            as claimed"},
      {"the cheated run", cheated, 0, "proves its run"},
      {"a higher score", claimed([](auto& c) { c.score += 5; }), 1, "but the tape claims 5\n"},
      {"a level more", claimed([](auto& c) { c.level += 1; }), 1, "but the tape claims 2\n"},
      {"a minute longer", claimed([](auto& c) { c.days += 60 / 86400.0; }), 1, "claims 1 min 16"},
      {"another cause", claimed([](auto& c) { c.cause = 1; }), 1, "claims Droplings"},
      {"a cheated run", claimed([](auto& c) { c.cheated = true; }), 1, "but the tape claims yes"},
      // Told the run was clean, the cheated tape shows the panel that marks it.
      {"told clean", Rewritten(cheated, &Tape::claim, [](auto& c) { c.cheated = false; }), 1,
       "claims no"},
      // A death timer right after the reset's reading of the date: a run that never ends.
      {"a run that never ends", afterReset({0x10 + int(Entry::tmrDead)}), 1, "never ends"},
      {"nothing", {}, 2, "it is empty"},
      {"a score file", {1, 7, 0x20, 0, 0, 0, 16, 9, 9, 9}, 2, "not a Flakmire tape"},
      {"its head alone", Bytes(good.begin(), good.begin() + 12), 2, "only its first 12"},
      {"half a tape", Bytes(good.begin(), good.begin() + good.size() / 2), 2, "cut short"},
      {"a byte changed", Changed(good, good.size() / 2, 0x10, false), 2, "damaged: its check"},
      {"a later format", Changed(good, 8, 1), 2, "another version of Flakmire"},
      {"other rules", Changed(good, 10, -1), 2, "other rules of play"},
      {"end cut off", streamed([](Bytes& s) { s.resize(s.size() / 2); }), 2, "ends before its run"},
      {"nonsense", streamed([](Bytes& s) { s.assign(s.size(), 0x7F); }), 2, "cannot be played"},
      // An End where the first tick begins, after the reset's reading of the date.
      {"no turn begun", streamed([](Bytes& s) { s.insert(s.begin() + 9, 4); }), 2, "never began"},
      {"turns nested nine deep", afterReset(nested), 2, "nest deeper than any run"},
  };
  for (const auto& [what, bytes, code, seen] : rows) {
    const Verdict v = VerifyTape(bytes);
    EXPECT_TRUE(v.exitCode == code && v.report.find(seen) != std::string::npos)
        << what << ": exits " << v.exitCode << "\n"
        << v.report;
  }
}

}  // namespace
}  // namespace flakmire::testing
