#pragma once

#include <string_view>

namespace flakmire {

// The score a run hands in to have the table loaded and checked without entering anything.
constexpr int LoadOnlyScore = -1;

// What the main window asks of the high-score window: take a finished run, and show the table.
class HighScoreWindow {
 public:
  virtual ~HighScoreWindow() = default;

  // Loads and checks the table, then sorts the run in. DateTime is the run's duration in days;
  // NewName may be empty, and a newly placed run without one is asked for it when shown.
  virtual void SubmitScore(int NewScore, int DeathMethod, int Level, double DateTime,
                           std::string_view NewName) = 0;

  // Shows the window modally; returns when it has been hidden or closed.
  virtual void ShowModal() = 0;
};

// For games that run without a high-score window: tests of play, benchmarks, showcases.
class NullHighScoreWindow final : public HighScoreWindow {
 public:
  void SubmitScore(int, int, int, double, std::string_view) override {}
  void ShowModal() override {}
};

inline HighScoreWindow& NoHighScoreWindow() {
  static NullHighScoreWindow none;
  return none;
}

}  // namespace flakmire
