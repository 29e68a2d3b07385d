#include "cheats/cheat_panel.h"

namespace flakmire {

void CheatPanel::Form_Load() {
  const EntryScope entry(log_, Entry::PanelLoad);
  for (int i = 1; i < CheatCount; ++i) {
    boxes_.SetCaption(i, CheatCaptions[i]);
    // Not a click, so a cheat switched on earlier in the run stays on; Form_Activate ticks it.
    boxes_.SetChecked(i, false);
  }
  cheats_.Set(Cheat::Cheated, true);
}

void CheatPanel::Form_Activate() {
  for (int i = 1; i < CheatCount; ++i) boxes_.SetChecked(i, cheats_[static_cast<Cheat>(i)]);
}

void CheatPanel::chkCheats_Click(int Index, bool checked) {
  const EntryScope entry(log_, Entry::PanelClick, Index * 2 + (checked ? 1 : 0));
  if (Index < 0 || Index >= CheatCount) return;  // the panel has no other boxes
  cheats_.Set(static_cast<Cheat>(Index), checked);
  // A panel left open across a reset has lost the mark its opening set: a cheat switched on
  // sets it again.
  if (checked) cheats_.Set(Cheat::Cheated, true);
}

}  // namespace flakmire
