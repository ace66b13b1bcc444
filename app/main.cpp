// The gravonaut program: reads its command line, then runs the game window.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "gx_launch.h"
#include "qt_application.h"
#include "options.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const TCommandLine cmd = ParseCommandLine(args, "gravonaut", GRAVONAUT_PRODUCT_VERSION);
  if (cmd.action != TCommandLine::caRun) {
    std::FILE* out = cmd.action == TCommandLine::caError ? stderr : stdout;
    std::fputs(cmd.text.c_str(), out);
    return cmd.exitCode;
  }

  TGameApplication app(argc, argv);
  QApplication::setApplicationVersion(GRAVONAUT_PRODUCT_VERSION);
  TUniverseOptions options;
  options.collection = cmd.collection;
  options.maze = cmd.maze;
  options.tick_log = cmd.tickLog;
  return RunGame(app, options, cmd.quitAfter);
}
