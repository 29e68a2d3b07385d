#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ports/file_store.h"
#include "ports/high_score_window.h"
#include "ports/prompts.h"
#include "ports/random.h"
#include "ports/score_view.h"
#include "ports/tape_viewer.h"
#include "scores/score_table.h"
#include "tapes/tape_file.h"

namespace flakmire {

struct ScorePorts {
  FileStore& files;
  Prompts& prompts;
  Random& random;  // draws the key of every save
  ScoreView& view;
  std::string programFolder;            // where the files are kept when it is writable
  std::string dataFolder;               // where the information page is
  TapeViewer& viewer = NoTapeViewer();  // plays a kept tape in the main window
};

// The high-score window's rules: it owns the table, sorts finished runs into it, asks a newly
// placed player for a name, keeps the table in "HighScores.dat" (and the file before it in
// "HighScores.BAK"), and answers the window's buttons. The shell's window shows the grid. Beside
// the table it keeps the tapes of the runs in it, one file a place, and the last run's tape; a row
// whose tape is there and claims just what the row shows can be watched.
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
  bool SaveIt1();  // false when the table could not be saved (the player has been told)

  // The tape of the run that just ended; kept when the window next shows, after the table.
  void TakeTape(KeptTape tape) { pending_ = std::move(tape); }
  // The window's wishes: watch the run of a place (1 to 10), or the last run.
  void WatchPlace(int place);
  void WatchLastRun();

  // The folder that holds the files: the program's when it is writable, else the player's own.
  const std::string& ScoreFolder();

  ScoreTable Scores;
  int NewPlace = -1;  // the place (1 to 10) waiting for its name, or -1

 private:
  void TamperDialogue();
  void ReportFileError(std::string_view what, const std::string& error);
  void EndProgram();
  void KeepTape(int place);
  std::string ShiftTapes(int place, const std::vector<std::uint8_t>& tape);
  void FindTapes();
  void Watch(const std::string& path);
  std::string TapePath(int place);

  ScorePorts ports_;
  std::function<void()> resetGame_;
  std::string folder_;
  bool ended_ = false;         // the program was ended: nothing more runs, nothing is written
  std::string toldReadError_;  // the read error the player was told of since the last check
  std::optional<KeptTape> pending_;
  std::optional<std::vector<std::uint8_t>> watch_;  // a tape to play once the window is hidden
  std::array<bool, Places> tapes_{};                // the places whose tape is theirs
  bool lastRunTape_ = false;
};

// True when the tape's claim is just what the row shows: the same score, level, cause and
// duration, and a clean run. A stale or restored table never shows another run's tape.
bool ClaimMatches(const TapeClaim& claim, const ScoreRecord& row);

}  // namespace flakmire
