#include "desktop/tape_watcher.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <chrono>
#include <string>
#include <thread>

#include "desktop/form1.h"
#include "tapes/replay.h"

namespace flakmire {

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr double LongestWait = 1.0;
constexpr double HalfADay = 43200, Day = 86400;

// The main window as the watched run sees it: its own pictures, and a caption that tells how
// to stop.
class WatchWindow final : public MainWindow {
 public:
  explicit WatchWindow(Form1& form) : form_(form) {}
  void Show() override { form_.Show(); }
  void SetCaption(std::string_view caption) override {
    form_.SetCaption(std::string(caption) + "   (a tape: any key stops it)");
  }
  void SetPointer(Pointer) override {}
  void Present() override { form_.Present(); }

 private:
  Form1& form_;
};

// Keeps the replay at the run's own pace by the times of day it reads off the tape, and hears the
// player between frames.
class Pace final : public ReplayWatch {
 public:
  void Reached(float secondsSinceMidnight) override {
    double seconds = secondsSinceMidnight + days_ * Day;
    if (seconds < last_ - HalfADay) seconds += Day, days_ += 1;  // past midnight
    if (!started_) started_ = true, first_ = seconds, start_ = Clock::now();
    last_ = seconds;
    const auto due =
        start_ + std::chrono::duration_cast<Clock::duration>(Seconds(seconds - first_ - skipped_));
    double ahead = Seconds(due - Clock::now()).count();
    if (ahead > LongestWait) skipped_ += ahead - LongestWait, ahead = LongestWait;
    if (ahead > 0) std::this_thread::sleep_for(Seconds(ahead));
  }
  bool KeepGoing() override {
    QCoreApplication::processEvents();
    return !stopped;
  }
  bool stopped = false;

 private:
  bool started_ = false;
  double first_ = 0, last_ = 0, skipped_ = 0, days_ = 0;
  Clock::time_point start_;
};

void Tell(Form1& form, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, "Flakmire", QString::fromStdString(text), QMessageBox::Ok,
                  &form);
  box.exec();
}

}  // namespace

void TapeWatcher::Watch(const std::vector<std::uint8_t>& bytes) {
  const TapeRead read = ReadTape(bytes);
  if (read.error != TapeError::None) {
    return Tell(window_, "This tape cannot be played: " + read.detail + ".");
  }
  WatchWindow window(window_);
  Pace pace;
  const QString caption = window_.windowTitle();
  Replay replay(read.tape, window, &pace, sounds_);
  window_.BeginWatch(replay.game().scene, [&pace] { pace.stopped = true; });
  const ReplayOutcome outcome = replay.Run();
  window_.EndWatch();
  window_.setWindowTitle(caption);
  if (outcome.end == ReplayOutcome::End::Failed) {
    Tell(window_, "This tape could not be played to its end: " + outcome.failure + ".");
  }
}

}  // namespace flakmire
