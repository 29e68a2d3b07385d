// The high-score files on a real disk, in a temporary folder: a save that cannot write keeps both
// old files as they were, and only regular files are read or replaced. Each case tells the player.

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
#include <QTemporaryDir>
#include <cstddef>
#include <fstream>
#include <iterator>

#include "desktop/score_ports.h"
#include "fakes/fake_ports.h"

namespace flakmire::testing {
namespace {

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
      const bool told =
          b.desk.messages.size() == 1 && b.desk.messages[0].starts_with(
                                             "High Scores|The high scores could not be "
                                             "saved.");
      _exit(told ? 0 : 1);
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
    EXPECT_TRUE(
        b.desk.messages.back().starts_with("High Scores|The high scores could not be saved"))
        << how;
  }
}

}  // namespace
}  // namespace flakmire::testing
