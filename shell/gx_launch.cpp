#include "gx_launch.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "gx_mazelist.h"
#include "qt_control.h"

void NameTheApplication() {
  // No display name: Qt would append it to every window title under X11 ("Select Maze —
  // Gravonaut"), and each window's caption already says what it is.
  QApplication::setApplicationName("Gravonaut");
}

int RunGame(QApplication& app, const TUniverseOptions& options, double quit_after) {
  NameTheApplication();
  InitScreenPixelsPerInch();
  SetProgramFilePath(QCoreApplication::applicationFilePath().toStdString());

  TUniverse universe(options);
  if (quit_after > 0) {
    QTimer::singleShot(static_cast<int>(std::lround(quit_after * 1000)), &universe,
                       &QWidget::close);
  }
  // Without a window manager a maximised window keeps its first size: start it as large as
  // the screen's free area.
  if (const QScreen* screen = universe.screen()) universe.setGeometry(screen->availableGeometry());
  if (universe.Settings().full_screen) {
    universe.showFullScreen();
  } else {
    universe.showMaximized();
  }
  universe.activateWindow();
  return app.exec();
}
