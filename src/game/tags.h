#pragma once

#include <optional>
#include <string>

namespace flakmire {

// The text tags that flag poles and projectile sprites carry: numbers written as text.

// The tag's number; nullopt when it is empty or holds no number.
std::optional<double> ReadTag(const std::string& tag);

// Writes a whole number.
void WriteTag(std::string& tag, long value);

// Writes a 32-bit float with up to 7 significant digits ("-123.5", "150").
void WriteTag(std::string& tag, float value);

}  // namespace flakmire
