#include "desktop/centred.h"

#include <QScreen>
#include <algorithm>

namespace flakmire {

void CentreOver(QWidget& box, const QWidget* owner) {
  const QWidget* over = owner != nullptr ? owner->window() : nullptr;
  while (over != nullptr && !over->isVisible()) {
    over = over->parentWidget() != nullptr ? over->parentWidget()->window() : nullptr;
  }
  if (over == nullptr) return;
  QRect place(QPoint(), box.size());
  place.moveCenter(over->geometry().center());
  if (const QScreen* screen = over->screen()) {
    const QRect room = screen->availableGeometry();
    place.moveLeft(std::max(room.left(), std::min(place.left(), room.right() + 1 - place.width())));
    place.moveTop(std::max(room.top(), std::min(place.top(), room.bottom() + 1 - place.height())));
  }
  // The place of the box itself, without the frame that a window manager adds around it.
  box.setGeometry(place);
}

}  // namespace flakmire
