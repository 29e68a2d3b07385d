#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_ports.h"

namespace flakmire::testing {

// The real "HighScores.dat" files kept in tests/scores/files/, as the game's own saver writes
// them from a seeded key: the seeds of the fuzzer, and files the loader must keep reading.
// make_score_files writes them anew; score_tests checks that they are what the saver writes.
struct ScoreFileSample {
  std::string name;
  Bytes bytes;
  std::optional<ScoreTable> table;  // what it loads as; none: the tamper dialogue
};

inline std::vector<ScoreFileSample> ScoreFileSamples() {
  std::vector<ScoreFileSample> samples;
  const auto saved = [&samples](const std::string& name, Board& b) {
    ScoreTable table = b.hs.Scores;
    table[Places] = {};  // the incoming slot is no part of the file
    samples.push_back({name, b.Dat(), table});
  };

  Board empty;  // the table a first start saves: ten unset places
  empty.hs.SaveIt1();
  saved("empty.dat", empty);

  Board one;
  one.hs.SubmitScore(1234, 2, 3, 125.0 / 86400, "Ann");
  saved("one.dat", one);

  // Ten runs, each better than the last, with every kill cause, a name beyond ASCII and the
  // longest run of a day.
  Board ten;
  const struct {
    int score, cause, level;
    double seconds;
    const char* name;
  } runs[] = {{1, 0, 1, 3, "Nobody"},        {7, 1, 1, 61, "Bo"},
              {15, 2, 2, 125, "Zo\xC3\xAB"}, {99, 3, 2, 600, "Ann Lee"},
              {250, 4, 11, 3599, "Max"},     {1000, 1, 4, 3600, "X"},
              {4096, 2, 7, 7322, "Kim"},     {65535, 3, 9, 45000, "A very long name indeed"},
              {100000, 4, 11, 86399, "Eve"}, {2147483647, 1, 11, 86400, "Top"}};
  for (const auto& r : runs)
    ten.hs.SubmitScore(r.score, r.cause, r.level, r.seconds / 86400, r.name);
  saved("ten.dat", ten);

  // A hand edit: one scrambled byte of place 10's score in the second copy.
  ScoreFileSample tampered{"tampered.dat", ten.Dat(), std::nullopt};
  tampered.bytes[tampered.bytes.size() - Decrypt(ten.Dat()).size() / 3 - 10] ^= 1;
  samples.push_back(tampered);

  // Cut off halfway, as a full disk or a copy broken off might leave it.
  ScoreFileSample truncated{"truncated.dat", ten.Dat(), std::nullopt};
  truncated.bytes.resize(truncated.bytes.size() / 2);
  samples.push_back(truncated);
  return samples;
}

}  // namespace flakmire::testing
