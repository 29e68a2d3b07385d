#pragma once

#include <string_view>

namespace flakmire {

// The cheat panel's check boxes, 0 to 7, as its window shows them. Setting a box from here is
// not a click: only the player's clicks reach the panel's rules.
class CheatBoxes {
 public:
  virtual ~CheatBoxes() = default;

  virtual void SetCaption(int index, std::string_view caption) = 0;
  virtual void SetChecked(int index, bool checked) = 0;
};

}  // namespace flakmire
