#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "ports/file_store.h"
#include "ports/high_score_window.h"
#include "ports/prompts.h"
#include "ports/random.h"
#include "ports/score_view.h"
#include "scores/score_table.h"

namespace flakmire {

struct ScorePorts {
  FileStore& files;
  Prompts& prompts;
  Random& random;  // draws the key of every save
  ScoreView& view;
  std::string programFolder;  // where the files are kept when it is writable
  std::string dataFolder;     // where the information page is
};

// The high-score window's rules: it owns the table, sorts finished runs into it, asks a newly
// placed player for a name, keeps the table in "HighScores.dat" (and the file before it in
// "HighScores.BAK"), and answers the window's buttons. The shell's window shows the grid.
class HighScores final : public HighScoreWindow {
 public:
  explicit HighScores(ScorePorts ports) : ports_(std::move(ports)) {}

  // What the play button starts once the window is hidden: the next run.
  void OnPlay(std::function<void()> resetGame) { resetGame_ = std::move(resetGame); }

  // HighScoreWindow
  void SubmitScore(int NewScore, int DeathMethod, int Level, double DateTime,
                   std::string_view NewName) override;
  void ShowModal() override;

  // The window's events.
  void Form_Activate();
  void cmdPlay_Click();
  void cmdQuit_Click();
  void cmdSubmit_Click();

  void SortScores();
  void ShowScores();
  void LoadIt1();
  void SaveIt1();

  // The folder that holds the files: the program's when it is writable, else the player's own.
  const std::string& ScoreFolder();

  ScoreTable Scores;
  int NewPlace = -1;  // the place (1 to 10) waiting for its name, or -1

 private:
  void TamperDialogue();
  void ReportFileError(std::string_view what, const std::string& error);
  void EndProgram();

  ScorePorts ports_;
  std::function<void()> resetGame_;
  std::string folder_;
  bool ended_ = false;         // the program was ended: nothing more runs, nothing is written
  std::string toldReadError_;  // the read error the player was told of since the last check
};

}  // namespace flakmire
