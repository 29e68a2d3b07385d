#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace flakmire {

// One entry of the high-score table. Texts hold one byte per character, in Latin-1, as the file
// does; a text never filled in is unset, which compares equal to an empty text.
struct ScoreRecord {
  std::int32_t Score = 0;
  std::uint8_t Level = 0;  // counted from 1
  std::optional<std::string> Lasted;
  std::optional<std::string> PlayerName;
  std::uint8_t KilledBy = 0;  // a kill-cause code, see KillCauses

  bool operator==(const ScoreRecord&) const = default;  // exact: unset differs from empty
};

constexpr int Places = 10;
constexpr int Slots = Places + 1;  // the last slot takes an incoming entry while it is sorted in

// Slot 0 is place 1, the best.
using ScoreTable = std::array<ScoreRecord, Slots>;

// What killed the gunner, by kill-cause code.
constexpr std::array<std::string_view, 5> KillCauses = {"Unknown", "Droplings", "Bomb", "Mortar",
                                                        "Clocked"};

// The cause's text; a code without one (only a damaged file has it) shows as "Unknown".
std::string_view KillCauseText(int KilledBy);

// How long a run lasted, from the time of day of a date-time value in days: "1 hr 2 min 5 sec",
// "1 min ", "" for none. Whole days are dropped.
std::string DurationText(double DateTime);

// UTF-8 to Latin-1 and back. A character outside Latin-1, or a broken sequence, becomes "?".
std::string ToLatin1(std::string_view utf8);
std::string FromLatin1(std::string_view latin1);

// The characters of UTF-8 text that Latin-1 has no byte for, each once, in the order they come,
// separated by blanks: "Ł 田 中" for "Łukasz 田中". "" when the text can be kept whole.
std::string OutsideLatin1(std::string_view utf8);

// The text without its leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace flakmire
