// The tapes beside the high-score table: one file a place, shifted with the places as a new run
// takes one, and the last run's; which rows can be watched, and watching them.

#include "scores/high_scores.h"

namespace flakmire {

namespace {
constexpr const char* LastRunFileName = "/LastRun.tape";
}  // namespace

bool ClaimMatches(const TapeClaim& claim, const ScoreRecord& row) {
  return !claim.cheated && claim.score == row.Score && claim.level == row.Level &&
         claim.cause == row.KilledBy && DurationText(claim.days) == row.Lasted.value_or("");
}

std::string HighScores::TapePath(int place) {
  return ScoreFolder() + "/Place" + std::to_string(place) + ".tape";
}

// Writing a tape never costs the player the score: the table is saved first, and a tape that
// cannot be written is only told of. Then the rows that can be watched are found again.
void HighScores::KeepTape(int place) {
  std::string error;
  if (pending_) {
    const KeptTape tape = std::move(*pending_);
    pending_.reset();
    if (place >= 1 && place <= Places && ClaimMatches(tape.claim, Scores[place - 1])) {
      error = ShiftTapes(place, tape.bytes);
    }
    const NewFile lastRunFile[] = {{ScoreFolder() + LastRunFileName, tape.bytes}};
    const std::string lastRun = ports_.files.ReplaceFiles(lastRunFile);
    if (error.empty()) error = lastRun;
  }
  FindTapes();
  ShowScores();
  if (!error.empty()) {
    ports_.prompts.MessageBox(
        "The tape of this run could not be kept, so it cannot be watched.\r\n\r\n" + error +
            "\r\n\r\nThe score is kept all the same.",
        MessageButtons::Ok, "High Scores");
  }
}

// The places below the new one move down a place, each with its tape; the tenth's goes. The moved
// tapes and the new one are written together, and only then do the places that had no tape lose
// the one below them.
std::string HighScores::ShiftTapes(int place, const std::vector<std::uint8_t>& tape) {
  std::vector<FileRead> moved;
  moved.reserve(Places);  // the files' bytes stay where they are while they are written
  std::vector<NewFile> files;
  std::vector<std::string> gone;
  for (int from = Places - 1; from >= place; --from) {
    moved.push_back(ports_.files.ReadFile(TapePath(from), LongestTape));
    if (moved.back().found && moved.back().error.empty()) {
      files.push_back({TapePath(from + 1), moved.back().bytes});
    } else {
      gone.push_back(TapePath(from + 1));
    }
  }
  files.push_back({TapePath(place), tape});
  std::string error = ports_.files.ReplaceFiles(files);
  for (const std::string& path : gone) {
    if (error.empty()) error = ports_.files.RemoveFile(path);
  }
  return error;
}

void HighScores::FindTapes() {
  for (int place = 1; place <= Places; ++place) {
    const FileRead file = ports_.files.ReadFile(TapePath(place), LongestTape);
    const TapeRead tape = ReadTape(file.bytes);
    tapes_[place - 1] = file.error.empty() && tape.error == TapeError::None &&
                        ClaimMatches(tape.tape.claim, Scores[place - 1]);
  }
  const FileRead lastRun = ports_.files.ReadFile(ScoreFolder() + LastRunFileName, LongestTape);
  lastRunTape_ = lastRun.error.empty() && ReadTape(lastRun.bytes).error == TapeError::None;
}

void HighScores::WatchPlace(int place) {
  if (place >= 1 && place <= Places && tapes_[place - 1]) Watch(TapePath(place));
}

void HighScores::WatchLastRun() {
  if (lastRunTape_) Watch(ScoreFolder() + LastRunFileName);
}

// The window is hidden for the watching, and shown again after it (ShowModal).
void HighScores::Watch(const std::string& path) {
  FileRead file = ports_.files.ReadFile(path, LongestTape);
  if (ended_ || !file.error.empty() || file.bytes.empty()) return;
  watch_ = std::move(file.bytes);
  ports_.view.Hide();
}

}  // namespace flakmire
