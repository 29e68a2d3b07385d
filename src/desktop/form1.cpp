#include "desktop/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "desktop/key_mapping.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/startup.h"

namespace flakmire {

bool KeyTracker::IsDown(int keyCode) const {
  return keyCode > 0 && keyCode < static_cast<int>(down_.size()) && down_[keyCode];
}

void KeyTracker::Press(int keyCode) {
  if (keyCode > 0 && keyCode < static_cast<int>(down_.size())) down_[keyCode] = true;
}

void KeyTracker::Release(int keyCode) {
  if (keyCode > 0 && keyCode < static_cast<int>(down_.size())) down_[keyCode] = false;
}

void KeyTracker::ReleaseAll() { down_.fill(false); }

Form1::Form1()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      hiddenPointer_(Pictures::TransparentPointer()) {
  setFixedSize(PlayfieldWidth, PlayfieldHeight);
  setWindowTitle("Flakmire  Level: 1");
  setWindowIcon(Pictures::WindowIcon());
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Every frame paints the whole playfield.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void Form1::Show() {
  show();
  activateWindow();
}

void Form1::SetCaption(std::string_view caption) {
  setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void Form1::SetPointer(Pointer pointer) {
  if (pointer == Pointer::Hidden) {
    setCursor(hiddenPointer_);
  } else {
    unsetCursor();
  }
}

void Form1::Present() { repaint(); }

void Form1::paintEvent(QPaintEvent*) {
  if (game_ == nullptr) return;
  QPainter painter(this);
  painter_.Paint(painter, game_->scene);
}

void Form1::keyPressEvent(QKeyEvent* event) {
  const int code = GameKeyCode(event->key(), event->nativeScanCode());
  if (!event->isAutoRepeat()) keys_.Press(code);
  // Every press counts, repeats of a held key too: each may fire the gun.
  if (game_ != nullptr) Form_KeyDown(*game_, code);
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  keys_.Release(GameKeyCode(event->key(), event->nativeScanCode()));
}

void Form1::focusOutEvent(QFocusEvent* event) {
  // A key let go while another window has the keyboard never reports its release here.
  keys_.ReleaseAll();
  QWidget::focusOutEvent(event);
}

void Form1::mouseMoveEvent(QMouseEvent*) {
  if (game_ != nullptr) Form_MouseMove(*game_);
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  if (game_ != nullptr) Form_Unload(*game_);
  QApplication::quit();
}

}  // namespace flakmire
