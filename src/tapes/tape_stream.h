#pragma once

#include <cstdint>

#include "ports/input_log.h"

namespace flakmire {

// The stream of a tape: one token after another, in the order the rules met them. A reading is
// an answer a port gave the rules; a call is the world calling an entry point; End closes the
// world's turn inside a port call that let it act (a yield, a dialog, the high-score window).
// The replay answers and calls in the same order, so the order is all the timing a tape needs.
namespace tape_op {

// 1 to 4 readings of the time of day, each the last reading or 1 or 2 frames (1/64 s) on from
// it: 0x80 + the offset of the count + the steps as base-3 digits, the first lowest. Frames read
// the clock four times and sleep once in between, so a frame takes about one byte.
constexpr std::uint8_t Ticks = 0x80;
constexpr int MostTicks = 4;
constexpr int TickSteps = 3;
// Where the codes for `count` readings begin: after 3 codes of one, 9 of two, 27 of three.
constexpr int TicksOffset(int count) {
  int offset = 0;
  for (int n = 1, codes = TickSteps; n < count; ++n, codes *= TickSteps) offset += codes;
  return offset;
}
constexpr int LastTicks = Ticks + TicksOffset(MostTicks + 1) - 1;  // 0xF7
constexpr float TickSeconds = 1.0f / 64;

// The reading `steps` frames on from `last`, as both the recorder and the replay reckon it.
inline float StepOn(float last, int steps) {
  return last + static_cast<float>(steps) * TickSeconds;
}

constexpr std::uint8_t Seconds = 0x01;   // any other time of day: 4 bytes, a 32-bit float
constexpr std::uint8_t DateTime = 0x02;  // date and time: 8 bytes, a 64-bit float in days
constexpr std::uint8_t KeyFlip = 0x03;   // a key's state differs from its last answer: its code
constexpr std::uint8_t End = 0x04;
constexpr std::uint8_t Call = 0x10;  // + the Entry; KeyDown and PanelClick add their argument

constexpr bool HasArgument(Entry entry) {
  return entry == Entry::KeyDown || entry == Entry::PanelClick;
}

}  // namespace tape_op

}  // namespace flakmire
