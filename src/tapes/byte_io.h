#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace flakmire {

// Little-endian numbers in and out of a tape's bytes.

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) { Le(v, 2); }
  void U32(std::uint32_t v) { Le(v, 4); }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
  void F64(double v) { Le(std::bit_cast<std::uint64_t>(v), 8); }
  void Text(const std::string& v);  // a 2-byte count, then the bytes
  // Zigzag, then seven bits a byte, low first: small numbers of either sign take one byte.
  void Varint(std::int32_t v);

 private:
  void Le(std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t>& out_;
};

// Reads past the end give zeros and leave ok() false, so that a reader checks once at the end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}

  std::uint8_t U8() { return static_cast<std::uint8_t>(Le(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Le(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Le(4)); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  float F32() { return std::bit_cast<float>(U32()); }
  double F64() { return std::bit_cast<double>(Le(8)); }
  std::string Text();
  std::int32_t Varint();
  std::span<const std::uint8_t> Take(std::size_t n);

  bool ok() const { return ok_; }
  bool AtEnd() const { return at_ == in_.size(); }
  std::size_t Left() const { return in_.size() - at_; }

 private:
  std::uint64_t Le(int bytes);
  std::span<const std::uint8_t> in_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace flakmire
