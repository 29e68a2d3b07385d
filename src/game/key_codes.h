#pragma once

namespace flakmire {

// The game's own key codes. Letters and digits use their ASCII capitals.
namespace key_code {
constexpr int Left = 37;
constexpr int Right = 39;
constexpr int Pause = 19;
constexpr int Escape = 27;
constexpr int B = 66;
constexpr int C = 67;
constexpr int P = 80;
constexpr int V = 86;
constexpr int X = 88;
constexpr int Tilde = 192;  // the key left of 1, wherever the layout puts "~"
}  // namespace key_code

}  // namespace flakmire
