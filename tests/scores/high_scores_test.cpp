// The high-score window's rules (sorting in, the name prompt, file errors and folders) and
// "HighScores.dat": its bytes pinned, round trips, the backup, and the check of its three copies.
// The files kept in tests/scores/files/, the fuzzer's seeds, are what the saver writes today, and
// the loader reads each as its table or meets it with the tamper dialogue; they also pin the
// duration texts, from seconds to a whole day.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "fakes/fake_ports.h"
#include "score_files/score_file_samples.h"

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
    b.hs.SaveIt1(), b.hs.SubmitScore(score, 2, 3, 0, "");
    EXPECT_EQ(b.hs.NewPlace, place) << score;
  }
}

// Asked again after Cancel and blanks; after a name with characters the table cannot keep (Latin-1
// ends at ÿ), told which and asked again holding it; then a name it keeps, one Latin-1 byte a
// character, its "?" as typed.
TEST(HighScores, ANamedRunIsSavedAtOnceAndANewPlaceIsAskedUntilItGivesANameTheTableKeeps) {
  Board b;
  b.hs.SubmitScore(50, 1, 2, 0, "Cy"), b.hs.SubmitScore(60, 4, 11, 125 / 86400.0, "");
  b.desk.names = {"", "   ", " Łukasz 田中 Ł Ā ", "  Zoëÿ? "};
  b.hs.Form_Activate(), b.hs.Form_Activate();  // the second, named: not asked again
  const std::string prompt =
      "High Score: 60|Please enter your name.\r\n\r\nYour REAL name will be appreciated "
      "if\r\nyou qualify for the WWW-HighScores.";
  EXPECT_EQ(b.desk.asked,
            (std::vector<std::string>{prompt, prompt, prompt, prompt + "|Łukasz 田中 Ł Ā"}));
  EXPECT_EQ(b.desk.messages,
            std::vector<std::string>{"High Score: 60|The high-score table cannot keep these "
                                     "characters of your name: Ł 田 中 Ā\r\n\r\nIt keeps the "
                                     "letters, digits and signs of Western European languages. "
                                     "Please change the name."});
  EXPECT_EQ(b.desk.writes, 4);
  EXPECT_EQ(b.desk.grid.cells[1],
            (std::array<std::string, 5>{"60", "Zoëÿ?", "Clocked", "11", "2 min 5 sec"}));
  b.hs.LoadIt1();  // the name as the file keeps it
  EXPECT_EQ(b.hs.Scores[0].PlayerName, "Zo\xEB\xFF?");
}

TEST(HighScores, FilesGoToThePlayersFolderWhenNeededAndTheirErrorsAreToldWhileTheTableStays) {
  Board b;
  b.hs.SubmitScore(70, 2, 3, 0, "Ann");
  const Bytes saved = b.Dat();
  b.desk.unwritable = {"/opt/flakmire"}, b.hs.SubmitScore(80, 2, 3, 0, "Bo");
  b.desk.unwritable = {}, b.desk.unreadable = {"/opt/flakmire/HighScores.dat"};
  // Two deaths: each check tells of the unreadable file, the run's own load does not tell it
  // again, and the old file can't be backed up: it stays.
  for (int death = 0; death < 2; ++death)
    b.hs.SubmitScore(LoadOnlyScore, 0, 0, 0, ""), b.hs.SubmitScore(90 + death, 2, 3, 0, "Cy");
  const std::string saving = "High Scores|The high scores could not be saved.",
                    reading = "High Scores|The high scores could not be read.";
  ASSERT_EQ(b.desk.messages.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(b.desk.messages[i].find(i % 2 ? reading : saving), 0u) << i;
  EXPECT_EQ(b.desk.grid.cells[4][1], "Ann");
  EXPECT_EQ(b.Dat(), saved);

  // The program's folder unwritable, the files go to the player's; with nowhere to write, to the
  // program's, where a save will say why it can't.
  for (const bool nowhere : {false, true}) {
    Board c;
    c.desk.unwritable = {"/opt/flakmire", nowhere ? "/home/me" : ""};
    EXPECT_EQ(c.hs.ScoreFolder(), nowhere ? "/opt/flakmire" : "/home/me");
  }
}

TEST(ScoreFile, AFileWrittenByHandLoadsAsItsTableAndIsWrittenAgainFromItsDraws) {
  // Version 1, random byte 7, plain size 342, the key (19); then copy 1 scrambled: 1000 "Zoë"
  // Bomb level 3 "5 sec", 0 unnamed, eight unset places. Six key lengths a copy: all three alike.
  // The header's 7 bytes, the key's 19 and the body's first 31.
  Bytes file = {0x01, 0x07, 0x56, 0x01, 0x00, 0x00, 0x13, 0x1E, 0xC8, 0xFA, 0x01, 0x11,
                0x63, 0x80, 0xFF, 0x00, 0x40, 0x07, 0xB4, 0x21, 0x5A, 0xDE, 0x05, 0x8D,
                0x4D, 0x0C, 0x07, 0xCB, 0xFA, 0x01, 0x19, 0x63, 0x83, 0xFF, 0x5A, 0xAF,
                0xF2, 0xB6, 0x24, 0x62, 0xDE, 0x0A, 0x8D, 0x82, 0x2C, 0x91, 0x2E, 0x5E,
                0x01, 0x11, 0x63, 0x80, 0x08, 0x00, 0x40, 0x07, 0xB4, 0x21, 0x5A, 0xDE};
  while (file.size() < 26 + 114) file.push_back(file[7 + (file.size() - 26) % 19]);
  while (file.size() < 26 + 3 * 114) file.push_back(file[file.size() - 114]);
  Board b;
  b.Dat() = file, b.hs.LoadIt1();
  EXPECT_EQ(b.hs.Scores[0], (ScoreRecord{1000, 3, "5 sec", "Zo\xEB", 2}));
  EXPECT_EQ(b.hs.Scores[1], (ScoreRecord{0, 0, std::nullopt, "", 0}));
  // Draws for byte 7, length 19 and the key: halves round to even, 255.9 to 256 and so 255.
  b.desk.queue = {0.55f, 3.01f / 230};
  for (const float k : {30.f, 199.7f, 250.5f, 1.f, 17.f, 99.f, 128.f, 255.9f, 0.5f, 64.f, 7.f,
                        180.f, 33.f, 90.f, 222.f, 5.f, 141.f, 77.f, 12.f})
    b.desk.queue.push_back(k / 256);
  b.hs.SaveIt1();
  EXPECT_EQ(b.Dat(), file);
}

// The backup that a save leaves is the damaged-file table's to check.
TEST(ScoreFile, SavesKeepEveryRecordUnderAFreshKey) {
  Board b;
  b.hs.Scores[0] = {511, 11, "1 hr ", std::string(255, 'x'), 4};
  b.hs.Scores[1] = {255, 255, "", "", 255};
  b.hs.Scores[2] = {-1, 1, std::nullopt, "\xFF\xFE", 1};
  b.hs.Scores[3] = {65535, 2, std::string(70000, 'y'), std::nullopt, 3};
  b.hs.SaveIt1();
  const Bytes first = b.Dat();
  b.hs.SaveIt1();
  EXPECT_TRUE(b.Dat() != first && Decrypt(b.Dat()) == Decrypt(first)) << "the same, a new key";
  ScoreTable saved = b.hs.Scores;
  saved[3].Lasted->resize(LongestText);  // all that a count of two bytes can say
  b.hs.Scores = {}, b.hs.LoadIt1();
  EXPECT_EQ(b.hs.Scores, saved);
}

TEST(ScoreFile, RecordsMatchInEveryFieldWithUnsetTextsEqualToEmptyOnes) {
  EXPECT_TRUE(RecordsMatch({}, {0, 0, "", "", 0}));
  // A record, then one that differs from it in each field.
  // clang-format off
  const ScoreRecord a{5, 2, "1 min ", "Ann", 3}, others[] = {
      {6, 2, "1 min ", "Ann", 3}, {5, 3, "1 min ", "Ann", 3}, {5, 2, "1 min", "Ann", 3},
      {5, 2, "1 min ", "ann", 3}, {5, 2, "1 min ", "Ann", 4}};
  // clang-format on
  for (const ScoreRecord& b : others) EXPECT_FALSE(RecordsMatch(a, b)) << b.Level << *b.Lasted;
}

// A saved file damaged. Saved over, it stays out of the backup, which keeps the last whole table,
// unless the backup holds no whole table either (after the first save it is empty); a whole file
// takes its place. Loaded, its copies' disagreement is met with the tamper dialogue, which ends
// the program: nothing more written nor shown.
TEST(ScoreFile, DamageIsLeftToTheTamperCheckAndTheBackupKeepsTheLastWholeTable) {
  const std::string naughty = "Naughty Naughty Naughty|",
                    question = naughty +
                               "Oh dear.  It appears that the HighScore file has been tampered "
                               "with.\r\nYou were trying to cheat weren't you?",
                    warning = naughty + "If you try that again, I'll delete ALL the HighScores.",
                    corrupt =
                        "Hmm...|Maybe the file's corrupt then?\r\nLuckily there's a "
                        "backup.  But I'll let you handle all that.";
  // The damage to a file of three copies of `n` bytes each, the saves before it, whether the
  // backup stays, the answer to the dialogue, and the boxes shown.
  using Damage = void (*)(Bytes & file, std::size_t n);
  using enum MessageAnswer;
  const std::tuple<Damage, int, bool, MessageAnswer, std::vector<std::string>> rows[] = {
      // clang-format off
      // place 10's score in copy 2; a tag in copy 3, after the first save; copy 3 cut short
      {[](Bytes& f, auto n) { f[f.size() - n - 10] ^= 1; }, 2, true, Yes, {question, warning}},
      {[](Bytes& f, auto) { f.back() ^= 4; }, 1, false, No, {question, corrupt}},
      {[](Bytes& f, auto n) { f.resize(f.size() - n + 5); }, 2, true, Closed, {question}},
      // short of its last byte; a key past the end; cut inside its header; nothing; none
      {[](Bytes& f, auto) { f.pop_back(); }, 2, true, {}, {}},
      {[](Bytes& f, auto) { f.resize(20); }, 2, true, {}, {}},
      {[](Bytes& f, auto) { f.resize(5); }, 2, true, {}, {}},
      {[](Bytes& f, auto) { f.clear(); }, 2, true, {}, {}}, {[](Bytes&, auto) {}, 2, false, {}, {}}};
  // clang-format on
  for (const auto& [damage, saves, kept, answer, shown] : rows) {
    Board b;
    b.hs.Scores[0] = {300, 4, "2 min ", "Bo", 2};
    for (int save = 0; save < saves; ++save) b.hs.SaveIt1();
    const Bytes backup = b.Bak();
    damage(b.Dat(), Decrypt(b.Dat()).size() / 3);
    const Bytes damaged = b.Dat();
    b.hs.SaveIt1();
    EXPECT_TRUE(b.Bak() == (kept ? backup : damaged)) << damaged.size() << " " << saves;
    b.Dat() = damaged, b.desk.grid = {}, b.desk.answer = answer, b.desk.writes = 0;
    b.hs.SubmitScore(LoadOnlyScore, 0, 0, 0, ""), b.hs.SubmitScore(500, 1, 2, 0, "Ann");
    b.hs.ShowModal();
    EXPECT_EQ(b.desk.messages, shown) << damaged.size();
    // Once tampered with: the end, nothing more written nor shown.
    EXPECT_EQ(std::tuple(b.desk.ended, b.desk.writes > 0, b.desk.modals, b.desk.grid.cells[1][0]),
              shown.empty() ? std::tuple(false, true, 1, "500") : std::tuple(true, false, 0, ""));
  }
}

TEST(ScoreFileSamples, TheKeptFilesAreWhatTheSaverWritesTodayAndEachLoadsOrMeetsTheDialogue) {
  for (const ScoreFileSample& sample : ScoreFileSamples()) {
    Board b;
    std::ifstream kept(FLAKMIRE_SCORE_FILES "/" + sample.name, std::ios::binary);
    b.Dat() = Bytes{std::istreambuf_iterator<char>(kept), {}};
    EXPECT_EQ(b.Dat(), sample.bytes)
        << sample.name << " differs from what the saver writes now; if the format changed on "
        << "purpose, write them anew: build/tests/scores/make_score_files tests/scores/files";
    b.hs.LoadIt1();
    EXPECT_EQ(b.desk.ended, !sample.table) << sample.name;
    EXPECT_EQ(b.hs.Scores, sample.table.value_or(b.hs.Scores)) << sample.name;
  }
}

}  // namespace
}  // namespace flakmire::testing
