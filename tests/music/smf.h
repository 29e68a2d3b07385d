#pragma once

// A strict reader of Standard MIDI Files, for checking what make_tune writes.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace flakmire::music_test {

struct SmfNote {
  int channel, key, velocity;
  long on, off;  // ticks
  auto operator<=>(const SmfNote&) const = default;
};

struct Smf {
  int format = 0, tracks = 0, division = 0;
  long tempo = 500'000;         // microseconds per quarter note; one tempo is all we write
  std::vector<long> ends;       // each track's End of Track, in ticks
  std::vector<SmfNote> notes;   // in the order they end
  std::map<int, int> programs;  // by channel
  double Seconds(long tick) const { return static_cast<double>(tick) * tempo / division / 1e6; }
};

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Throws std::runtime_error on the first fault: a chunk whose length disagrees with what it
// holds, a track without an End of Track or with events after it, a note left sounding, struck
// again while sounding, or ended without being struck.
inline Smf ReadSmf(const std::vector<std::uint8_t>& bytes) {
  size_t at = 0, end = bytes.size();
  const auto fail = [](const std::string& what) { throw std::runtime_error(what); };
  const auto byte = [&] { return at < end ? bytes[at++] : (fail("a chunk runs past its end"), 0); };
  const auto number = [&](int size) {
    long value = 0;
    while (size-- > 0) value = value << 8 | byte();
    return value;
  };
  const auto varLen = [&] {
    long value = 0;
    for (int n = 0; n < 4; ++n) {
      const int b = byte();
      value = value << 7 | (b & 0x7F);
      if (b < 0x80) return value;
    }
    return fail("a number longer than 4 bytes"), 0L;
  };
  const auto skip = [&](long size) {
    at = size <= long(end - at) ? at + size : (fail("overrun"), 0);
  };

  Smf smf;
  if (number(4) != 0x4D546864 || number(4) != 6) fail("no 6-byte MThd header");
  smf.format = number(2);
  smf.tracks = number(2);
  smf.division = number(2);
  for (int track = 0; track < smf.tracks; ++track) {
    if (number(4) != 0x4D54726B) fail("chunk " + std::to_string(track) + " is no MTrk");
    const long length = number(4);
    end = length <= long(end - at) ? at + length : (fail("a track longer than the file"), 0);
    std::map<std::pair<int, int>, SmfNote> sounding;
    long tick = 0;
    int status = 0;
    while (at < end) {
      if (smf.ends.size() > static_cast<size_t>(track)) fail("events after End of Track");
      tick += varLen();
      int first = byte();
      if (first == 0xFF) {
        const int type = byte();
        const long size = varLen();
        if (type == 0x2F) smf.ends.push_back(tick);
        if (type == 0x51 && size == 3)
          smf.tempo = number(3);
        else
          skip(size);
      } else if (first == 0xF0 || first == 0xF7) {
        skip(varLen());
      } else {
        if (first & 0x80) status = first, first = byte();  // else running status
        const int kind = status & 0xF0, channel = status & 0x0F;
        const int second = (kind == 0xC0 || kind == 0xD0) ? 0 : byte();
        if (kind == 0xC0) smf.programs[channel] = first;
        if (kind == 0x90 && second > 0) {
          if (!sounding.try_emplace({channel, first}, channel, first, second, tick, 0).second)
            fail("a note struck again while sounding");
        } else if (kind == 0x80 || kind == 0x90) {
          auto note = sounding.find({channel, first});
          if (note == sounding.end()) fail("a note ended that was not sounding");
          note->second.off = tick;
          smf.notes.push_back(note->second);
          sounding.erase(note);
        }
      }
    }
    if (smf.ends.size() != static_cast<size_t>(track) + 1) fail("a track without End of Track");
    if (!sounding.empty()) fail("a note left sounding");
    end = bytes.size();
  }
  if (at != bytes.size()) fail("bytes after the last track");
  return smf;
}

}  // namespace flakmire::music_test
