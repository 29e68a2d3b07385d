// Writes the kept high-score files into a folder: make_score_files tests/scores/files

#include <cstdio>
#include <fstream>

#include "score_files/score_file_samples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  for (const auto& sample : flakmire::testing::ScoreFileSamples()) {
    std::ofstream out(std::string(argv[1]) + "/" + sample.name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(sample.bytes.data()),
              static_cast<std::streamsize>(sample.bytes.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "%s: could not write %s\n", argv[0], sample.name.c_str());
      return 1;
    }
  }
  return 0;
}
