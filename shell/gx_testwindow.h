#pragma once
// The editor's test play: a modal window that plays a copy of the edited maze as the game
// plays it, with its own rocket, key state, tick unit and 50 ms timer, the game keys, the
// clock and the balls, and the main window's play view and overview map (shared through
// gx_playview.h). Escape (pressed, or seen by the maze's key sampling) ends the test; every
// other rule is the game's: a crash resets the run once its explosion is over, a finished run
// shows its time and starts again, Space restarts. The copy is the window's; nothing reaches
// the collection.
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "canvas.h"
#include "gx_testplay.h"
#include "qor_matrix.h"

class TFrameDriver;
class TGameSound;
class TKeyStateService;
class TMaze;
class TModalService;
class TQtKeyState;
class TRocket;

class TTestPlayWindow : public QDialog, public TControl {
 public:
  static constexpr int kTickInterval = 50;  // milliseconds, as in the game
  static constexpr const char* kHint = "Test play: Escape returns to the editor";

  // keys: where the game keys are read from; null: the window's own key events. background:
  // the game's background picture (scaled to the window), or null.
  TTestPlayWindow(std::unique_ptr<TMaze> maze, TKeyStateService* keys, const QImage* background,
                  QWidget* parent = nullptr);
  ~TTestPlayWindow() override;
  TTestPlayWindow(const TTestPlayWindow&) = delete;
  TTestPlayWindow& operator=(const TTestPlayWindow&) = delete;

  TMaze& Maze() const { return *maze_; }
  TRocket& Rocket() const { return *rocket_; }
  TKeyStateService& Keys() const { return *keys_; }
  // Which code each physical key reports, when the window reads its own key events.
  void SetKeyMap(const std::array<std::uint8_t, 256>& map);
  // Where the test's events are heard (not owned; null: silent), as the game's are.
  void SetSound(TGameSound* sound);
  QTimer& Ticker() { return ticker_; }
  // One game tick; ends the test when the maze has finished.
  void Tick();
  // One whole frame, as the main window paints it, into an image of the client size,
  // showing the maze as it is.
  void PaintFrame(QImage& image);
  // When pictures are drawn and what they show between the ticks, as in the main window.
  TFrameDriver& Frames() const { return *frames_; }
  void FormResize();
  void FormMouseWheel(int delta);

  // TControl: the client area the model draws into.
  int ClientWidth() const override { return width(); }
  int ClientHeight() const override { return height(); }

  TDRect mapvp;
  TDRect playvp;
  int TargetSize = 25;
  // Antialiased play view; may be switched at any time.
  bool SmoothEdges = true;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void done(int r) override;
  void changeEvent(QEvent* event) override;

 private:
  void ScaleBackground();
  void SyncSound();

  // The maze goes before the rocket: it lets go of the rocket as it dies.
  std::unique_ptr<TRocket> rocket_;
  std::unique_ptr<TMaze> maze_;
  std::unique_ptr<TQtKeyState> own_keys_;
  TKeyStateService* keys_;
  TGameSound* sound_ = nullptr;
  QImage picture_;  // the game's background picture as it was handed over
  QImage bkgrnd_;   // scaled to the window
  QImage backbuffer_;
  QTimer ticker_;
  std::unique_ptr<TFrameDriver> frames_;
};

// The main window's side of test play: each test runs in a TTestPlayWindow over the window
// that has the keyboard now (the editor), through the modal service.
class TGameTestPlay : public TTestPlayService {
 public:
  // keys: handed to every test window (null: each reads its own key events); background:
  // asked for at the start of each test.
  TGameTestPlay(TModalService& modals, TKeyStateService* keys, const QImage* background,
                TGameSound* sound = nullptr)
      : modals_(modals), keys_(keys), background_(background), sound_(sound) {}

  void TestPlay(std::unique_ptr<TMaze> maze) override;
  // The player's key bindings, for the windows that read their own key events.
  void SetKeyMap(const std::array<std::uint8_t, 256>& map) { key_map_ = map; }

  // The game's picture settings, handed to every test window.
  int fps = -1;
  bool smooth_motion = true;
  bool smooth_edges = true;

 private:
  std::optional<std::array<std::uint8_t, 256>> key_map_;
  TModalService& modals_;
  TKeyStateService* keys_;
  const QImage* background_;
  TGameSound* sound_;
};
