#include "scores/verify_tape.h"

#include <array>
#include <string_view>

#include "ports/null_ports.h"
#include "scores/score_table.h"
#include "tapes/replay.h"

namespace flakmire {

namespace {

// The claim's fields as the high-score table writes them.
std::array<std::string, 5> Fields(const TapeClaim& c) {
  const std::string lasted = DurationText(c.days);
  return {std::to_string(c.score), std::to_string(c.level), lasted.empty() ? "0 sec" : lasted,
          std::string(KillCauseText(c.cause)), c.cheated ? "yes" : "no"};
}

}  // namespace

Verdict VerifyTape(std::span<const std::uint8_t> bytes) {
  const TapeRead read = ReadTape(bytes);
  if (read.error != TapeError::None) {
    return {2, "This is no tape that Flakmire can play: " + read.detail + ".\n"};
  }
  NullWindow window;
  Replay replay(read.tape, window);
  const ReplayOutcome outcome = replay.Run();
  if (outcome.end != ReplayOutcome::End::Finished) {
    return {2, "This tape cannot be played to its end: " + outcome.failure +
                   ". It is damaged, or was made by other rules of play.\n"};
  }
  if (!outcome.result) {
    return {1, "The run on this tape never ends: the gunner does not die, as the tape claims.\n"};
  }
  constexpr std::array<std::string_view, 5> Names = {"Score", "Level", "Lasted", "Killed by",
                                                     "Cheated"};
  const auto claimed = Fields(read.tape.claim), played = Fields(*outcome.result);
  std::string report;
  bool holds = read.tape.claim == *outcome.result;
  for (std::size_t i = 0; i < Names.size(); ++i) {
    std::string line = std::string(Names[i]) + ":";
    line.resize(12, ' ');
    line += played[i];
    line.resize(28, ' ');
    line += played[i] == claimed[i] ? "as claimed" : "but the tape claims " + claimed[i];
    report += line + "\n";
  }
  if (!holds && claimed == played) {
    report += "The duration differs from the claim by less than a second.\n";
  }
  report += holds ? "The tape proves its run: it plays out exactly as it claims.\n"
                  : "The tape does not prove its run: it plays out otherwise than it claims.\n";
  return {holds ? 0 : 1, report};
}

}  // namespace flakmire
