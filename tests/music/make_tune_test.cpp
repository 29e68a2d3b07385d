// The tune generator: a mistake in the notes is reported with its line, and nothing is written.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace flakmire {
namespace {

namespace fs = std::filesystem;

TEST(MakeTune, ReportsAMistakeWithItsLineAndWritesNothing) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("make_tune." + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path tune = dir / "in.tune", out = dir / "out.mid", errors = dir / "errors";
  // A bar on line 4, and what is said of it.
  for (const auto& [bar, says] : std::initializer_list<std::pair<std::string, std::string>>{
           {"lead | H4/1 |", "4: error: unknown note 'H4'"},
           {"lead | C4/4 C4/4 C4/4 |",
            "4: error: bar 1 on this line lasts 3 quarter notes instead of 4"},
           {"drum | C4/1 |", "4: error: 'drum' is not a track"}}) {
    std::ofstream(tune) << "track lead channel 1\ntrack bass channel 2\nsection a\n"
                        << bar << "\nplay a\n";
    const std::string command = std::string(MAKE_TUNE) + " '" + tune.string() + "' '" +
                                out.string() + "' 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << bar;
    std::stringstream said;
    said << std::ifstream(errors).rdbuf();
    EXPECT_NE(said.str().find(tune.string() + ":" + says), std::string::npos) << said.str();
    EXPECT_FALSE(fs::exists(out));
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace flakmire
