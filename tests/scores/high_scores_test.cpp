// The high-score window's rules: sorting in, the name prompt, durations, file errors and folders.

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

TEST(HighScores, ARunNeedsAStrictlyHigherScoreThanThePlaceAboveIt) {
  // A table of best, best - step, ...; a run of score lands at place (-1: out). The dummy never
  // enters.
  // clang-format off
  const int rows[][4] = {{100, 10, 10, -1}, {100, 10, 11, 10}, {100, 10, 90, 3}, {100, 10, 101, 1},
                         {0, 0, 0, -1}, {0, 0, 1, 1}, {-5, 0, LoadOnlyScore, -1}};
  // clang-format on
  for (const auto [best, step, score, place] : rows) {
    Board b;
    for (int i = 0; i < Places; ++i) b.hs.Scores[i].Score = best - step * i;
    b.hs.SaveIt1();
    b.hs.SubmitScore(score, 2, 3, 0, "");
    EXPECT_EQ(b.hs.NewPlace, place) << score;
  }
}

TEST(HighScores, ANamedRunIsSavedAtOnceAndANewPlaceIsAskedItsNameUntilItGivesOne) {
  Board b;
  b.hs.SubmitScore(50, 1, 2, 0, "Cy");
  b.hs.SubmitScore(60, 4, 11, 125 / 86400.0, "");
  b.desk.names = {"", "   ", "  Zoë 李 "};  // Cancel, blanks, a name
  b.hs.Form_Activate();
  b.hs.Form_Activate();  // named: not asked again
  ASSERT_EQ(b.desk.asked.size(), 3u);
  EXPECT_EQ(b.desk.asked[2],
            "High Score: 60|Please enter your name.\r\n\r\nYour REAL name will be appreciated "
            "if\r\nyou qualify for the WWW-HighScores.");
  EXPECT_EQ(b.hs.Scores[0].PlayerName, "Zo\xEB ?") << "one Latin-1 byte a character";
  EXPECT_EQ(b.desk.writes, 4);
  EXPECT_EQ(b.desk.grid.cells[1],
            (std::array<std::string, 5>{"60", "Zoë ?", "Clocked", "11", "2 min 5 sec"}));
}

TEST(HighScores, DurationTextsCountTheHoursMinutesAndSecondsOfTheDay) {
  // The last row drops a whole day, and is a hair under 95 s.
  // clang-format off
  const std::pair<double, const char*> rows[] = {{3725, "1 hr 2 min 5 sec"}, {60, "1 min "},
      {0, ""}, {3600, "1 hr "}, {59, "59 sec"}, {2 * 86400 + 95, "1 min 35 sec"}};
  // clang-format on
  for (const auto& [seconds, text] : rows) EXPECT_EQ(DurationText(seconds / 86400), text);
}

TEST(HighScores, FileErrorsAreToldWhileTheTableStaysInMemoryAndOnTheDisk) {
  Board b;
  b.hs.SubmitScore(70, 2, 3, 0, "Ann");
  const Bytes saved = b.Dat();
  b.desk.unwritable = {"/opt/flakmire"};
  b.hs.SubmitScore(80, 2, 3, 0, "Bo");
  b.desk.unwritable = {};
  b.desk.unreadable = {"/opt/flakmire/HighScores.dat"};
  b.hs.SubmitScore(90, 2, 3, 0, "Cy");  // the old file can't be backed up: it stays
  EXPECT_EQ(b.desk.messages.at(0).find("High Scores|The high scores could not be saved."), 0u);
  EXPECT_EQ(b.desk.messages.at(1).find("High Scores|The high scores could not be read."), 0u);
  EXPECT_EQ(b.desk.grid.cells[3][1], "Ann");
  EXPECT_EQ(b.Dat(), saved);
}

TEST(HighScores, TheFilesGoToThePlayersOwnFolderWhenTheProgramsIsNotWritable) {
  Board b;
  b.desk.unwritable = {"/opt/flakmire"};
  b.hs.SubmitScore(5, 1, 1, 0, "Ann");
  EXPECT_EQ(b.desk.files.count("/home/me/HighScores.dat"), 1u);
  Board nowhere;  // to write: the program's folder, where a save will say why it can't
  nowhere.desk.unwritable = {"/opt/flakmire", "/home/me"};
  EXPECT_EQ(nowhere.hs.ScoreFolder(), "/opt/flakmire");
}

}  // namespace
}  // namespace flakmire::testing
