#include "scores/score_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "ports/random.h"

namespace flakmire {

namespace {

constexpr std::uint8_t FileVersion = 1;
constexpr std::size_t HeaderSize = 6;  // version, random byte, plain size; readers skip them
constexpr int ShortestKey = 16;
constexpr int KeyLengths = 230;
constexpr std::uint16_t UnsetTag = 0;
constexpr std::uint16_t TextTag = 8;

void PutNumber(Bytes& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(Bytes& out, const std::optional<std::string>& text) {
  if (!text) {
    PutNumber(out, UnsetTag, 2);
    return;
  }
  const std::size_t count = std::min(text->size(), LongestText);
  PutNumber(out, TextTag, 2);
  PutNumber(out, static_cast<std::uint32_t>(count), 2);
  out.insert(out.end(), text->begin(), text->begin() + static_cast<std::ptrdiff_t>(count));
}

// Reads fields from the front; whatever runs past the end reads as zero or unset and leaves
// nothing more to read.
class PlainReader {
 public:
  explicit PlainReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool damaged = false;
  bool ranOut = false;  // a field ran past the end

  std::uint32_t Number(std::size_t size) {
    if (Left() < size) return ranOut = true, Exhaust(), 0;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{bytes_[at_ + i]} << (8 * i);
    at_ += size;
    return value;
  }

  std::optional<std::string> Text() {
    const std::uint32_t tag = Number(2);
    if (tag == UnsetTag) return std::nullopt;
    if (tag != TextTag) {
      damaged = true;
      return Exhaust(), std::nullopt;
    }
    const std::size_t count = Number(2);
    if (Left() < count) return Exhaust(), std::nullopt;  // no whole table: copies that disagree
    std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + count));
    at_ += count;
    return text;
  }

 private:
  std::size_t Left() const { return bytes_.size() - at_; }
  void Exhaust() { at_ = bytes_.size(); }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// 255, not 256: a plain 255 and a plain 0 scramble alike under any key byte but 0.
std::uint8_t Scramble(std::uint8_t plain, std::uint8_t key) {
  int c = plain + key;
  if (c > 255) c -= 255;
  return static_cast<std::uint8_t>(c);
}

std::uint8_t Unscramble(std::uint8_t scrambled, std::uint8_t key) {
  int d = scrambled - key;
  if (d < 0) d += 255;
  return static_cast<std::uint8_t>(d);
}

std::uint8_t KeyByte(float fraction) {
  const double k = std::nearbyint(fraction * 256.0);
  return static_cast<std::uint8_t>(std::min(k, 255.0));
}

}  // namespace

Bytes WritePlainTable(const ScoreTable& Scores) {
  Bytes out;
  for (int copy = 0; copy < TableCopies; ++copy) {
    for (int place = 0; place < Places; ++place) {
      const ScoreRecord& r = Scores[place];
      PutNumber(out, static_cast<std::uint32_t>(r.Score), 4);
      PutText(out, r.PlayerName);
      out.push_back(r.KilledBy);
      out.push_back(r.Level);
      PutText(out, r.Lasted);
    }
  }
  return out;
}

PlainTable ReadPlainTable(std::span<const std::uint8_t> plain) {
  PlainTable table;
  PlainReader in(plain);
  for (Copy& copy : table.copies) {
    for (ScoreRecord& r : copy) {
      r.Score = static_cast<std::int32_t>(in.Number(4));
      r.PlayerName = in.Text();
      r.KilledBy = static_cast<std::uint8_t>(in.Number(1));
      r.Level = static_cast<std::uint8_t>(in.Number(1));
      r.Lasted = in.Text();
    }
  }
  table.damaged = in.damaged;
  table.whole = !in.ranOut;
  return table;
}

Bytes Encrypt(std::span<const std::uint8_t> plain, Random& random) {
  Bytes file{FileVersion, static_cast<std::uint8_t>(static_cast<int>(random.Rnd() * 10.0) + 2)};
  PutNumber(file, static_cast<std::uint32_t>(plain.size()), 4);
  const int length = static_cast<int>(random.Rnd() * static_cast<double>(KeyLengths)) + ShortestKey;
  Bytes key(static_cast<std::size_t>(length));
  for (std::uint8_t& k : key) k = KeyByte(random.Rnd());
  // Keeps every 255 a 255, and the arithmetic unchanged, so every reader reads it back.
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] == 255) key[i % key.size()] = 0;
  }
  file.push_back(static_cast<std::uint8_t>(length));
  file.insert(file.end(), key.begin(), key.end());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    file.push_back(Scramble(plain[i], key[i % key.size()]));
  }
  return file;
}

Bytes Decrypt(std::span<const std::uint8_t> file) {
  if (file.size() <= HeaderSize) return {};
  const std::size_t length = file[HeaderSize];
  const std::size_t body = HeaderSize + 1 + length;
  if (file.size() <= body) return {};
  // A key of length 0 leaves the body as it is.
  const auto key = [&](std::size_t i) {
    return length == 0 ? 0 : file[HeaderSize + 1 + i % length];
  };
  Bytes plain(file.size() - body);
  for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = Unscramble(file[body + i], key(i));
  return plain;
}

bool RecordsMatch(const ScoreRecord& a, const ScoreRecord& b) {
  return a.Score == b.Score && a.Level == b.Level && a.KilledBy == b.KilledBy &&
         a.PlayerName.value_or("") == b.PlayerName.value_or("") &&
         a.Lasted.value_or("") == b.Lasted.value_or("");
}

bool CopiesAgree(const PlainTable& table) {
  if (table.damaged) return false;
  for (int place = 0; place < Places; ++place) {
    for (int copy = 1; copy < TableCopies; ++copy) {
      if (!RecordsMatch(table.copies[0][place], table.copies[copy][place])) return false;
    }
  }
  return true;
}

bool HoldsWholeTable(std::span<const std::uint8_t> file) {
  const PlainTable table = ReadPlainTable(Decrypt(file));
  return table.whole && CopiesAgree(table);
}

}  // namespace flakmire
