// How long painting one frame takes with the real painter, into an image of the playfield's size
// on Qt's offscreen platform, at the loads of frame_bench; and its share of the 15.6 ms frame.
// The window itself also hands the painted pixels to the display server, which this
// leaves out.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "desktop/dirty_region.h"
#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "game/game_loop.h"
#include "game/layout.h"
#include "loads.h"

namespace flakmire {
namespace {

void PaintAt(benchmark::State& state, bench::Load& load) {
  load.Restore();
  RunFrame(load.t->g);  // sizes the explosions
  Pictures pictures;
  const ScenePainter painter(pictures);
  QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    painter.Paint(p, load.t->g.scene);
  }
  benchmark::DoNotOptimize(image.constBits());
  state.counters["objects"] = load.Objects();
  state.counters["frames"] = 1;
}

void BM_PaintTypical(benchmark::State& state) { PaintAt(state, bench::TypicalLoad()); }
void BM_PaintStress(benchmark::State& state) { PaintAt(state, bench::StressLoad()); }

// What the window paints in play: only the places that changed from one frame to the next.
void ChangedAt(benchmark::State& state, bench::Load& load) {
  load.Restore();
  Pictures pictures;
  const ScenePainter painter(pictures);
  DirtyRegion changes(pictures.Sizes(), QFontMetrics(painter.LabelFont()).maxWidth());
  Game& g = load.t->g;
  RunFrame(g), changes.Update(g.scene), RunFrame(g), changes.Update(g.scene);
  QRegion region(0, 0, PlayfieldWidth, PlayfieldHeight);
  if (!changes.Whole()) {
    region = QRegion();
    for (const Box& b : changes.Boxes()) {
      region += QRect(b.left, b.top, b.right - b.left, b.bottom - b.top);
    }
  }
  QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    p.setClipRegion(region);
    painter.Paint(p, g.scene, region);
  }
  state.counters["boxes"] = changes.Whole() ? -1 : static_cast<double>(changes.Boxes().size());
  state.counters["frames"] = 1;
}

void BM_PaintTypicalChanged(benchmark::State& state) { ChangedAt(state, bench::TypicalLoad()); }
void BM_PaintStressChanged(benchmark::State& state) { ChangedAt(state, bench::StressLoad()); }

BENCHMARK(BM_PaintTypical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintStress)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTypicalChanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintStressChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace flakmire

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return flakmire::bench::RunWithFrameShares(argc, argv);
}
