// The high-score window on its own, on a table held in memory, to be looked at and photographed
// under Xvfb:
//
//   flakmire_scores_showcase empty | filled | name
//
// "name" enters a new best run into the filled table, so that the name prompt opens over it.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "desktop/form2.h"
#include "desktop/score_ports.h"
#include "game/random_source.h"
#include "scores/high_scores.h"

namespace flakmire {
namespace {

// No files: nothing is read and every save is dropped.
class NoFiles final : public FileStore {
 public:
  FileRead ReadFile(const std::string&, std::size_t) override { return {}; }
  std::string ReplaceFiles(std::span<const NewFile>) override { return ""; }
  std::string RemoveFile(const std::string&) override { return ""; }
  bool CanWriteIn(const std::string&) override { return true; }
  std::string UserDataFolder() override { return ""; }
};

void Fill(ScoreTable& Scores) {
  const ScoreRecord runs[] = {
      {4210, 11, "14 min 3 sec", "Kasimir", 4},
      {3980, 9, "11 min 40 sec", "Zo\xEB", 1},
      {2755, 8, "9 min 12 sec", "Ann", 2},
      {2755, 7, "8 min 58 sec", "Bo", 3},
      {1830, 6, "6 min 30 sec", "Hildegard", 1},
      {990, 4, "4 min 5 sec", "Tam", 2},
      {412, 3, "2 min 49 sec", "Ann", 1},
      {120, 2, "1 min 35 sec", "Wendel", 3},
      {31, 1, "58 sec", "Ott", 1},
      {2, 1, "21 sec", "Pim", 2},
  };
  std::copy(std::begin(runs), std::end(runs), Scores.begin());
}

}  // namespace
}  // namespace flakmire

int main(int argc, char** argv) {
  using namespace flakmire;
  QApplication app(argc, argv);
  const std::string scene = argc == 2 ? argv[1] : "";
  if (scene != "empty" && scene != "filled" && scene != "name") {
    std::fprintf(stderr, "usage: flakmire_scores_showcase empty|filled|name\n");
    return 2;
  }
  NoFiles files;
  SeededRandom random(1);
  Form2 form;
  QtPrompts prompts(&form, [] { std::exit(0); });
  HighScores highScores(ScorePorts{files, prompts, random, form, ".", "."});
  form.Attach(highScores);
  if (scene != "empty") Fill(highScores.Scores);
  if (scene == "name") {
    highScores.Scores[Places] = {5120, 11, "16 min 2 sec", "", 2};
    highScores.SortScores();
  }
  highScores.ShowScores();
  highScores.ShowModal();
  return 0;
}
