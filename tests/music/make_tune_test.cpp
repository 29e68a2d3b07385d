#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "smf.h"

namespace flakmire::music_test {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
  return '\'' + path.string() + '\'';
}

std::string Text(const fs::path& path) {
  const std::vector<std::uint8_t> bytes = ReadFile(path.string());
  return {bytes.begin(), bytes.end()};
}

class MakeTune : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Tune(const std::string& text) {
    std::ofstream(dir_ / "in.tune") << text;
    return dir_ / "in.tune";
  }
  // Runs make_tune; its exit code (-1 if it crashed), and what it said on stderr.
  std::pair<int, std::string> Run(const std::string& arguments) {
    const std::string command =
        Quoted(MAKE_TUNE) + " " + arguments + " 2>" + Quoted(dir_ / "errors");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Text(dir_ / "errors")};
  }
  std::pair<int, std::string> Run(const fs::path& in, const fs::path& out) {
    return Run(Quoted(in) + " " + Quoted(out));
  }

  const fs::path dir_ = fs::path(::testing::TempDir()) / ("make_tune." + std::to_string(getpid()));
  const fs::path out_ = dir_ / "out.mid";
};

TEST(Dropling, IsAWellFormedMidiFileOfTheRightLength) {
  const Smf smf = ReadSmf(ReadFile(FLAKMIRE_PROGRAM_DIR "/dropling.mid"));
  EXPECT_EQ(smf.format, 1);
  EXPECT_EQ(smf.ends, std::vector<long>(smf.tracks, smf.ends.at(0)));  // all end together
  std::set<int> channels;
  for (const SmfNote& n : smf.notes) channels.insert(n.channel);
  EXPECT_TRUE(channels.contains(9)) << "no drums";
  EXPECT_GE(channels.size(), 4u) << "a lead, a bass, chords and drums at least";
  EXPECT_GE(smf.Seconds(smf.ends[0]), 60);
  EXPECT_LE(smf.Seconds(smf.ends[0]), 120);
}

TEST_F(MakeTune, WritesWhatTheTuneSays) {
  const auto [code, errors] = Run(Tune(R"(tempo 150   # '#' opening a word starts a comment
track lead  channel 1 program 57 gate 50
track drums channel 10
section a
lead  | C4/4 r/4 >E4/8. G#4/16 C5+Eb5/4 |
drums | kick/2 p snare/4 snare/8t snare/8t snare/8t |
section quiet
lead  | r/1 | r/1 | r/1 | r/1 | r/1 |
lead  | r/1 | r/1 | r/1 | r/1 |
drums | hat/4 r/2. | % | % | % | % | % | % | % | % |
section b from a
lead  | Bb3/1 |
play a quiet b
)"),
                                  out_);
  ASSERT_EQ(code, 0) << errors;
  const Smf smf = ReadSmf(ReadFile(out_.string()));
  EXPECT_EQ(smf.ends, std::vector<long>(3, 11 * 1920));
  EXPECT_DOUBLE_EQ(smf.Seconds(smf.ends[0]), 17.6);
  EXPECT_EQ(smf.programs, (std::map<int, int>{{0, 56}}));  // GM counts from 1, MIDI from 0

  // channel, key, velocity, on, off. The lead sounds half of each note (gate 50), drums 90%;
  // every section starts mf (80); '>' adds 20. b repeats a's drums. The long rest before b
  // needs a three-byte delta time.
  std::vector<SmfNote> expected = {{0, 60, 80, 0, 240},     {0, 64, 100, 960, 1140},
                                   {0, 68, 80, 1320, 1380}, {0, 72, 80, 1440, 1680},
                                   {0, 75, 80, 1440, 1680}, {0, 58, 80, 19200, 20160}};
  for (long start : {0L, 19200L}) {
    expected.push_back({9, 36, 80, start, start + 864});
    for (long on : {960L, 1440L, 1600L, 1760L}) {
      expected.push_back({9, 38, 50, start + on, start + on + (on == 960 ? 432 : 144)});
    }
  }
  for (long bar = 1; bar <= 9; ++bar) expected.push_back({9, 42, 80, bar * 1920, bar * 1920 + 432});
  std::vector<SmfNote> notes = smf.notes;
  std::ranges::sort(notes);
  std::ranges::sort(expected);
  EXPECT_EQ(notes, expected);
}

TEST_F(MakeTune, ReportsAMistakeWithItsLineAndWritesNothing) {
  const struct {
    std::string body, says;
    int line;
  } cases[] = {
      // line 3 is "section a", where tracks of unequal length are reported
      {"lead | H4/1 |", "unknown note 'H4'", 4},
      {"lead | C4/4 C4/4 C4/4 |", "bar 1 on this line lasts 3 quarter notes instead of 4", 4},
      {"lead | C4/3 C4/3 C4/3 |", "a note length is 1, 2, 4", 4},
      {"lead | A9/1 |", "note 'A9' is outside MIDI's range", 4},
      {"drum | C4/1 |", "'drum' is not a track", 4},
      {"lead | C4/1 | % | % |\nbass | C2/1 |", "in section 'a', 'lead' and 'bass' differ", 3},
      {"lead | C4/1 |\nplay a b", "there is no section 'b' to play", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    const fs::path in =
        Tune("track lead channel 1\ntrack bass channel 2\nsection a\n" + c.body + "\nplay a\n");
    const auto [code, errors] = Run(in, out_);
    EXPECT_EQ(code, 1);
    EXPECT_NE(errors.find(in.string() + ":" + std::to_string(c.line) + ": error: " + c.says),
              std::string::npos)
        << errors;
    EXPECT_FALSE(fs::exists(out_));
  }
}

TEST_F(MakeTune, NeitherDestroysTheTuneNorLeavesHalfAFile) {
  const std::string text = "track lead channel 1\nsection a\nlead | C4/1 |\nplay a\n";
  const fs::path in = Tune(text);
  EXPECT_EQ(Run(in, in).first, 1);  // the output named as the tune
  EXPECT_EQ(Text(in), text);
  EXPECT_EQ(
      Run(in, dir_ / "no folder" / "out.mid"),
      std::pair(1, "make_tune: cannot write " + (dir_ / "no folder" / "out.mid").string() + "\n"));
  EXPECT_EQ(Run(dir_ / "none.tune", out_).first, 1);
  EXPECT_EQ(Run(Quoted(in)).first, 2);  // no output named
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2) << "more than the tune and errors";
}

}  // namespace
}  // namespace flakmire::music_test
