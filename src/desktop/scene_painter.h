#pragma once

#include <QFont>

class QPainter;

namespace flakmire {

struct Scene;
class Pictures;

// Paints the playfield scene, layer by layer from the back. It reads the scene and decides
// nothing.
class ScenePainter {
 public:
  explicit ScenePainter(const Pictures& pictures);

  void Paint(QPainter& painter, const Scene& scene) const;
  const QFont& LabelFont() const { return labelFont_; }

 private:
  const Pictures& pictures_;
  QFont labelFont_;
};

}  // namespace flakmire
