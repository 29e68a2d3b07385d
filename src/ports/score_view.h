#pragma once

#include <array>
#include <string>

namespace flakmire {

// The high-score table as the window's grid shows it: a header row and ten places, five columns,
// every cell centred. Texts are UTF-8.
struct ScoreGrid {
  static constexpr int Rows = 11;
  static constexpr int Columns = 5;
  std::array<std::array<std::string, Columns>, Rows> cells;
  std::array<int, Columns> widths{};  // pixels
  std::array<bool, Rows> tapes{};     // the rows whose run can be watched
  bool lastRunTape = false;           // the last run can be watched
};

// The high-score window's own controls: the grid, and being shown and hidden.
class ScoreView {
 public:
  virtual ~ScoreView() = default;

  virtual void ShowGrid(const ScoreGrid& grid) = 0;
  virtual void Hide() = 0;

  // Shows the window modally; returns when it has been hidden or closed.
  virtual void ShowModal() = 0;
};

}  // namespace flakmire
