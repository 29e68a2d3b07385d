// The command line: --help and --version answer and end the program well, anything else is
// refused with a word on what and status 1, and no argument plays.

#include "desktop/command_line.h"

#include <gtest/gtest.h>

namespace flakmire::testing {
namespace {

TEST(CommandLine, AnswersHelpAndVersionAndRefusesAnythingElse) {
  const std::tuple<QStringList, int, const char*> rows[] = {
      {{"/usr/games/flakmire", "--help"}, 0, "Usage: flakmire [options]\n"},
      {{"flakmire", "-h"}, 0, "  -v, --version    Show the version and end.\n"},
      {{"flakmire", "--version"}, 0, "Flakmire " FLAKMIRE_VERSION "\n"},
      {{"flakmire", "--level=3"}, 1, "flakmire: Unknown option 'level'."},
      {{"flakmire", "--help", "-x"}, 1, "flakmire: Unknown option 'x'."},
      {{"flakmire", "scores.dat"}, 1, "flakmire: Unexpected argument 'scores.dat'"},
      {{"flakmire", "--verify"}, 1, "flakmire: Missing value after '--verify'."},
      {{"flakmire", "--verify", "a", "--watch", "b"}, 1, "one tape at a time"},
  };
  for (const auto& [arguments, status, says] : rows) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_TRUE(line.answered) << arguments.join(' ').toStdString();
    EXPECT_EQ(line.status, status) << arguments.join(' ').toStdString();
    EXPECT_TRUE(line.text.contains(says)) << line.text.toStdString();
  }
  EXPECT_FALSE(ParseCommandLine({"flakmire"}).answered) << "no argument: play";
  const CommandLine verify = ParseCommandLine({"flakmire", "--verify", "a b.tape"});
  const CommandLine watch = ParseCommandLine({"flakmire", "--watch=LastRun.tape"});
  EXPECT_EQ((QStringList{verify.verify, verify.watch, watch.verify, watch.watch}),
            (QStringList{"a b.tape", "", "", "LastRun.tape"}));
}

}  // namespace
}  // namespace flakmire::testing
