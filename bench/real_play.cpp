// Plays seeded real plays (bench/loads.h) and tells what they put on show: the most crowded frame,
// the 99th percentile of the endless last level, and the frames that cost most to paint. The
// frames with the most round-shape area, one for every 250 frames, are the candidates; the 40
// largest are painted with the plain painter, and it prints each that is dearer, by processor
// time, than the ones before. What it finds becomes the loads of the paint benchmarks.
//
//   real_play [FRAMES [SEED... [--big]]]    defaults: 120000 frames, seeds 1 to 3

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "game/game_loop.h"
#include "game/layout.h"
#include "loads.h"

namespace flakmire::bench {
namespace {

constexpr long Window = 250;  // one candidate per this many frames, so that they differ
constexpr int Candidates = 40;
constexpr int Paints = 5;

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Median processor time of painting the scene whole, in milliseconds.
double PaintMs(ScenePainter& painter, const Scene& scene) {
  QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
  std::vector<double> times;
  for (int i = 0; i < Paints; ++i) {
    QPainter p(&image);
    const double start = ThreadSeconds();
    painter.Paint(p, scene);
    p.end();
    times.push_back(1000 * (ThreadSeconds() - start));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const RealPlay& play, long frames, ScenePainter& painter) {
  std::printf("seed %llu%s, %ld frames\n", static_cast<unsigned long long>(play.seed),
              play.bigExplosions ? ", Big Explosions" : "", frames);
  std::vector<int> lastLevel;
  long crowdedFrame = 0, lastLevelFrom = 0;
  int crowded = 0;
  std::map<long, std::pair<double, long>> best;  // window -> (area, frame)
  testing::TestGame first, second;
  Play(first, play, [&](const Game& g, long n) {
    const int shown = Shown(g.scene);
    if (shown > crowded) crowded = shown, crowdedFrame = n;
    if (g.Level == LastLevel) {
      if (lastLevel.empty()) lastLevelFrom = n;
      lastLevel.push_back(shown);
    }
    auto& [area, frame] = best[n / Window];
    if (const double a = RoundArea(g.scene); a > area) area = a, frame = n;
    return n < frames;
  });
  std::printf("  most crowded: frame %ld, %d things\n", crowdedFrame, crowded);
  if (!lastLevel.empty()) {
    std::sort(lastLevel.begin(), lastLevel.end());
    std::printf("  last level from frame %ld: 99th percentile %d things\n", lastLevelFrom,
                lastLevel[lastLevel.size() * 99 / 100]);
  }
  std::vector<std::pair<double, long>> top;
  for (const auto& [window, candidate] : best) top.push_back(candidate);
  std::sort(top.rbegin(), top.rend());
  top.resize(std::min<std::size_t>(top.size(), Candidates));
  std::vector<long> wanted;
  for (const auto& [area, frame] : top) wanted.push_back(frame);
  std::sort(wanted.begin(), wanted.end());
  double dearest = 0;
  Play(second, play, [&](const Game& g, long n) {
    if (std::binary_search(wanted.begin(), wanted.end(), n)) {
      const double ms = PaintMs(painter, g.scene);
      if (ms > dearest)
        std::printf("  frame %ld: %d things, %.2f million px² round, %.2f ms%s\n", n,
                    Shown(g.scene), RoundArea(g.scene) / 1e6, ms, "");
      dearest = std::max(dearest, ms);
    }
    return n < wanted.back();
  });
  std::fflush(stdout);
}

}  // namespace
}  // namespace flakmire::bench

int main(int argc, char** argv) {
  using namespace flakmire;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const long frames = argc > 1 ? std::stol(argv[1]) : 120000;
  bool big = false;
  std::vector<std::uint64_t> seeds;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--big") {
      big = true;
    } else {
      seeds.push_back(std::stoull(argv[i]));
    }
  }
  if (seeds.empty()) seeds = {1, 2, 3};
  Pictures pictures;
  ScenePainter painter(pictures, true);  // the plain painter: what every frame cost before
  for (std::uint64_t seed : seeds) bench::Report({seed, big}, frames, painter);
  return 0;
}
