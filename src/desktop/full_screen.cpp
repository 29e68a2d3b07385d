#include "desktop/full_screen.h"

#include <algorithm>

namespace flakmire {

namespace {
// Floor division, so that a window pixel left of or above the playfield maps outward.
int Down(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

PlayfieldPlace::PlayfieldPlace(QSize window, QSize playfield)
    : scale_(std::max(
          1, std::min(window.width() / playfield.width(), window.height() / playfield.height()))),
      origin_((window.width() - playfield.width() * scale_) / 2,
              (window.height() - playfield.height() * scale_) / 2),
      playfield_(playfield) {}

QRect PlayfieldPlace::ToWindow(QRect playfield) const {
  return QRect(origin_ + playfield.topLeft() * scale_, playfield.size() * scale_);
}

QRect PlayfieldPlace::ToPlayfield(QRect window) const {
  const QPoint from = window.topLeft() - origin_;
  const QPoint to = window.bottomRight() - origin_;  // the last pixel, inside
  return QRect(QPoint(Down(from.x(), scale_), Down(from.y(), scale_)),
               QPoint(Down(to.x(), scale_), Down(to.y(), scale_)));
}

}  // namespace flakmire
