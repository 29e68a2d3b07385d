// A save killed at any moment leaves "HighScores.dat" whole: the table before it or the one it
// wrote, and "HighScores.BAK" the one before that. A child process saves one table after another
// through the game's rules and its real file store; the test kills it with SIGKILL at a random
// moment and reads the disk. A program of its own: it forks.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "desktop/score_ports.h"
#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

// Save n's table: place 1 scores 100 n + 99; long names, so that a save takes a while.
ScoreTable Generation(int n) {
  ScoreTable table;
  for (int place = 0; place < Places; ++place)
    table[place] = {n * 100 + 99 - place, 1, "1 min ", std::string(200, 'a' + place), 2};
  return table;
}

// The save whose whole table the file holds; -1 for none, -2 for an empty file.
int GenerationOf(const FileRead& file) {
  if (file.bytes.empty()) return file.found ? -2 : -1;
  const PlainTable plain = ReadPlainTable(Decrypt(file.bytes));
  const int n = plain.copies[0][0].Score / 100;
  const ScoreTable expected = Generation(n);
  const bool whole = CopiesAgree(plain) &&
                     std::equal(plain.copies[0].begin(), plain.copies[0].end(), expected.begin());
  return whole ? n : -1;
}

TEST(SaveKill, AKilledSaveLeavesTheOldTableOrTheNewOneAndItsBackup) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  QtFileStore files;
  FakeDesk desk;
  HighScores hs{ScorePorts{files, desk, desk, desk, folder, folder}};
  using Clock = std::chrono::steady_clock;
  const Clock::time_point started = Clock::now();
  hs.Scores = Generation(0), hs.SaveIt1(), hs.SaveIt1();
  // Kills fall anywhere in a child's first three saves, in microseconds; a round whose kill came
  // before the first save was whole widens the window an eighth, so a slow machine still sees
  // kills among the saves.
  long longest = std::clamp<long>(
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started).count() * 3 / 2,
      300, 50000);
  std::mt19937 random(1);
  int last = 0, movedOn = 0;
  for (int round = 0; round < 120; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
      alarm(20);  // outlives no test
      hs.LoadIt1();
      int n = hs.Scores[0].Score / 100;
      if (!desk.messages.empty() || write(ready[1], "r", 1) != 1) _exit(1);
      for (;;) {
        hs.Scores = Generation(++n), hs.SaveIt1();
        if (!desk.messages.empty()) _exit(1);
      }
    }
    close(ready[1]);
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the saving child could not start";
    close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % longest));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the child ended by itself";
    const int dat = GenerationOf(files.ReadFile(folder + "/HighScores.dat", LongestScoreFile));
    const int bak = GenerationOf(files.ReadFile(folder + "/HighScores.BAK", LongestScoreFile));
    ASSERT_GE(dat, last) << "round " << round
                         << ": HighScores.dat is no whole table, or an old one";
    ASSERT_TRUE(bak == dat || bak == dat - 1) << "round " << round << ": the backup holds " << bak;
    movedOn += dat > last, longest = std::min(longest + (dat > last ? 0 : longest / 8), 1000000L);
    last = dat;
  }
  EXPECT_GE(movedOn, 20) << "the kills fell among the saves, not all before the first; saves "
                         << last << ", longest wait " << longest << " us";
}

}  // namespace
}  // namespace flakmire::testing
