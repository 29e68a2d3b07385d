#pragma once

#include <string>

namespace flakmire {

// Background music.
class Music {
 public:
  virtual ~Music() = default;

  // Starts playing a standard MIDI file once. Without a sound device, a soundfont or the file,
  // nothing plays and nothing is reported: the game goes on in silence.
  virtual void PlayOnce(const std::string& midiPath) = 0;
};

}  // namespace flakmire
