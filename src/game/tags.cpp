#include "game/tags.h"

#include <charconv>
#include <cmath>

namespace flakmire {

// A tag is a number only when its whole text is one, blanks around it aside: "12abc", "nan" and
// "inf" are not.
std::optional<double> ReadTag(const std::string& tag) {
  const char* first = tag.data();
  const char* last = first + tag.size();
  while (first != last && *first == ' ') ++first;
  while (last != first && last[-1] == ' ') --last;
  if (last - first > 1 && *first == '+' && first[1] != '-') ++first;
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

// Tags are short enough to stay inside the string's own buffer: writing one never allocates.

void WriteTag(std::string& tag, long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  tag.assign(buffer, result.ptr);
}

void WriteTag(std::string& tag, float value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
  tag.assign(buffer, result.ptr);
}

}  // namespace flakmire
