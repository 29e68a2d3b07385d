#pragma once

#include <QFont>

#include "desktop/hidden_shapes.h"

class QPainter;
class QRegion;

namespace flakmire {

struct Scene;
class Pictures;

// Paints the playfield scene, layer by layer from the back. It reads the scene and decides
// nothing.
class ScenePainter {
 public:
  // Round shapes that later ones hide are left out unless `paintHidden`: painting every one of
  // them whole is the plain way, the reference that tests and benchmarks compare with.
  explicit ScenePainter(const Pictures& pictures, bool paintHidden = false);

  void Paint(QPainter& painter, const Scene& scene);
  // Paints only what touches the area, which the painter's clip must not exceed.
  void Paint(QPainter& painter, const Scene& scene, const QRegion& area);
  const QFont& LabelFont() const { return labelFont_; }

 private:
  const Pictures& pictures_;
  QFont labelFont_;
  QFont bannerFont_;
  bool paintHidden_;
  HiddenShapes hidden_;
};

}  // namespace flakmire
