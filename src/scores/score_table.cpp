#include "scores/score_table.h"

#include <cmath>

namespace flakmire {

namespace {
constexpr long long SecondsPerDay = 86400;
constexpr unsigned LastLatin1 = 0xFF;
constexpr unsigned Broken = 0xFFFFFFFF;  // the code of a broken sequence

struct Character {
  unsigned code;       // Broken for a broken sequence
  std::size_t length;  // bytes taken
};

// The character of UTF-8 text that starts at byte i.
Character Decode(std::string_view utf8, std::size_t i) {
  const auto lead = static_cast<unsigned char>(utf8[i]);
  const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  unsigned code = length == 1 ? lead : lead & (0x7F >> length);
  int taken = 1;
  for (; taken < length && i + taken < utf8.size(); ++taken) {
    const auto next = static_cast<unsigned char>(utf8[i + taken]);
    if ((next & 0xC0) != 0x80) break;
    code = code << 6 | (next & 0x3F);
  }
  return {length != 0 && taken == length ? code : Broken, static_cast<std::size_t>(taken)};
}
}  // namespace

std::string_view KillCauseText(int KilledBy) {
  const bool known = KilledBy >= 0 && KilledBy < static_cast<int>(KillCauses.size());
  return KillCauses[known ? KilledBy : 0];
}

std::string DurationText(double DateTime) {
  // The time of day counts to the nearest second, as the calendar does: a difference of two
  // date-times of 95 s is a hair under or over 95 s.
  const double timeOfDay = std::fabs(DateTime - std::trunc(DateTime));
  const long long seconds = std::llround(timeOfDay * SecondsPerDay) % SecondsPerDay;
  const long long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  std::string text;
  if (h != 0) text += std::to_string(h) + " hr ";
  if (m != 0) text += std::to_string(m) + " min ";
  if (s != 0) text += std::to_string(s) + " sec";
  return text;
}

std::string ToLatin1(std::string_view utf8) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size();) {
    const Character c = Decode(utf8, i);
    latin1 += c.code <= LastLatin1 ? static_cast<char>(c.code) : '?';
    i += c.length;
  }
  return latin1;
}

std::string OutsideLatin1(std::string_view utf8) {
  std::string outside = " ";
  for (std::size_t i = 0; i < utf8.size();) {
    const Character c = Decode(utf8, i);
    const std::string shown(utf8.substr(i, c.length));
    if (c.code > LastLatin1 && outside.find(" " + shown + " ") == std::string::npos) {
      outside += shown + " ";
    }
    i += c.length;
  }
  return outside.substr(1, outside.size() > 1 ? outside.size() - 2 : 0);
}

std::string FromLatin1(std::string_view latin1) {
  std::string utf8;
  for (const char c : latin1) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | code >> 6);
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace flakmire
