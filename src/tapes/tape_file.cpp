#include "tapes/tape_file.h"

#include <algorithm>
#include <string_view>

#include "game/rules_version.h"
#include "tapes/byte_io.h"

namespace flakmire {

namespace {

constexpr std::string_view Magic = "FLAKTAPE";
constexpr std::uint16_t FormatVersion = 1;
constexpr std::size_t HeadSize = 16;  // magic, format, rules, length
constexpr std::size_t CheckSize = 4;
constexpr std::size_t LongestContext = 16;

void Floats(ByteWriter& out, std::span<const float> values) {
  for (const float v : values) out.F32(v);
}

void Floats(ByteReader& in, std::span<float> values) {
  for (float& v : values) v = in.F32();
}

void WriteBody(ByteWriter& out, const Tape& tape) {
  const TapeClaim& c = tape.claim;
  out.I32(c.score), out.I32(c.level), out.I32(c.cause), out.F64(c.days), out.U8(c.cheated);
  const CarriedState& s = tape.carried;
  out.F32(s.GunAngle), out.F32(s.GunLength), out.F32(s.WindDrift);
  out.F64(s.FrameMs), out.F64(s.LastFrameTime), out.U8(s.FastFrame);
  out.Text(s.KeyBuffer), out.Text(s.DeathMethod);
  Floats(out, s.PoleX1), Floats(out, s.PoleX2), Floats(out, s.FlagLeft), Floats(out, s.FlagWidth);
  Floats(out, s.GunX2), Floats(out, s.GunY2);
  out.Text(s.Points), out.Text(s.Score);
  for (const std::uint32_t word : s.random) out.U32(word);
  out.U8(static_cast<std::uint8_t>(tape.context.size()));
  for (const Scope scope : tape.context) out.U8(static_cast<std::uint8_t>(scope));
  out.U32(static_cast<std::uint32_t>(tape.stream.size()));
}

// False when the body makes no sense; the stream is left to the replay to judge.
bool ReadBody(ByteReader& in, Tape& tape) {
  TapeClaim& c = tape.claim;
  c.score = in.I32(), c.level = in.I32(), c.cause = in.I32(), c.days = in.F64();
  const std::uint8_t cheated = in.U8();
  c.cheated = cheated != 0;
  CarriedState& s = tape.carried;
  s.GunAngle = in.F32(), s.GunLength = in.F32(), s.WindDrift = in.F32();
  s.FrameMs = in.F64(), s.LastFrameTime = in.F64();
  const std::uint8_t fast = in.U8();
  s.FastFrame = fast != 0;
  s.KeyBuffer = in.Text(), s.DeathMethod = in.Text();
  Floats(in, s.PoleX1), Floats(in, s.PoleX2), Floats(in, s.FlagLeft), Floats(in, s.FlagWidth);
  Floats(in, s.GunX2), Floats(in, s.GunY2);
  s.Points = in.Text(), s.Score = in.Text();
  for (std::uint32_t& word : s.random) word = in.U32();
  const std::uint8_t scopes = in.U8();
  if (scopes > LongestContext) return false;
  for (int i = 0; i < scopes; ++i) {
    const std::uint8_t scope = in.U8();
    if (scope > static_cast<std::uint8_t>(Scope::Modal)) return false;
    tape.context.push_back(static_cast<Scope>(scope));
  }
  const auto stream = in.Take(in.U32());
  tape.stream.assign(stream.begin(), stream.end());
  return in.ok() && in.AtEnd() && cheated <= 1 && fast <= 1;
}

TapeRead Refuse(TapeError error, std::string detail) {
  TapeRead read;
  read.error = error;
  read.detail = std::move(detail);
  return read;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> WriteTape(const Tape& tape) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(HeadSize + 256 + tape.stream.size() + CheckSize);
  ByteWriter out(bytes);
  for (const char c : Magic) out.U8(static_cast<std::uint8_t>(c));
  out.U16(FormatVersion), out.U16(RulesVersion), out.U32(0);  // the length, once known
  WriteBody(out, tape);
  bytes.insert(bytes.end(), tape.stream.begin(), tape.stream.end());
  const auto length = static_cast<std::uint32_t>(bytes.size() + CheckSize);
  for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  out.U32(Crc32(bytes));
  return bytes;
}

TapeRead ReadTape(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return Refuse(TapeError::NotATape, "it is empty");
  const std::size_t magicSeen = std::min(bytes.size(), Magic.size());
  if (!std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(magicSeen),
                  Magic.begin())) {
    return Refuse(TapeError::NotATape, "it is not a Flakmire tape");
  }
  ByteReader head(bytes);
  head.Take(Magic.size());
  const std::uint16_t format = head.U16();
  const std::uint16_t rules = head.U16();
  const std::uint32_t length = head.U32();
  if (!head.ok()) {
    return Refuse(TapeError::Cut, "it is cut short: only its first " +
                                      std::to_string(bytes.size()) + " bytes are there");
  }
  if (bytes.size() < length) {
    return Refuse(TapeError::Cut, "it is cut short: " + std::to_string(bytes.size()) + " of its " +
                                      std::to_string(length) + " bytes are there");
  }
  const auto checked = bytes.first(bytes.size() - std::min(bytes.size(), CheckSize));
  ByteReader check(bytes.subspan(checked.size()));
  if (bytes.size() != length || length < HeadSize + CheckSize || check.U32() != Crc32(checked)) {
    return Refuse(TapeError::Damaged, "it is damaged: its check does not match its contents");
  }
  if (format != FormatVersion) {
    return Refuse(TapeError::OtherFormat,
                  "it was made by another version of Flakmire (tape format " +
                      std::to_string(format) + "; this one reads format " +
                      std::to_string(FormatVersion) + ")");
  }
  if (rules != RulesVersion) {
    return Refuse(TapeError::OtherRules, "it was recorded under other rules of play (version " +
                                             std::to_string(rules) + "; this game plays version " +
                                             std::to_string(RulesVersion) + ")");
  }
  TapeRead read;
  read.rulesVersion = rules;
  ByteReader body(checked.subspan(HeadSize));
  if (!ReadBody(body, read.tape)) {
    return Refuse(TapeError::Damaged, "it is damaged: its contents make no sense");
  }
  return read;
}

}  // namespace flakmire
