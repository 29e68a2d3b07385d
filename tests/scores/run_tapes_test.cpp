// The tapes kept beside the table: shifted with the places, the last run's always, a row that can
// be watched only with a tape that claims just that row, and watching them.

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

// A tape that claims a run of this score, on level 3, killed by a bomb, after a minute.
KeptTape TapeOf(int score, bool cheated = false, int seconds = 60) {
  const TapeClaim claim{score, 3, 2, seconds / 86400.0, cheated};
  return {WriteTape({claim, {}, {}, {}}), claim};
}

// The window's files and its viewer; a path that ends so cannot be written.
struct Shelf final : FakeDesk, TapeViewer {
  std::string refused = "-";
  std::vector<Bytes> watched;
  HighScores hs{ScorePorts{*this, *this, *this, *this, "/opt/flakmire", "/opt", *this}};

  std::string ReplaceFiles(std::span<const NewFile> list) override {
    for (const NewFile& f : list)
      if (f.path.ends_with(refused)) return f.path + ": No space left on device";
    return FakeDesk::ReplaceFiles(list);
  }
  void Watch(const Bytes& tape) override { watched.push_back(tape); }
  // A run of this score ends: its tape is taken, and kept as the window shows. Then the score
  // that the last run's tape claims, and the places.
  std::string Ends(int score, bool cheated = false) {
    hs.SubmitScore(cheated ? LoadOnlyScore : score, 2, 3, 60 / 86400.0, "");
    hs.TakeTape(TapeOf(score, cheated));
    hs.Form_Activate();
    return std::to_string(ReadTape(files["/opt/flakmire/LastRun.tape"]).tape.claim.score) + ": " +
           Places();
  }
  // The score each place's tape claims, "-" where there is none; "*" after a row to watch.
  std::string Places() {
    std::string seen;
    for (int place = 1; place <= flakmire::Places; ++place) {
      const auto file = files.find("/opt/flakmire/Place" + std::to_string(place) + ".tape");
      seen += file == files.end() ? "-" : std::to_string(ReadTape(file->second).tape.claim.score);
      seen += grid.tapes[place] ? "* " : " ";
    }
    return seen;
  }
};

// Runs of 10, 20, ... 100 points have taken the places; then runs end one after another.
TEST(RunTapes, EachPlaceKeepsItsRunsTapeAndEveryRunIsTheLastRun) {
  Shelf s;
  for (int score = 10; score <= 100; score += 10) s.Ends(score);
  EXPECT_EQ(s.Places(), "100* 90* 80* 70* 60* 50* 40* 30* 20* 10* ");
  // The places below move down with their tapes; the tenth's goes.
  EXPECT_EQ(s.Ends(55), "55: 100* 90* 80* 70* 60* 55* 50* 40* 30* 20* ");
  // No place, or a cheated run: the last run's tape only.
  EXPECT_EQ(s.Ends(5), "5: 100* 90* 80* 70* 60* 55* 50* 40* 30* 20* ");
  EXPECT_EQ(s.Ends(500, true), "500: 100* 90* 80* 70* 60* 55* 50* 40* 30* 20* ");
  EXPECT_TRUE(s.grid.lastRunTape);

  // A place whose tape claims another run shows none: a table restored from its backup (another
  // score, another duration), a cheated run's tape, a tape lost. A new best shifts what there is.
  s.files["/opt/flakmire/Place2.tape"] = TapeOf(91).bytes;
  s.files["/opt/flakmire/Place3.tape"] = TapeOf(80, true).bytes;
  s.files["/opt/flakmire/Place5.tape"] = TapeOf(60, false, 61).bytes;
  s.files.erase("/opt/flakmire/Place4.tape");
  s.hs.Form_Activate();
  EXPECT_EQ(s.Places(), "100* 91 80 - 60 55* 50* 40* 30* 20* ");
  EXPECT_EQ(s.Ends(200), "200: 200* 100* 91 80 - 60 55* 50* 40* 30* ");

  // Watching the seventh place's run hides the window and plays its tape; after it the window is
  // shown again, and nothing was written. A place without its tape plays nothing.
  const auto files = s.files;
  const int writes = s.writes, modals = s.modals;
  s.hs.WatchPlace(3), s.hs.WatchPlace(7), s.hs.ShowModal();
  s.hs.WatchLastRun(), s.hs.ShowModal();
  EXPECT_TRUE(s.watched == (std::vector{files.at("/opt/flakmire/Place7.tape"),
                                        files.at("/opt/flakmire/LastRun.tape")}));
  EXPECT_EQ(s.modals - modals, 4);
  EXPECT_TRUE(s.files == files && s.writes == writes) << "watching writes nothing";
}

// A tape that cannot be written costs nothing but itself: the score is saved, and one message says
// what was not kept. A table that cannot be saved moves no tape: they stay with the table on disk.
TEST(RunTapes, ATapeThatCannotBeWrittenIsToldOfAndATableNotSavedMovesNoTape) {
  Shelf s;
  s.refused = ".tape", s.Ends(70);
  s.hs.LoadIt1();
  EXPECT_EQ(s.hs.Scores[0].Score, 70);
  EXPECT_FALSE(s.grid.tapes[1] || s.grid.lastRunTape);
  s.refused = "LastRun.tape", s.Ends(5);  // the last run's tape is told of as well
  const char* told =
      "High Scores|The tape of this run could not be kept, so it cannot be watched.\r\n\r\n"
      "/opt/flakmire/%s.tape: No space left on device\r\n\r\nThe score is kept all the same.";
  EXPECT_EQ(s.messages, (std::vector{Text(told, "Place1"), Text(told, "LastRun")}));

  Shelf t;
  for (int score = 10; score <= 100; score += 10) t.Ends(score);
  t.refused = "HighScores.dat", t.Ends(55);
  EXPECT_EQ(t.Places(), "100* 90* 80* 70* 60* 50 40 30 20 10 ");
}

}  // namespace
}  // namespace flakmire::testing
