#pragma once

#include <cstddef>
#include <vector>

namespace flakmire {

// The slot rules that the four entity tables share. Index 0 of a table is never used; live slots
// run from 1 to the upper bound, and slot i always drives member i of its sprite array(s).

// Sprite indexes are 16-bit, so a table holds at most this many usable slots.
constexpr int MaxSlots = 32767;

template <class Record>
class Table {
 public:
  Table() : records_(1) {}

  int UpperBound() const { return static_cast<int>(records_.size()) - 1; }
  Record& operator[](int i) { return records_[static_cast<std::size_t>(i)]; }
  const Record& operator[](int i) const { return records_[static_cast<std::size_t>(i)]; }

  void Reserve(int count) { records_.reserve(static_cast<std::size_t>(count) + 1); }
  void Grow() { records_.emplace_back(); }
  void ShrinkTo(int upperBound) { records_.resize(static_cast<std::size_t>(upperBound) + 1); }

 private:
  std::vector<Record> records_;
};

// The lowest free slot, or a new slot on top with a new member in each sprite array; -1 when
// the table is full. The caller fills the record and marks it in use.
template <class Record, class... SpriteArrays>
int TakeSlot(Table<Record>& table, SpriteArrays&... sprites) {
  const int upper = table.UpperBound();
  for (int i = 1; i <= upper; ++i) {
    if (!table[i].Active) return i;
  }
  if (upper >= MaxSlots) return -1;
  table.Grow();
  (sprites.LoadNext(), ...);
  return upper + 1;
}

// Drops the top slot when it is free, with its sprites: one slot per call, so a block of free
// slots at the top drains one per frame.
template <class Record, class... SpriteArrays>
void TrimTopSlot(Table<Record>& table, SpriteArrays&... sprites) {
  const int upper = table.UpperBound();
  if (upper >= 1 && !table[upper].Active) {
    table.ShrinkTo(upper - 1);
    (sprites.UnloadTop(), ...);
  }
}

// Cuts a sprite array back to its template, destroying the copies highest index first.
template <class SpriteArray>
void UnloadCopies(SpriteArray& sprites) {
  while (sprites.UpperBound() > 0) sprites.UnloadTop();
}

}  // namespace flakmire
