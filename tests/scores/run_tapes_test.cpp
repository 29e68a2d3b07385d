// The tapes kept beside the table: shifted with the places, the last run's always, a row that can
// be watched only with a tape that claims just that row, and watching them.

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

// A tape that claims a run of this score, level 3, killed by a bomb, that lasted a minute.
KeptTape TapeOf(int score, bool cheated = false) {
  Tape tape;
  tape.claim = {score, 3, 2, 60 / 86400.0, cheated};
  return {WriteTape(tape), tape.claim};
}

// The score each place's tape claims, "-" where there is none, and "*" after a row that can be
// watched.
std::string Shelf(Board& b) {
  std::string seen;
  for (int place = 1; place <= Places; ++place) {
    const auto file = b.desk.files.find("/opt/flakmire/Place" + std::to_string(place) + ".tape");
    seen +=
        file == b.desk.files.end() ? "-" : std::to_string(ReadTape(file->second).tape.claim.score);
    seen += b.desk.grid.tapes[place] ? "* " : " ";
  }
  return seen;
}

struct Viewer final : TapeViewer {
  std::vector<Bytes> watched;
  void Watch(const Bytes& tape) override { watched.push_back(tape); }
};

// A run of 100, 90, ... 10 points has taken each place; then runs end one after another.
TEST(RunTapes, EachPlaceKeepsItsRunsTapeAndEveryRunIsTheLastRun) {
  Viewer viewer;
  Board b;
  HighScores hs{ScorePorts{b.desk, b.desk, b.desk, b.desk, "/opt/flakmire", "/opt", viewer}};
  for (int score = 10; score <= 100; score += 10) {
    hs.SubmitScore(score, 2, 3, 60 / 86400.0, "");
    hs.TakeTape(TapeOf(score));
    hs.Form_Activate();
  }
  EXPECT_EQ(Shelf(b), "100* 90* 80* 70* 60* 50* 40* 30* 20* 10* ");
  const auto ends = [&](int score, bool cheated = false) {
    hs.SubmitScore(cheated ? LoadOnlyScore : score, 2, 3, 60 / 86400.0, "");
    hs.TakeTape(TapeOf(score, cheated));
    hs.Form_Activate();
    return ReadTape(b.desk.files["/opt/flakmire/LastRun.tape"]).tape.claim.score;
  };
  EXPECT_EQ(ends(55), 55);  // the places below move down with their tapes; the tenth's goes
  EXPECT_EQ(Shelf(b), "100* 90* 80* 70* 60* 55* 50* 40* 30* 20* ");
  EXPECT_EQ(ends(5), 5);  // no place: the last run's tape only
  EXPECT_EQ(ends(500, true), 500);
  EXPECT_EQ(Shelf(b), "100* 90* 80* 70* 60* 55* 50* 40* 30* 20* ");
  EXPECT_TRUE(b.desk.grid.lastRunTape);

  // A place whose tape claims another run shows none: a table restored from its backup, a tape
  // lost. A new best then shifts what there is.
  b.desk.files["/opt/flakmire/Place2.tape"] = TapeOf(91).bytes;
  b.desk.files.erase("/opt/flakmire/Place4.tape");
  hs.Form_Activate();
  EXPECT_EQ(Shelf(b), "100* 91 80* - 60* 55* 50* 40* 30* 20* ");
  ends(200);
  EXPECT_EQ(Shelf(b), "200* 100* 91 80* - 60* 55* 50* 40* 30* ");

  // Watching the sixth place's run hides the window and plays its tape; after it the window is
  // shown again, and nothing was written. A place without its tape plays nothing.
  const auto files = b.desk.files;
  const int writes = b.desk.writes, modals = b.desk.modals;
  hs.WatchPlace(3);
  hs.WatchPlace(6);
  hs.ShowModal();
  ASSERT_EQ(viewer.watched.size(), 1u);
  EXPECT_EQ(viewer.watched[0], files.at("/opt/flakmire/Place6.tape"));
  hs.WatchLastRun();
  hs.ShowModal();
  EXPECT_EQ(viewer.watched.back(), files.at("/opt/flakmire/LastRun.tape"));
  EXPECT_EQ(b.desk.modals - modals, 4);
  EXPECT_TRUE(b.desk.files == files && b.desk.writes == writes) << "watching writes nothing";
}

// A tape that cannot be written costs nothing but itself: the score is saved, and one message says
// what was not kept. A table that cannot be saved moves no tape: the tapes stay with the table on
// the disk.
TEST(RunTapes, ATapeThatCannotBeWrittenIsToldOfAndATableNotSavedMovesNoTape) {
  struct Refusing final : FakeDesk {
    std::string refused;  // the end of the paths that cannot be written
    std::string ReplaceFiles(std::span<const NewFile> list) override {
      for (const NewFile& f : list) {
        if (f.path.ends_with(refused)) return f.path + ": No space left on device";
      }
      return FakeDesk::ReplaceFiles(list);
    }
  };
  Refusing desk;
  desk.refused = ".tape";
  HighScores hs{ScorePorts{desk, desk, desk, desk, "/opt/flakmire", "/opt"}};
  hs.SubmitScore(70, 2, 3, 60 / 86400.0, "");
  hs.TakeTape(TapeOf(70));
  hs.Form_Activate();
  ASSERT_EQ(desk.messages.size(), 1u);
  EXPECT_EQ(
      desk.messages[0],
      "High Scores|The tape of this run could not be kept, so it cannot be watched.\r\n\r\n"
      "/opt/flakmire/Place1.tape: No space left on device\r\n\r\nThe score is kept all the same.");
  HighScores again{ScorePorts{desk, desk, desk, desk, "/opt/flakmire", "/opt"}};
  again.LoadIt1();
  EXPECT_EQ(again.Scores[0].Score, 70);
  EXPECT_FALSE(desk.grid.tapes[1] || desk.grid.lastRunTape);

  Board b;
  for (int score = 10; score <= 100; score += 10) {
    b.hs.SubmitScore(score, 2, 3, 60 / 86400.0, "");
    b.hs.TakeTape(TapeOf(score));
    b.hs.Form_Activate();
  }
  b.desk.unwritable = {"/opt/flakmire"};
  b.hs.SubmitScore(55, 2, 3, 60 / 86400.0, "");
  b.hs.TakeTape(TapeOf(55));
  b.hs.Form_Activate();
  EXPECT_EQ(Shelf(b), "100* 90* 80* 70* 60* 50 40 30 20 10 ");
}

}  // namespace
}  // namespace flakmire::testing
