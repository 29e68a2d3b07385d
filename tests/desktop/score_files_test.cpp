// The high-score files on a real disk, in a temporary folder. A save killed at any moment leaves
// "HighScores.dat" whole: the table before it or the one it wrote, and "HighScores.BAK" the one
// before that. A save that cannot write keeps both old files as they were, and only regular files
// are read or replaced; each case tells the player. A program of its own: it forks.

#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <random>

#include "desktop/score_ports.h"
#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

// What a save that could not write tells the player.
constexpr const char* Unsaved = "High Scores|The high scores could not be saved.";

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct DiskBoard {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const std::string dat = folder + "/HighScores.dat", bak = folder + "/HighScores.BAK";
  QtFileStore files;
  FakeDesk desk;
  HighScores hs{ScorePorts{files, desk, desk, desk, folder, folder}};

  // Saves a table whose names are `length` long, so that its file is about 30 x length bytes.
  void Save(int score, std::size_t length) {
    hs.Scores[0] = {score, 1, "1 min ", std::string(length, 'n'), 2};
    hs.SaveIt1();
  }
};

// Makes every fsync of this process fail, as a disk that cannot keep what it was given.
void FailFlushes() {
  sock_filter code[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fsync, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  const sock_fprog filter{std::size(code), code};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter))
    _exit(2);
}

// A child that may write at most `limit` bytes a file (SIGXFSZ ignored, so that writes fail), or
// whose flushes fail (no limit), saves a long table over a short one: under 0 the backup's write
// fails, under 1000 the table's.
TEST(FileStore, ASaveThatCannotWriteKeepsBothOldFilesAndTellsThePlayer) {
  for (const rlim_t limit : {rlim_t{0}, rlim_t{1000}, RLIM_INFINITY}) {
    DiskBoard b;
    b.Save(10, 1), b.Save(20, 1);
    const std::string dat = Contents(b.dat), bak = Contents(b.bak);
    ASSERT_TRUE(dat.size() < 1000 && !bak.empty());
    const pid_t child = fork();
    if (child == 0) {
      const rlimit most{limit, limit};
      signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &most);
      if (limit == RLIM_INFINITY) FailFlushes();
      b.Save(30, 400);
      _exit(b.desk.messages.size() == 1 && b.desk.messages[0].starts_with(Unsaved) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << limit
                         << (WEXITSTATUS(status) == 2 ? ": flushes could not be made to fail"
                                                      : ": the player was not told");
    EXPECT_TRUE(Contents(b.dat) == dat && Contents(b.bak) == bak) << limit << ": a file changed";
    EXPECT_EQ(QDir(b.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "left behind";
  }
}

// A pipe or a link named as the table or as the backup: the load neither waits on the pipe nor
// reads through the link, and the save replaces neither of them nor the link's target, nor the
// table. Each is told, and the table stays in memory.
TEST(FileStore, OnlyRegularFilesAreReadOrReplaced) {
  for (int how = 0; how < 4; ++how) {
    const bool pipe = how & 1, backup = how & 2;
    DiskBoard b;
    const std::string target = b.folder + "/elsewhere", &odd = backup ? b.bak : b.dat;
    std::ofstream(target) << "keep me";
    if (backup) b.Save(10, 1), b.Save(20, 1);
    const std::string dat = Contents(b.dat);
    unlink(odd.c_str());
    ASSERT_EQ(pipe ? mkfifo(odd.c_str(), 0600) : symlink(target.c_str(), odd.c_str()), 0);
    alarm(10);  // a load that waits on the pipe fails the test
    b.hs.LoadIt1();
    b.Save(40, 1);
    alarm(0);
    struct stat info {};
    lstat(odd.c_str(), &info);
    EXPECT_TRUE(pipe ? S_ISFIFO(info.st_mode) : S_ISLNK(info.st_mode)) << how;
    EXPECT_EQ(Contents(target), "keep me") << how;
    EXPECT_TRUE(!backup || Contents(b.dat) == dat) << how << ": the table was replaced";
    EXPECT_EQ(b.desk.grid.cells[1][0], "40") << how;
    ASSERT_EQ(b.desk.messages.size(), backup ? 1u : 2u) << how;
    EXPECT_TRUE(b.desk.messages.back().starts_with(Unsaved)) << how;
  }
  // A folder is no file, and nothing is written in a folder that is not there.
  DiskBoard b;
  EXPECT_NE(b.files.ReadFile(b.folder, 10).error, "");
  const NewFile nowhere{b.folder + "/none/HighScores.dat", {}};
  EXPECT_NE(b.files.ReplaceFiles({&nowhere, 1}), "");
  EXPECT_TRUE(b.files.CanWriteIn(b.folder) && !b.files.CanWriteIn(b.folder + "/none"));
}

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

// A child process saves one table after another through the game's rules and the real file
// store; the test kills it with SIGKILL at a random moment and reads the disk.
TEST(SaveKill, AKilledSaveLeavesTheOldTableOrTheNewOneAndItsBackup) {
  DiskBoard b;
  HighScores& hs = b.hs;
  QElapsedTimer started;
  started.start(), hs.Scores = Generation(0), hs.SaveIt1(), hs.SaveIt1();
  // Kills fall anywhere in a child's first three saves, in microseconds; a round whose kill came
  // before the first save was whole widens the window an eighth, so a slow machine still sees
  // kills among the saves.
  long longest = std::clamp<long>(started.nsecsElapsed() / 1000 * 3 / 2, 300, 50000);
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
      if (!b.desk.messages.empty() || write(ready[1], "r", 1) != 1) _exit(1);
      for (;;) {
        hs.Scores = Generation(++n), hs.SaveIt1();
        if (!b.desk.messages.empty()) _exit(1);
      }
    }
    close(ready[1]);
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the saving child could not start";
    close(ready[0]);
    usleep(random() % longest);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the child ended by itself";
    const int dat = GenerationOf(b.files.ReadFile(b.dat, LongestScoreFile));
    const int bak = GenerationOf(b.files.ReadFile(b.bak, LongestScoreFile));
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
