#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace flakmire {

// Where the playfield lies in a window of some size: scaled by the largest whole factor that
// fits (at least 1), so that every picture pixel becomes a sharp square block, and centred. In
// its own fixed-size window that is factor 1 at the corner; on a full screen, centred on black.
class PlayfieldPlace {
 public:
  PlayfieldPlace() = default;
  PlayfieldPlace(QSize window, QSize playfield);

  int Scale() const { return scale_; }
  QRect Playfield() const { return QRect(origin_, playfield_ * scale_); }
  // The window's pixels that show these playfield pixels.
  QRect ToWindow(QRect playfield) const;
  // The playfield's pixels that these window pixels show, whole pixels outward.
  QRect ToPlayfield(QRect window) const;

 private:
  int scale_ = 1;
  QPoint origin_;
  QSize playfield_;
};

}  // namespace flakmire
