#include "desktop/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "desktop/controls.h"
#include "desktop/key_mapping.h"
#include "game/game.h"
#include "game/game_loop.h"
#include "game/gun.h"
#include "game/pause.h"
#include "game/startup.h"

namespace flakmire {

namespace {
constexpr QSize PlayfieldSize(PlayfieldWidth, PlayfieldHeight);
}  // namespace

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

Form1::Form1(bool plainPainting)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      painter_(pictures_, plainPainting),
      changes_(pictures_.Sizes(), QFontMetrics(painter_.LabelFont()).maxWidth()),
      hiddenPointer_(Pictures::TransparentPointer()),
      place_(PlayfieldSize, PlayfieldSize) {
  setFixedSize(PlayfieldSize);
  setWindowTitle("Flakmire  Level: 1");
  setWindowIcon(Pictures::WindowIcon());
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Every paint covers its whole region, sky first.
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

// Repaints only the places where something moved or changed since the last frame: less work
// for the painter and the display server than the whole playfield 64 times a second.
void Form1::Present() {
  const Scene* shown = Shown();
  if (shown == nullptr) return repaint();
  changes_.Update(*shown);
  if (changes_.Whole()) return repaint();
  if (changes_.Boxes().empty()) return;
  QRegion region;
  for (const Box& b : changes_.Boxes()) {
    region += place_.ToWindow(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top));
  }
  repaint(region);
}

void Form1::ToggleFullScreen() {
  // Its own account: without a window manager Qt reads the window back as a normal one.
  if (!frame_.isNull()) {
    showNormal();
    setFixedSize(PlayfieldSize);
    move(windowedAt_);
    frame_ = QImage();
  } else {
    windowedAt_ = pos();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    frame_ = QImage(PlayfieldSize, QImage::Format_RGB32);
    frame_.fill(Qt::black);
    showFullScreen();
    // Without a window manager to honour the request, fill the screen ourselves.
    setGeometry(screen()->geometry());
  }
}

void Form1::paintEvent(QPaintEvent* event) {
  const Scene* shown = Shown();
  if (shown == nullptr) return;
  if (!frame_.isNull()) return PaintScaled(*shown, event->region());
  QPainter painter(this);
  painter_.Paint(painter, *shown, event->region());
}

// The scene goes into the playfield-sized frame, which then fills the window's part of the region
// scaled without smoothing: every picture pixel a sharp block. Around it, black.
void Form1::PaintScaled(const Scene& shown, const QRegion& region) {
  QRegion area;
  for (const QRect& r : region) area += place_.ToPlayfield(r) & frame_.rect();
  {
    QPainter painter(&frame_);
    painter.setClipRegion(area);
    painter_.Paint(painter, shown, area);
  }
  QPainter painter(this);
  for (const QRect& r : region - QRegion(place_.Playfield())) painter.fillRect(r, Qt::black);
  for (const QRect& r : area) painter.drawImage(place_.ToWindow(r), frame_, r);
}

void Form1::showEvent(QShowEvent* event) {
  changes_.Forget();
  QWidget::showEvent(event);
}

void Form1::resizeEvent(QResizeEvent* event) {
  place_ = PlayfieldPlace(size(), PlayfieldSize);
  changes_.Forget();
  QWidget::resizeEvent(event);
}

void Form1::BeginWatch(const Scene& watched, std::function<void()> stop) {
  watched_ = &watched;
  stopWatching_ = std::move(stop);
  changes_.Forget();
}

void Form1::EndWatch() {
  watched_ = nullptr;
  stopWatching_ = nullptr;
  changes_.Forget();
  repaint();
}

const Scene* Form1::Shown() const {
  if (watched_ != nullptr) return watched_;
  return game_ != nullptr ? &game_->scene : nullptr;
}

void Form1::KeyDown(int keyCode, bool autoRepeat) {
  if (watched_ != nullptr) return stopWatching_();
  if (!autoRepeat) keys_.Press(keyCode);
  // Every press counts, repeats of a held key too: each may fire the gun.
  if (game_ != nullptr) Form_KeyDown(*game_, keyCode);
}

void Form1::KeyUp(int keyCode) { keys_.Release(keyCode); }

void Form1::keyPressEvent(QKeyEvent* event) {
  if (const Control* c = ControlOfKey(event->key());
      c != nullptr && c->action == Action::Close && !frame_.isNull()) {
    return ToggleFullScreen();  // Esc leaves full screen, as players expect
  }
  KeyDown(GameKeyCode(event->key(), event->nativeScanCode()), event->isAutoRepeat());
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) KeyUp(GameKeyCode(event->key(), event->nativeScanCode()));
}

void Form1::focusOutEvent(QFocusEvent* event) {
  // A key let go while another window has the keyboard never reports its release here.
  keys_.ReleaseAll();
  QWidget::focusOutEvent(event);
}

void Form1::changeEvent(QEvent* event) {
  // Another program's window, or none, took the keyboard from the run: it waits for the player as
  // P makes it wait. The game's own windows over it (the table, the cheat panel, the boxes) do not
  // pause it, nor does the title, a dead gunner or a run already paused.
  if (event->type() == QEvent::ActivationChange && QApplication::activeWindow() == nullptr &&
      game_ != nullptr && !game_->Paused) {
    TogglePause(*game_);
  }
  QWidget::changeEvent(event);
}

void Form1::mouseMoveEvent(QMouseEvent*) {
  if (game_ != nullptr) Form_MouseMove(*game_);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (watched_ != nullptr) {  // closes the tape, not the game
    event->ignore();
    return stopWatching_();
  }
  event->accept();
  if (game_ != nullptr) Form_Unload(*game_);
  QApplication::quit();
}

}  // namespace flakmire
