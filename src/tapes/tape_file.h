#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace flakmire {

// A tape of one run: what the world handed to the rules from the run's reset to its end, and
// what the run claims to have scored. Nothing the rules compute is on it but the claim, which a
// replay proves or disproves. The format is described in docs/tapes.md.

// What a run ended with, as the high-score window takes it.
struct TapeClaim {
  std::int32_t score = 0;
  std::int32_t level = 0;  // as the player counts it, 1 to 11
  std::int32_t cause = 0;  // the kill-cause code
  double days = 0;         // how long the run lasted
  bool cheated = false;
  bool operator==(const TapeClaim&) const = default;
};

// What a run inherits from the program and from the run before it: the fields a reset leaves as
// they are, the playfield's pieces it does not redraw, and the random source's state.
struct CarriedState {
  float GunAngle = 0, GunLength = 0, WindDrift = 0;
  double FrameMs = 0, LastFrameTime = 0;
  bool FastFrame = false;
  std::string KeyBuffer, DeathMethod;
  std::array<float, 3> PoleX1{}, PoleX2{}, FlagLeft{}, FlagWidth{};
  std::array<float, 2> GunX2{}, GunY2{};  // the barrel's two lines
  std::string Points, Score;              // the labels' captions
  std::array<std::uint32_t, 4> random{};
  bool operator==(const CarriedState&) const = default;
};

// The calls into the world that were under way when the run was reset, outermost first: the
// tape goes on inside them. Each ends with an End on the tape.
enum class Scope : std::uint8_t {
  Yield,    // the event pump in a frame of a running tick
  Panel,    // the cheat panel
  Message,  // a message box
  Submit,   // the high-score window taking a run
  Modal,    // the high-score window shown
};

struct Tape {
  TapeClaim claim;  // what the run ended with
  CarriedState carried;
  std::vector<Scope> context;
  std::vector<std::uint8_t> stream;  // see tape_stream.h
};

// A finished tape as a file's bytes, with the claim they hold.
struct KeptTape {
  std::vector<std::uint8_t> bytes;
  TapeClaim claim;
};

enum class TapeError {
  None,
  NotATape,     // it does not begin as a tape does
  Cut,          // shorter than it says it is
  Damaged,      // its check does not match, or its contents make no sense
  OtherFormat,  // a tape of a later version of the game
  OtherRules,   // a tape of other rules of play
};

struct TapeRead {
  TapeError error = TapeError::None;
  std::string detail;  // for the player, when there is an error
  int rulesVersion = 0;
  Tape tape;
};

std::vector<std::uint8_t> WriteTape(const Tape& tape);
TapeRead ReadTape(std::span<const std::uint8_t> bytes);

// CRC-32 (the polynomial of zip and PNG), of the whole file but its last four bytes.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// Tapes far larger than any run's are refused unread.
constexpr std::size_t LongestTape = 64u << 20;

}  // namespace flakmire
