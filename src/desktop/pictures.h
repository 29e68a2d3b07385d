#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <array>

#include "desktop/dirty_region.h"
#include "game/scene.h"

namespace flakmire {

// Every picture of the playfield, decoded once from the program's resources.
class Pictures {
 public:
  Pictures();

  // The pixmap for a sprite's picture; a null pixmap for PictureId::None.
  const QPixmap& operator[](PictureId picture) const {
    return pixmaps_[static_cast<std::size_t>(picture)];
  }

  // Every picture's size as it is drawn: what the changed-region painting needs of them.
  std::array<PictureSize, PictureCount> Sizes() const;

  static QIcon WindowIcon();
  // The cheat panel's icon: the first letter of the title.
  static QIcon FirstLetterIcon();
  // A fully transparent 32 x 32 pointer: no pointer shows over the window while it is set.
  static QCursor TransparentPointer();

 private:
  std::array<QPixmap, static_cast<std::size_t>(PictureId::FlakBurst) + 1> pixmaps_;
};

}  // namespace flakmire
