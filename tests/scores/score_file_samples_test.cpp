// The high-score files kept in tests/scores/files/, the fuzzer's seeds: they are what the saver
// writes today, and the loader reads each as its table or meets it with the tamper dialogue.

#include "score_files/score_file_samples.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace flakmire::testing {
namespace {

Bytes Kept(const std::string& name) {
  std::ifstream in(std::string(FLAKMIRE_SCORE_FILES) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ScoreFileSamples, TheKeptFilesAreWhatTheSaverWritesTodayAndEachLoadsOrMeetsTheDialogue) {
  for (const ScoreFileSample& sample : ScoreFileSamples()) {
    Board b;
    b.Dat() = Kept(sample.name);
    EXPECT_EQ(b.Dat(), sample.bytes)
        << sample.name << " differs from what the saver writes now; if the format changed on "
        << "purpose, write them anew: build/tests/scores/make_score_files tests/scores/files";
    b.hs.LoadIt1();
    EXPECT_EQ(b.desk.ended, !sample.table) << sample.name;
    if (sample.table) {
      EXPECT_EQ(b.hs.Scores, *sample.table) << sample.name;
    }
  }
}

}  // namespace
}  // namespace flakmire::testing
