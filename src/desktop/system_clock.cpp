#include "desktop/system_clock.h"

#include <cmath>
#include <ctime>
#include <thread>

namespace flakmire {

namespace {

constexpr double TicksPerSecond = 64;
constexpr double SecondsPerDay = 86400;
constexpr double UnixEpochAsDateTime = 25569;  // 1970-01-01 in days since 1899-12-30

// Seconds since the Unix epoch, and the local zone's offset from UTC then.
double WallSeconds(long* utcOffset) {
  const auto now = std::chrono::system_clock::now();
  const double seconds = std::chrono::duration<double>(now.time_since_epoch()).count();
  const std::time_t whole = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&whole, &local);
  *utcOffset = local.tm_gmtoff;
  return seconds;
}

}  // namespace

SystemClock::SystemClock() : start_(std::chrono::steady_clock::now()) {
  long offset = 0;
  const double local = WallSeconds(&offset) + offset;
  startSecondsOfDay_ = std::fmod(local, SecondsPerDay);
}

long long SystemClock::TicksNow() const {
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  return static_cast<long long>(std::floor((startSecondsOfDay_ + elapsed) * TicksPerSecond));
}

float SystemClock::SecondsSinceMidnight() {
  const double seconds = static_cast<double>(TicksNow()) / TicksPerSecond;
  return static_cast<float>(std::fmod(seconds, SecondsPerDay));
}

void SystemClock::SleepUntilNextTick() {
  const double next = static_cast<double>(TicksNow() + 1) / TicksPerSecond - startSecondsOfDay_;
  std::this_thread::sleep_until(start_ +
                                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                    std::chrono::duration<double>(next)));
}

double SystemClock::DateTimeNow() {
  long offset = 0;
  const double local = WallSeconds(&offset) + offset;
  return local / SecondsPerDay + UnixEpochAsDateTime;
}

}  // namespace flakmire
