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

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "desktop/score_ports.h"
#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

namespace fs = std::filesystem;

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

// In a child, a long table's save over a short one meets what stands in its way: a limit on the
// bytes a file may hold (SIGXFSZ ignored, so that writes fail), under which the backup's write
// fails (0) or the table's (1000); flushes that fail; a pipe or a link named as the table or as
// the backup. The load neither waits on the pipe nor reads through the link, and the save replaces
// neither of them nor the link's target. Every time both old files stay as they were, nothing is
// left behind, the table stays in memory, and the player is told: of the save, and of the load
// when the table is no regular file.
TEST(FileStore, ASaveThatCannotWriteOrMeetsNoRegularFileKeepsBothOldFilesAndTellsThePlayer) {
  enum Way { Limit0, Limit1000, Flushes, PipeAsTable, LinkAsTable, PipeAsBackup, LinkAsBackup };
  for (int way = Limit0; way <= LinkAsBackup; ++way) {
    const bool pipe = way == PipeAsTable || way == PipeAsBackup, named = way >= PipeAsTable;
    DiskBoard b;
    b.Save(10, 1), b.Save(20, 1);
    const std::string dat = Contents(b.dat), bak = Contents(b.bak), target = b.folder + "/to";
    ASSERT_TRUE(dat.size() < 1000 && !bak.empty());
    std::ofstream(target) << "keep me";
    const std::string& odd = way >= PipeAsBackup ? b.bak : named ? b.dat : target;
    if (named) unlink(odd.c_str());
    ASSERT_EQ(!named ? 0 : pipe ? mkfifo(odd.c_str(), 0600) : symlink("to", odd.c_str()), 0);
    const pid_t child = fork();
    if (child == 0) {
      alarm(10);  // a load that waits on the pipe fails the test
      b.hs.LoadIt1();
      const rlim_t limit = way == Limit0 ? 0 : 1000;
      const rlimit most{limit, limit};
      if (way <= Limit1000) signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &most);
      if (way == Flushes) FailFlushes();
      b.Save(30, 400);
      const std::vector<std::string>& said = b.desk.messages;
      const std::size_t told = way == PipeAsTable || way == LinkAsTable ? 2 : 1;
      _exit(said.size() != told || !said.back().starts_with(Unsaved) ||
            b.desk.grid.cells[1][0] != "30");
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << way
                         << (WEXITSTATUS(status) == 2 ? ": flushes would not fail" : ": not told");
    const fs::file_type type = fs::symlink_status(odd).type();
    EXPECT_TRUE(!named || type == (pipe ? fs::file_type::fifo : fs::file_type::symlink)) << way;
    EXPECT_EQ(Contents(target), "keep me") << way;
    EXPECT_TRUE((odd == b.dat || Contents(b.dat) == dat) &&
                (odd == b.bak || Contents(b.bak) == bak))
        << way << ": a file changed";
    EXPECT_EQ(std::distance(fs::directory_iterator(b.folder), {}), 3) << way << ": left behind";
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
  QElapsedTimer started;
  started.start(), b.hs.Scores = Generation(0), b.hs.SaveIt1(), b.hs.SaveIt1();
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
      b.hs.LoadIt1();
      int n = b.hs.Scores[0].Score / 100;
      if (!b.desk.messages.empty() || write(ready[1], "r", 1) != 1) _exit(1);
      for (;;) {
        b.hs.Scores = Generation(++n), b.hs.SaveIt1();
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
    ASSERT_GE(dat, last) << "round " << round << ": the table is no whole one, or an old one";
    ASSERT_TRUE(bak == dat || bak == dat - 1) << "round " << round << ": the backup holds " << bak;
    movedOn += dat > last, longest = std::min(longest + (dat > last ? 0 : longest / 8), 1000000L);
    last = dat;
  }
  EXPECT_GE(movedOn, 20) << "the kills fell among the saves, not all before the first; saves "
                         << last << ", longest wait " << longest << " us";
}

}  // namespace
}  // namespace flakmire::testing
