#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "desktop/dirty_region.h"
#include "desktop/full_screen.h"
#include "desktop/pictures.h"
#include "desktop/scene_painter.h"
#include "ports/keys.h"
#include "ports/main_window.h"

namespace flakmire {

struct Game;

// Which keys the main window has seen go down and not yet come up.
class KeyTracker final : public KeyState {
 public:
  bool IsDown(int keyCode) const override;
  void Press(int keyCode);
  void Release(int keyCode);
  void ReleaseAll();

 private:
  std::array<bool, 256> down_{};
};

// The main window: the fixed playfield. It paints the game's scene and hands its key, mouse and
// close events to the game. On a full screen it shows the playfield scaled and centred on black.
class Form1 final : public QWidget, public MainWindow {
  Q_OBJECT

 public:
  // `plainPainting` paints every round shape whole, as the window did before it left out the
  // hidden ones: for measuring the difference.
  explicit Form1(bool plainPainting = false);

  void Attach(Game& game) { game_ = &game; }
  KeyTracker& Keys() { return keys_; }

  // The one road of a key to the rules, the keyboard's and the gamepad's alike: a press marks
  // the key down for the rules' key state and is a key-down, and so is every repeat of it.
  void KeyDown(int keyCode, bool autoRepeat);
  void KeyUp(int keyCode);

  // Full screen and back to the fixed window, at the size and place it had.
  void ToggleFullScreen();

  // While a tape is watched the window paints its run instead of the game, and any key or the
  // close control calls `stop` instead of reaching the game.
  void BeginWatch(const Scene& watched, std::function<void()> stop);
  void EndWatch();

  // MainWindow
  void Show() override;
  void SetCaption(std::string_view caption) override;
  void SetPointer(Pointer pointer) override;
  void Present() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PaintScaled(const Scene& shown, const QRegion& region);

  const Scene* Shown() const;

  Game* game_ = nullptr;
  const Scene* watched_ = nullptr;
  std::function<void()> stopWatching_;
  KeyTracker keys_;
  Pictures pictures_;
  ScenePainter painter_;
  DirtyRegion changes_;
  QCursor hiddenPointer_;
  PlayfieldPlace place_;
  QImage frame_;  // the playfield at its own size, for a scaled window to blow up
  QPoint windowedAt_;
};

}  // namespace flakmire
