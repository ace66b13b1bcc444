#include "gx_testwindow.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "gx_frames.h"
#include "gx_gamesound.h"
#include "gx_mazegame.h"
#include "gx_playview.h"
#include "gx_rocket.h"
#include "qt_dialogs.h"
#include "qt_keystate.h"

TTestPlayWindow::TTestPlayWindow(std::unique_ptr<TMaze> maze, TKeyStateService* keys,
                                 const QImage* background, QWidget* parent)
    : QDialog(parent), rocket_(MakeGameRocket()), maze_(std::move(maze)), keys_(keys) {
  setObjectName(QStringLiteral("TestPlay"));
  setWindowTitle(QStringLiteral("Test Play (%1)").arg(QString::fromStdString(maze_->mazename)));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  if (!keys_) {
    own_keys_ = std::make_unique<TQtKeyState>();
    installEventFilter(own_keys_.get());
    keys_ = own_keys_.get();
  }
  if (background) picture_ = *background;
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);

  // The frozen game shows its score and message at once, not only on the next tick.
  maze_->FOnGameStateChange = [this](TMaze* m) {
    if (m->GameState() == gs_freeze) update();
  };
  MakeReadyToPlay(*maze_, *rocket_, keys_, kTickInterval);
  // A key held as the test begins acts only once it is pressed again.
  maze_->DiscardGameKeys();
  maze_->SetMsgLine(kHint);

  ticker_.setTimerType(Qt::PreciseTimer);
  ticker_.setInterval(kTickInterval);
  connect(&ticker_, &QTimer::timeout, this, [this] { Tick(); });
  frames_ = std::make_unique<TFrameDriver>(*this, kTickInterval);

  // Over the whole editor, as the game fills its screen.
  if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  FormResize();
}

void TTestPlayWindow::SetKeyMap(const std::array<std::uint8_t, 256>& map) {
  if (own_keys_) own_keys_->SetKeyMap(map);
}

TTestPlayWindow::~TTestPlayWindow() {
  ticker_.stop();
  frames_->Stop();
  if (own_keys_) removeEventFilter(own_keys_.get());
  maze_.reset();
}

void TTestPlayWindow::SetSound(TGameSound* sound) {
  sound_ = sound;
  maze_->SetEventSink(sound);
  if (isActiveWindow()) SyncSound();
}

void TTestPlayWindow::SyncSound() {
  if (!sound_) return;
  sound_->SetFlight(ticker_.isActive() && rocket_->ThrustOn(), maze_->GameState() == gs_freeze);
  sound_->SetWindowActive(isActiveWindow());
}

void TTestPlayWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !sound_) return;
  if (isActiveWindow()) {
    SyncSound();
  } else {
    sound_->SetWindowActive(false);
  }
}

void TTestPlayWindow::Tick() {
  // A new best time is the copy's own: nothing stores it.
  maze_->TickTime(1);
  if (maze_->GameState() == gs_finished) {
    done(QDialog::Rejected);
  } else {
    frames_->TickDone(*maze_);
  }
}

void TTestPlayWindow::FormResize() {
  LayoutPlayView(width(), height(), maze_.get(), TargetSize, mapvp, playvp);
  ScaleBackground();
}

void TTestPlayWindow::ScaleBackground() {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  bkgrnd_ = picture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
  maze_->bkgrnd = &bkgrnd_;
}

void TTestPlayWindow::PaintFrame(QImage& image) {
  PaintPlayFrame(image, maze_.get(), bkgrnd_.isNull() ? nullptr : &bkgrnd_, *this, playvp, mapvp);
}

void TTestPlayWindow::FormMouseWheel(int delta) {
  if (ticker_.isActive()) maze_->AddWheelDelta(delta);
}

void TTestPlayWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ticker_.start();
  frames_->Start();
}

void TTestPlayWindow::paintEvent(QPaintEvent*) {
  FitBackBuffer(backbuffer_, *this);
  const TFrameDriver::TFrame frame = frames_->BeginFrame();
  PaintPlayFrame(backbuffer_, maze_.get(), bkgrnd_.isNull() ? nullptr : &bkgrnd_, *this, playvp,
                 mapvp, FrameStyle(frame, SmoothEdges));
  frames_->EndFrame();
  QPainter p(this);
  p.drawImage(0, 0, backbuffer_);
}

void TTestPlayWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TTestPlayWindow::keyPressEvent(QKeyEvent* event) {
  // The game keys are read by the maze from the key state; the window itself answers Escape at
  // once (also while no tick comes) and the zoom keys.
  if (event->key() == Qt::Key_Escape) {
    done(QDialog::Rejected);
  } else if (event->key() == Qt::Key_M && sound_) {
    sound_->ToggleMute();
  } else {
    const QString text = event->text();
    if (text.size() == 1 && ZoomKey(static_cast<char>(text[0].unicode()), TargetSize)) {
      FormResize();
      update();
    }
  }
  event->accept();
}

void TTestPlayWindow::wheelEvent(QWheelEvent* event) {
  // As in the game: with Alt held X11 hands the notches over in x.
  const QPoint d = event->angleDelta();
  int delta = d.y();
  if (delta == 0 && event->modifiers().testFlag(Qt::AltModifier)) delta = d.x();
  FormMouseWheel(delta);
  event->accept();
}

void TTestPlayWindow::done(int r) {
  ticker_.stop();
  frames_->Stop();
  if (sound_) sound_->SetFlight(false, false);  // the test's flame dies with it
  QDialog::done(r);
}

// --- the service --------------------------------------------------------------------------------

void TGameTestPlay::TestPlay(std::unique_ptr<TMaze> maze) {
  if (!maze) return;
  TTestPlayWindow window(std::move(maze), keys_, background_, TQtDialogService::Owner());
  if (key_map_) window.SetKeyMap(*key_map_);
  window.Frames().SetFps(fps);
  window.Frames().smooth_motion = smooth_motion;
  window.SmoothEdges = smooth_edges;
  window.SetSound(sound_);
  modals_.Exec(window);
}
