// Reads any bytes at all as a tape and proves it: the reader and the replay through the rules must
// never crash, hang or read out of bounds, and must give one of the three answers. A tape that
// reads writes back to the same bytes.
//
// The first byte says how to take the rest: as the file itself, or as a file whose length and
// check are first made right, so that the fuzzer reaches the replay without having to learn the
// checksum.

#include <cstdlib>
#include <cstring>

#include "scores/verify_tape.h"
#include "tapes/tape_file.h"

namespace {

using namespace flakmire;

void Expect(bool holds) {
  if (!holds) std::abort();
}

constexpr std::size_t LengthAt = 12, HeadSize = 16, CheckSize = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  if (data[0] & 1 && bytes.size() >= HeadSize + CheckSize) {
    const auto length = static_cast<std::uint32_t>(bytes.size());
    std::memcpy(bytes.data() + LengthAt, &length, 4);  // little-endian, as the format
    const std::uint32_t check = Crc32(std::span(bytes).first(bytes.size() - CheckSize));
    std::memcpy(bytes.data() + bytes.size() - CheckSize, &check, 4);
  }
  const TapeRead read = ReadTape(bytes);
  if (read.error == TapeError::None) Expect(WriteTape(read.tape) == bytes);
  const int answer = VerifyTape(bytes).exitCode;
  Expect(answer == 0 || answer == 1 || answer == 2);
  Expect(read.error == TapeError::None || answer == 2);
  return 0;
}
