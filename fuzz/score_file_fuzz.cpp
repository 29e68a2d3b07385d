// Loads any bytes at all as "HighScores.dat": the loader must never crash, hang or read out of
// bounds, and whatever table passes the tamper check must save, load back unchanged and take a
// new run.
//
// The first byte says how to take the rest: as the file itself, or as a plain table that is
// scrambled first, so that the fuzzer reaches the record reader without having to learn a key.

#include <cstdlib>

#include "fakes/fake_ports.h"

namespace {

using namespace flakmire;

void Expect(bool holds) {
  if (!holds) std::abort();
}

void ExpectLoads(testing::Board& b, const ScoreTable& table) {
  b.hs.Scores = {};
  b.hs.LoadIt1();
  Expect(!b.desk.ended);
  for (int place = 0; place < Places; ++place) Expect(b.hs.Scores[place] == table[place]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  testing::Board b;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  b.Dat() = data[0] & 1 ? Encrypt(rest, b.desk) : Bytes(rest.begin(), rest.end());
  b.desk.answer = MessageAnswer::No;
  b.hs.LoadIt1();
  if (b.desk.ended) return 0;  // the tamper dialogue ended the program
  const ScoreTable loaded = b.hs.Scores;
  b.hs.SaveIt1();
  ExpectLoads(b, loaded);

  const int score = static_cast<int>(data[0] >> 1) - 8;
  b.hs.SubmitScore(score, data[0] % 7, data[0], data[0] / 7.0, "");
  b.hs.Form_Activate();
  Expect(b.hs.NewPlace == -1);
  const ScoreTable named = b.hs.Scores;
  ExpectLoads(b, named);
  return 0;
}
