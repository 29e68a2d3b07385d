#pragma once

#include <QFont>

class QPainter;
class QRegion;

namespace flakmire {

struct Scene;
class Pictures;

// Paints the playfield scene, layer by layer from the back. It reads the scene and decides
// nothing.
class ScenePainter {
 public:
  explicit ScenePainter(const Pictures& pictures);

  void Paint(QPainter& painter, const Scene& scene) const;
  // Paints only what touches the area, which the painter's clip must not exceed.
  void Paint(QPainter& painter, const Scene& scene, const QRegion& area) const;
  const QFont& LabelFont() const { return labelFont_; }

 private:
  const Pictures& pictures_;
  QFont labelFont_;
  QFont bannerFont_;
};

}  // namespace flakmire
