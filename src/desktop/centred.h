#pragma once

#include <QShowEvent>
#include <QWidget>

namespace flakmire {

// Places `box` centred over the first shown window among `owner` and the windows it belongs to,
// kept on that window's screen. With none of them shown, the box stays where the desktop puts it.
void CentreOver(QWidget& box, const QWidget* owner);

// A dialog that opens centred over its owner, also while the owner is still hidden: the
// high-score window's boxes at start-up then open over the main window.
template <typename Dialog>
class Centred final : public Dialog {
 public:
  using Dialog::Dialog;

 protected:
  void showEvent(QShowEvent* event) override {
    Dialog::showEvent(event);  // a message box takes its final size here
    if (!event->spontaneous()) CentreOver(*this, this->parentWidget());
  }
};

}  // namespace flakmire
