#include "game/tags.h"

#include <charconv>

namespace flakmire {

std::optional<double> ReadTag(const std::string& tag) {
  const char* first = tag.data();
  const char* last = first + tag.size();
  while (first != last && *first == ' ') ++first;
  if (first != last && *first == '+') ++first;
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end == first) return std::nullopt;
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
