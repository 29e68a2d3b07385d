#pragma once

#include <cstdint>

namespace flakmire {

// Turns a Qt key into the game's key code (see game/key_codes.h): 0 for a key the game has no
// code for. The tilde key is found by its physical place, left of 1, on every layout.
int GameKeyCode(int qtKey, std::uint32_t nativeScanCode);

}  // namespace flakmire
