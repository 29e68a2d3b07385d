// How long painting one frame takes with the real painter, into an image of the playfield's size
// on Qt's offscreen platform, at the loads of bench/loads.h; and its share of the 15.6 ms frame.
// Each load is painted by the painter as it is (BM_Paint...) and by the plain painter, which
// paints every round shape whole (BM_Paint...Plain), in the same run. The window itself also
// hands the painted pixels to the display server, which this leaves out.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <string>

#include "desktop/dirty_region.h"
#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "game/game_loop.h"
#include "game/layout.h"
#include "loads.h"

namespace flakmire {
namespace {

void PaintAt(benchmark::State& state, bench::Load& load, bool plain) {
  const Scene& scene = load.ToPaint();
  Pictures pictures;
  ScenePainter painter(pictures, plain);
  QImage image(PlayfieldWidth, PlayfieldHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    painter.Paint(p, scene);
  }
  benchmark::DoNotOptimize(image.constBits());
  state.counters["objects"] = bench::Shown(scene);
  state.counters["round Mpx2"] = bench::RoundArea(scene) / 1e6;
  state.counters["frames"] = 1;
}

// What the window paints in play: only the places that changed from one frame to the next.
void ChangedAt(benchmark::State& state, bench::Load& load) {
  load.Restore();
  Pictures pictures;
  ScenePainter painter(pictures);
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

void Register() {
  for (const auto& [name, load] : bench::Loads) {
    for (bool plain : {false, true}) {
      benchmark::RegisterBenchmark(
          (std::string("BM_Paint") + name + (plain ? "Plain" : "")).c_str(),
          [load, plain](benchmark::State& state) { PaintAt(state, load(), plain); })
          ->Unit(benchmark::kMicrosecond);
    }
  }
  for (const auto& [name, load] : {bench::Loads[0], bench::Loads[1]}) {
    benchmark::RegisterBenchmark((std::string("BM_Paint") + name + "Changed").c_str(),
                                 [load](benchmark::State& state) { ChangedAt(state, load()); })
        ->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace
}  // namespace flakmire

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  flakmire::Register();
  return flakmire::bench::RunWithFrameShares(argc, argv);
}
