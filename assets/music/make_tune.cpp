// make_tune INPUT.tune OUTPUT.mid: turns a tune (notation described at the top of dropling.tune)
// into a Standard MIDI File, format 1: a tempo track, then one track per part. A malformed tune
// gets "INPUT:LINE: error: ..." on stderr, a non-zero exit and no output file.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr long kTicksPerQuarter = 480;
constexpr long kBar = 4 * kTicksPerQuarter;  // every bar is 4/4: a march needs nothing else
constexpr long kMaxTicks = 0x0FFFFFFF;       // the largest delta time a MIDI file can hold

struct TuneError {
  int line;
  std::string message;
};

[[noreturn]] void Fail(int line, std::string text) { throw TuneError{line, std::move(text)}; }

// Stored as MIDI wants them: channel 0-15, program 0-127 (-1: none), pan -64..63, gate in %.
struct Track {
  std::string name;
  int channel = -1, program = -1, volume = 100, pan = 0, gate = 90;
};

struct Note {
  long start, length;
  int key, velocity;
};

// One track's music within one section.
struct Part {
  std::vector<Note> notes;
  long length = 0;
  std::vector<std::string> lastBar;  // what '%' repeats
  int velocity = 80;
  bool inherited = false;  // copied by "section X from Y"; the first line for it in X replaces it
};

struct Section {
  std::string name;
  int line = 0;
  std::map<int, Part> parts;  // by track index
};

struct Tune {
  int tempo = 120;  // quarter notes per minute
  std::vector<Track> tracks;
  std::vector<Section> sections;
  std::vector<std::pair<std::string, int>> play;  // section name, line that named it
};

// How each keyword is written, for error messages. Tracks may not take these names.
const std::map<std::string, std::string, std::less<>> kKeywords = {
    {"tempo", "tempo QUARTER_NOTES_PER_MINUTE"},
    {"track", "track NAME channel 1-16 [program 1-128] [volume 0-127] [pan -64..63] [gate 1-100]"},
    {"section", "section NAME [from OTHER_SECTION]"},
    {"play", "play SECTION SECTION ..."}};

// Track settings: the field each sets, its range as written, and what to add to store it.
struct Setting {
  int Track::*field;
  int low, high, offset;
};
const std::map<std::string, Setting, std::less<>> kSettings = {
    {"channel", {&Track::channel, 1, 16, -1}},
    {"program", {&Track::program, 1, 128, -1}},
    {"volume", {&Track::volume, 0, 127, 0}},
    {"pan", {&Track::pan, -64, 63, 0}},
    {"gate", {&Track::gate, 1, 100, 0}}};

const std::map<std::string, int, std::less<>> kDynamics = {{"pp", 36}, {"p", 50}, {"mp", 64},
                                                           {"mf", 80}, {"f", 96}, {"ff", 112}};

const std::map<std::string, int, std::less<>> kDrums = {
    {"kick", 36}, {"rim", 37},  {"snare", 38}, {"clap", 39},    {"hat", 42},
    {"tom3", 43}, {"phat", 44}, {"ohat", 46},  {"tom2", 47},    {"crash", 49},
    {"tom1", 50}, {"ride", 51}, {"tamb", 54},  {"cowbell", 56}, {"crash2", 57}};

template <typename T>
int Find(const std::vector<T>& items, std::string_view name) {
  const auto found = std::ranges::find(items, name, &T::name);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

std::vector<std::string> Words(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

int Number(std::string_view text, int line, std::string_view what, int low, int high) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    Fail(line, std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not '" + std::string(text) + "'");
  }
  return value;
}

// "8" eighth, "4." dotted quarter, "8t" one of three triplet eighths.
long Duration(std::string_view text, int line) {
  const bool dotted = text.ends_with('.'), triplet = text.ends_with('t');
  if (dotted || triplet) text.remove_suffix(1);
  const int division = Number(text, line, "a note length", 1, 64);
  if ((division & (division - 1)) != 0) {
    Fail(line, "a note length is 1, 2, 4, 8, 16, 32 or 64, not '" + std::string(text) + "'");
  }
  const long ticks = 4 * kTicksPerQuarter / division;
  return dotted ? ticks * 3 / 2 : triplet ? ticks * 2 / 3 : ticks;
}

// "C4" is middle C (MIDI 60); "F#3", "Bb5"; or a drum name from the table above.
int Pitch(std::string_view text, int line) {
  if (auto drum = kDrums.find(text); drum != kDrums.end()) return drum->second;
  static constexpr std::string_view kLetters = "CDEFGAB";
  static constexpr int kSemitones[] = {0, 2, 4, 5, 7, 9, 11};
  const size_t letter = text.empty() ? std::string_view::npos : kLetters.find(text[0]);
  if (letter == std::string_view::npos) Fail(line, "unknown note '" + std::string(text) + "'");
  int key = kSemitones[letter];
  size_t i = 1;
  for (; i < text.size() && (text[i] == '#' || text[i] == 'b'); ++i) key += text[i] == '#' ? 1 : -1;
  if (i == text.size()) Fail(line, "note '" + std::string(text) + "' needs an octave, as in C4");
  key += 12 * (Number(text.substr(i), line, "an octave", -1, 9) + 1);
  if (key < 0 || key > 127) Fail(line, "note '" + std::string(text) + "' is outside MIDI's range");
  return key;
}

// Reads one bar's tokens onto the end of a part.
void ReadBar(const std::vector<std::string>& tokens, int line, Part& part) {
  for (const std::string& token : tokens) {
    if (auto dynamic = kDynamics.find(token); dynamic != kDynamics.end()) {
      part.velocity = dynamic->second;
      continue;
    }
    std::string_view note = token;
    const bool accent = note.starts_with('>');
    if (accent) note.remove_prefix(1);
    const size_t slash = note.find('/');
    if (slash == std::string_view::npos) {
      Fail(line, "'" + token + "' needs a length, as in C5/4 or r/8 ('%' stands alone in a bar)");
    }
    const long length = Duration(note.substr(slash + 1), line);
    const std::string_view keys = note.substr(0, slash);
    for (size_t k = 0; keys != "r" && k <= keys.size();) {
      const size_t plus = std::min(keys.find('+', k), keys.size());
      part.notes.push_back({part.length, length, Pitch(keys.substr(k, plus - k), line),
                            std::min(127, part.velocity + (accent ? 20 : 0))});
      k = plus + 1;
    }
    part.length += length;
  }
}

// Appends the bars of one "TRACK | bar | bar |" line to a part.
void ReadBars(std::string_view bars, int line, Part& part) {
  int barNumber = 0;
  for (size_t from = 0; from <= bars.size();) {
    const size_t to = std::min(bars.find('|', from), bars.size());
    const std::vector<std::string> tokens = Words(bars.substr(from, to - from));
    from = to + 1;
    if (tokens.empty()) continue;
    ++barNumber;
    const long barStart = part.length;
    const bool repeat = tokens.size() == 1 && tokens[0] == "%";
    if (repeat && part.lastBar.empty()) Fail(line, "'%' repeats the bar before, but there is none");
    if (!repeat) part.lastBar = tokens;
    ReadBar(part.lastBar, line, part);
    if (part.length - barStart != kBar) {
      std::ostringstream quarters;
      quarters << static_cast<double>(part.length - barStart) / kTicksPerQuarter;
      Fail(line, "bar " + std::to_string(barNumber) + " on this line lasts " + quarters.str() +
                     " quarter notes instead of 4");
    }
  }
  if (barNumber == 0) Fail(line, "no bars on this line; write them as | C5/4 r/4 C5/2 |");
}

void CheckSection(const Tune& tune, const Section& section) {
  if (section.parts.empty()) Fail(section.line, "section '" + section.name + "' has no music");
  const auto& [firstTrack, first] = *section.parts.begin();
  for (const auto& [track, part] : section.parts) {
    if (part.length == first.length) continue;
    Fail(section.line, "in section '" + section.name + "', '" + tune.tracks[firstTrack].name +
                           "' and '" + tune.tracks[track].name + "' differ in length (" +
                           std::to_string(first.length / kBar) + " and " +
                           std::to_string(part.length / kBar) + " bars)");
  }
}

Track ReadTrack(const Tune& tune, const std::vector<std::string>& words, int line) {
  if (Find(tune.tracks, words[1]) >= 0) Fail(line, "track '" + words[1] + "' is defined twice");
  if (kKeywords.contains(words[1])) Fail(line, "'" + words[1] + "' cannot name a track");
  Track track{words[1]};
  for (size_t i = 2; i < words.size(); i += 2) {
    const auto setting = kSettings.find(words[i]);
    if (setting == kSettings.end()) Fail(line, "unknown track setting '" + words[i] + "'");
    const auto& [field, low, high, offset] = setting->second;
    track.*field = Number(words[i + 1], line, words[i], low, high) + offset;
  }
  if (track.channel < 0) Fail(line, "track '" + track.name + "' needs a channel (1-16)");
  return track;
}

void StartSection(Tune& tune, const std::vector<std::string>& words, int line) {
  if (!tune.sections.empty()) CheckSection(tune, tune.sections.back());
  if (Find(tune.sections, words[1]) >= 0) Fail(line, "section '" + words[1] + "' is defined twice");
  Section next{words[1], line, {}};
  if (words.size() == 4) {
    const int base = Find(tune.sections, words[3]);
    if (base < 0) Fail(line, "section '" + words[3] + "' must be defined before it is used");
    next.parts = tune.sections[base].parts;
    for (auto& [track, part] : next.parts) part.inherited = true;
  }
  tune.sections.push_back(std::move(next));
}

Tune ReadTune(std::istream& in) {
  Tune tune;
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    // A comment starts at a '#' that begins a word; the one in "C#5" is a sharp.
    for (size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + 1)) {
      if (at == 0 || std::isspace(static_cast<unsigned char>(text[at - 1]))) text.erase(at);
    }
    const std::vector<std::string> words = Words(text);
    if (words.empty()) continue;
    const std::string& word = words[0];
    const size_t count = words.size();
    if (word == "tempo" && count == 2) {
      if (!tune.sections.empty()) Fail(number, "the tempo must come before the first section");
      tune.tempo = Number(words[1], number, "the tempo", 20, 400);
    } else if (word == "track" && count >= 2 && count % 2 == 0) {
      tune.tracks.push_back(ReadTrack(tune, words, number));
    } else if (word == "section" && (count == 2 || (count == 4 && words[2] == "from"))) {
      StartSection(tune, words, number);
    } else if (word == "play" && count >= 2) {
      for (size_t i = 1; i < count; ++i) tune.play.emplace_back(words[i], number);
    } else if (const int track = Find(tune.tracks, word); track >= 0) {
      if (tune.sections.empty()) Fail(number, "music for '" + word + "' must be in a section");
      Part& part = tune.sections.back().parts[track];
      if (part.inherited) part = Part{};
      ReadBars(std::string_view(text).substr(text.find(word) + word.size()), number, part);
    } else if (auto keyword = kKeywords.find(word); keyword != kKeywords.end()) {
      Fail(number, "write '" + word + "' as: " + keyword->second);
    } else {
      Fail(number,
           text.find('|') != std::string::npos
               ? "'" + word + "' is not a track; a line of bars starts with its track's name"
               : "cannot read '" + word + "' (see the notation at the top of the tune)");
    }
  }
  if (!tune.sections.empty()) CheckSection(tune, tune.sections.back());
  if (tune.play.empty()) Fail(number, "nothing to play: add a line such as 'play intro verse'");
  return tune;
}

using Bytes = std::vector<std::uint8_t>;

// Seven bits a byte, most significant first; all bytes but the last have their top bit set.
void PutVarLen(Bytes& out, std::uint32_t value, std::uint8_t more = 0) {
  if (value > 0x7F) PutVarLen(out, value >> 7, 0x80);
  out.push_back((value & 0x7F) | more);
}

void PutBigEndian(Bytes& out, std::uint32_t value, int size) {
  for (int shift = 8 * (size - 1); shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

// At one tick: settings first, then note-offs before note-ons so a repeated note restrikes.
enum Order { kSetup, kNoteOff, kNoteOn, kEnd };

struct Event {
  long tick;
  Order order;
  Bytes data;
};

void PutTrackChunk(Bytes& file, std::vector<Event> events, long end) {
  std::ranges::stable_sort(events, {}, [](const Event& e) { return std::pair(e.tick, e.order); });
  events.push_back({end, kEnd, {0xFF, 0x2F, 0x00}});  // End of Track
  Bytes body;
  long now = 0;
  for (const Event& e : events) {
    PutVarLen(body, static_cast<std::uint32_t>(e.tick - now));
    body.insert(body.end(), e.data.begin(), e.data.end());
    now = e.tick;
  }
  file.insert(file.end(), {'M', 'T', 'r', 'k'});
  PutBigEndian(file, static_cast<std::uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
}

Event NameEvent(const std::string& name) {
  Event e{0, kSetup, {0xFF, 0x03}};
  PutVarLen(e.data, static_cast<std::uint32_t>(name.size()));
  e.data.insert(e.data.end(), name.begin(), name.end());
  return e;
}

Bytes WriteMidi(const Tune& tune) {
  std::vector<std::vector<Event>> tracks;
  for (const Track& t : tune.tracks) {
    const std::uint8_t control = 0xB0 | t.channel, program = 0xC0 | t.channel;
    tracks.push_back({NameEvent(t.name),
                      {0, kSetup, {control, 7, std::uint8_t(t.volume)}},
                      {0, kSetup, {control, 10, std::uint8_t(t.pan + 64)}}});
    if (t.program >= 0) tracks.back().push_back({0, kSetup, {program, std::uint8_t(t.program)}});
  }
  long now = 0;
  for (const auto& [name, line] : tune.play) {
    const int found = Find(tune.sections, name);
    if (found < 0) Fail(line, "there is no section '" + name + "' to play");
    const Section& section = tune.sections[found];
    for (const auto& [index, part] : section.parts) {
      const Track& track = tune.tracks[index];
      const std::uint8_t on = 0x90 | track.channel, off = 0x80 | track.channel;
      for (const Note& n : part.notes) {
        const auto key = static_cast<std::uint8_t>(n.key);
        const long end = now + n.start + std::max(1L, n.length * track.gate / 100);
        tracks[index].push_back({now + n.start, kNoteOn, {on, key, std::uint8_t(n.velocity)}});
        tracks[index].push_back({end, kNoteOff, {off, key, 64}});
      }
    }
    now += section.parts.begin()->second.length;
    if (now > kMaxTicks) Fail(line, "the tune is too long for a MIDI file");
  }

  const auto tempo = static_cast<std::uint32_t>(60'000'000L / tune.tempo);       // µs per quarter
  std::vector<Event> conductor = {{0, kSetup, {0xFF, 0x58, 0x04, 4, 2, 24, 8}},  // 4/4
                                  {0, kSetup, {0xFF, 0x51, 0x03}}};
  PutBigEndian(conductor.back().data, tempo, 3);

  Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBigEndian(file, static_cast<std::uint32_t>(tune.tracks.size() + 1), 2);
  PutBigEndian(file, kTicksPerQuarter, 2);
  PutTrackChunk(file, std::move(conductor), now);
  for (std::vector<Event>& events : tracks) PutTrackChunk(file, std::move(events), now);
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_tune INPUT.tune OUTPUT.mid\n";
    return 2;
  }
  const std::string input = argv[1], output = argv[2];
  try {
    std::error_code ec;
    if (std::filesystem::equivalent(input, output, ec)) Fail(0, "the output would replace it");
    std::ifstream in(input);
    if (!in || std::filesystem::is_directory(input, ec)) Fail(0, "cannot open it");
    const Bytes midi = WriteMidi(ReadTune(in));
    // Written aside and renamed, so a failed write never leaves a half file behind.
    const std::string partial = output + ".part";
    std::ofstream out(partial, std::ios::binary);
    out.write(reinterpret_cast<const char*>(midi.data()), std::ssize(midi));
    out.close();
    if (out && (std::filesystem::rename(partial, output, ec), !ec)) return 0;
    std::filesystem::remove(partial, ec);
    std::cerr << "make_tune: cannot write " << output << "\n";
  } catch (const TuneError& e) {
    std::cerr << input << (e.line > 0 ? ":" + std::to_string(e.line) : "")
              << ": error: " << e.message << "\n";
  } catch (const std::exception& e) {
    std::cerr << "make_tune: " << e.what() << "\n";
  }
  return 1;
}
