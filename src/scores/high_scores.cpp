#include "scores/high_scores.h"

#include <algorithm>
#include <utility>

#include "scores/score_file.h"

namespace flakmire {

namespace {

constexpr const char* ScoreFileName = "/HighScores.dat";
constexpr const char* BackupFileName = "/HighScores.BAK";
constexpr const char* PageFileName = "/WebHighScoreInfo.html";

constexpr std::array<std::string_view, ScoreGrid::Columns> Headers = {"Score", "Name", "Killed By",
                                                                      "Level", "Lasted"};
constexpr std::array<int, ScoreGrid::Columns> ColumnWidths = {54, 82, 86, 54, 76};

constexpr const char* NamePrompt =
    "Please enter your name.\r\n\r\nYour REAL name will be appreciated if\r\nyou qualify for the "
    "WWW-HighScores.";

constexpr const char* CannotKeep =
    "The high-score table cannot keep these characters of your name: ";
constexpr const char* CannotKeepWhy =
    "\r\n\r\nIt keeps the letters, digits and signs of Western European languages. Please "
    "change the name.";

constexpr const char* TamperTitle = "Naughty Naughty Naughty";
constexpr const char* TamperQuestion =
    "Oh dear.  It appears that the HighScore file has been tampered with.\r\nYou were trying to "
    "cheat weren't you?";
constexpr const char* TamperWarning = "If you try that again, I'll delete ALL the HighScores.";
constexpr const char* CorruptTitle = "Hmm...";
constexpr const char* CorruptAnswer =
    "Maybe the file's corrupt then?\r\nLuckily there's a backup.  But I'll let you handle all "
    "that.";

}  // namespace

void HighScores::SubmitScore(int NewScore, int DeathMethod, int Level, double DateTime,
                             std::string_view NewName) {
  if (ended_) return;
  // A death submits twice, first only to load and check: the player hears of an unreadable file
  // from that check, and not again from the run's own load.
  if (NewScore == LoadOnlyScore) toldReadError_.clear();
  LoadIt1();
  if (ended_) return;
  ScoreRecord& entry = Scores[Places];
  entry.Score = NewScore;
  entry.KilledBy = static_cast<std::uint8_t>(DeathMethod);
  entry.Level = static_cast<std::uint8_t>(Level);
  entry.PlayerName = ToLatin1(NewName);
  entry.Lasted = DurationText(DateTime);
  if (NewScore == LoadOnlyScore) {
    // Only loads and checks, even against a table that somehow holds lower scores.
    NewPlace = -1;
    return;
  }
  SortScores();
}

void HighScores::ShowModal() {
  // Watching a run hides the window; it comes back when the run has been watched.
  while (!ended_) {
    ports_.view.ShowModal();
    if (!watch_) return;
    const std::vector<std::uint8_t> tape = std::move(*watch_);
    watch_.reset();
    ports_.viewer.Watch(tape);
  }
}

void HighScores::SortScores() {
  NewPlace = -1;
  // Places count from 1: place p is slot p - 1. Only a strictly higher score moves up.
  for (int p = Slots; p >= 2 && Scores[p - 1].Score > Scores[p - 2].Score; --p) {
    std::swap(Scores[p - 1], Scores[p - 2]);
    NewPlace = p - 1;
  }
  if (NewPlace != -1 && !Scores[NewPlace - 1].PlayerName.value_or("").empty()) {
    NewPlace = -1;
    SaveIt1();
  }
}

void HighScores::Form_Activate() {
  if (ended_) return;
  if (NewPlace == -1) {
    KeepTape(-1);  // shows the table
    return;
  }
  ScoreRecord& entry = Scores[NewPlace - 1];
  const std::string title = "High Score: " + std::to_string(entry.Score);
  // Asked again, with the name as it was typed, until the table can keep every character of it.
  std::string name, typed;
  while (name.empty()) {
    name = TrimBlanks(ports_.prompts.InputBox(NamePrompt, title, typed));
    const std::string outside = OutsideLatin1(name);
    if (outside.empty()) continue;
    ports_.prompts.MessageBox(CannotKeep + outside + CannotKeepWhy, MessageButtons::Ok, title);
    typed = std::exchange(name, {});
  }
  entry.PlayerName = ToLatin1(name);
  const int place = NewPlace;
  NewPlace = -1;  // named: showing the window again asks no more
  // The tape goes beside its place only once the table that shows the place is saved.
  KeepTape(SaveIt1() ? place : -1);
}

void HighScores::cmdPlay_Click() {
  ports_.view.Hide();
  if (resetGame_) resetGame_();
}

void HighScores::cmdQuit_Click() { EndProgram(); }

void HighScores::cmdSubmit_Click() {
  ports_.prompts.OpenDocument(ports_.dataFolder + PageFileName);
}

void HighScores::ShowScores() {
  ScoreGrid grid;
  for (int c = 0; c < ScoreGrid::Columns; ++c) grid.cells[0][c] = Headers[c];
  grid.widths = ColumnWidths;
  for (int place = 1; place <= Places; ++place) {
    const ScoreRecord& r = Scores[place - 1];
    grid.cells[place] = {std::to_string(r.Score), FromLatin1(r.PlayerName.value_or("")),
                         std::string(KillCauseText(r.KilledBy)), std::to_string(r.Level),
                         FromLatin1(r.Lasted.value_or(""))};
    grid.tapes[place] = tapes_[place - 1];
  }
  grid.lastRunTape = lastRunTape_;
  ports_.view.ShowGrid(grid);
}

const std::string& HighScores::ScoreFolder() {
  if (folder_.empty()) {
    folder_ = ports_.files.CanWriteIn(ports_.programFolder) ? ports_.programFolder
                                                            : ports_.files.UserDataFolder();
    // Nowhere to write at all: the program's folder, where a save will say what went wrong.
    if (folder_.empty()) folder_ = ports_.programFolder;
  }
  return folder_;
}

void HighScores::LoadIt1() {
  const FileRead file = ports_.files.ReadFile(ScoreFolder() + ScoreFileName, LongestScoreFile);
  if (!file.error.empty()) {
    // The table in memory stays as it is, and so does the file.
    if (file.error != toldReadError_) ReportFileError("read", file.error);
    toldReadError_ = file.error;
  } else {
    const PlainTable table = ReadPlainTable(Decrypt(file.bytes));
    std::copy(table.copies[0].begin(), table.copies[0].end(), Scores.begin());
    if (!CopiesAgree(table)) return TamperDialogue();
  }
  ShowScores();
}

bool HighScores::SaveIt1() {
  const std::string& folder = ScoreFolder();
  const std::string table = folder + ScoreFileName, backup = folder + BackupFileName;
  const FileRead old = ports_.files.ReadFile(table, LongestScoreFile);
  std::string error = old.error;  // an old file that can't be read can't be backed up: it stays
  if (error.empty()) {
    const Bytes bytes = Encrypt(WritePlainTable(Scores), ports_.random);
    // The old file becomes the backup, unless it holds no whole table and the backup does: a
    // damaged file never takes the place of the last good table.
    const bool keepBackup = !HoldsWholeTable(old.bytes) &&
                            HoldsWholeTable(ports_.files.ReadFile(backup, LongestScoreFile).bytes);
    // Both new files are whole on the disk before either replaces its old one, the backup first.
    const NewFile files[] = {{backup, old.bytes}, {table, bytes}};
    error = ports_.files.ReplaceFiles(std::span(files).subspan(keepBackup ? 1 : 0));
  }
  if (!error.empty()) ReportFileError("saved", error);
  ShowScores();
  return error.empty();
}

void HighScores::TamperDialogue() {
  const MessageAnswer answer =
      ports_.prompts.MessageBox(TamperQuestion, MessageButtons::YesNo, TamperTitle);
  if (answer == MessageAnswer::Yes) {
    ports_.prompts.MessageBox(TamperWarning, MessageButtons::Ok, TamperTitle);
  } else if (answer == MessageAnswer::No) {
    ports_.prompts.MessageBox(CorruptAnswer, MessageButtons::Ok, CorruptTitle);
  }
  EndProgram();
}

void HighScores::ReportFileError(std::string_view what, const std::string& error) {
  ports_.prompts.MessageBox("The high scores could not be " + std::string(what) + ".\r\n\r\n" +
                                error +
                                "\r\n\r\nThe table stays in this window and the game goes on.",
                            MessageButtons::Ok, "High Scores");
}

void HighScores::EndProgram() {
  ended_ = true;
  ports_.prompts.EndProgram();
}

}  // namespace flakmire
