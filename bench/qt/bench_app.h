#pragma once
// The application object of the Qt and editor benchmarks: widgets need a QApplication;
// offscreen unless the caller chose a platform.
#include <QApplication>
#include <ctime>

inline void EnsureApp() {
  if (QCoreApplication::instance()) return;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "gravonaut_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

// CPU time of this thread: on a loaded machine the wall clock also counts the time the painter
// waited for a core, the thread clock only the work itself.
inline double ThreadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}
