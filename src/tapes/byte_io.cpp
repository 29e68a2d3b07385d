#include "tapes/byte_io.h"

#include <algorithm>

namespace flakmire {

void ByteWriter::Text(const std::string& v) {
  const std::size_t n = std::min<std::size_t>(v.size(), 0xFFFF);
  U16(static_cast<std::uint16_t>(n));
  out_.insert(out_.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
}

void ByteWriter::Varint(std::int32_t v) {
  auto z = (static_cast<std::uint32_t>(v) << 1) ^ static_cast<std::uint32_t>(v >> 31);
  while (z >= 0x80) {
    U8(static_cast<std::uint8_t>(z | 0x80));
    z >>= 7;
  }
  U8(static_cast<std::uint8_t>(z));
}

std::uint64_t ByteReader::Le(int bytes) {
  if (Left() < static_cast<std::size_t>(bytes)) {
    ok_ = false;
    at_ = in_.size();
    return 0;
  }
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint64_t{in_[at_++]} << (8 * i);
  return v;
}

std::span<const std::uint8_t> ByteReader::Take(std::size_t n) {
  if (Left() < n) {
    ok_ = false;
    at_ = in_.size();
    return {};
  }
  const auto taken = in_.subspan(at_, n);
  at_ += n;
  return taken;
}

std::string ByteReader::Text() {
  const auto bytes = Take(U16());
  return std::string(bytes.begin(), bytes.end());
}

std::int32_t ByteReader::Varint() {
  std::uint32_t z = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    const std::uint8_t b = U8();
    z |= static_cast<std::uint32_t>(b & 0x7F) << shift;
    if ((b & 0x80) == 0) return static_cast<std::int32_t>((z >> 1) ^ (~(z & 1) + 1));
  }
  ok_ = false;  // longer than any 32-bit number
  return 0;
}

}  // namespace flakmire
