// The gravonaut program: reads its command line, then runs the game window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "gx_bestruns.h"
#include "gx_datafolder.h"
#include "gx_launch.h"
#include "gx_settings.h"
#include "gx_sound.h"
#include "options.h"
#include "qt_application.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const TCommandLine cmd = ParseCommandLine(args, "gravonaut", GRAVONAUT_PRODUCT_VERSION);
  if (cmd.action != TCommandLine::caRun) {
    std::FILE* out = cmd.action == TCommandLine::caError ? stderr : stdout;
    std::fputs(cmd.text.c_str(), out);
    return cmd.exitCode;
  }

  if (cmd.verifyReplays) {
    // Headless: no window system is touched.
    std::string collection = cmd.collection.empty() ? "gravonaut.cav" : cmd.collection;
    std::string replays = ReplaysFolderFor(collection);
    if (cmd.dataFolder) {
      const std::string folder =
          PlayerDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
      collection = folder + "/gravonaut.cav";
      replays = DataFolderReplays(folder);
    }
    return VerifyCollectionReplays(collection, replays, stdout, stderr);
  }

  TGameApplication app(argc, argv);
  QApplication::setApplicationVersion(GRAVONAUT_PRODUCT_VERSION);
  TUniverseOptions options;
  options.collection = cmd.collection;
  if (cmd.dataFolder) {
    const std::string folder = PlayerDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (folder.empty()) {
      std::fputs("gravonaut: no data folder: neither XDG_DATA_HOME nor HOME is set\n", stderr);
      return 1;
    }
    try {
      options.collection =
          PrepareDataFolder(folder, InstalledStarterCollection(
                                        QCoreApplication::applicationDirPath().toStdString()))
              .collection;
      options.replays = DataFolderReplays(folder);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gravonaut: %s\n", e.what());
      return 1;
    }
  }
  // The player's settings, with this run's command line over them.
  options.settings_file = DefaultSettingsFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  std::vector<std::string> problems;
  options.settings = ReadSettings(options.settings_file, &problems);
  for (const std::string& p : problems) {
    std::fprintf(stderr, "gravonaut: settings: %s\n", p.c_str());
  }
  if (cmd.fullScreen != 0) options.settings.full_screen = cmd.fullScreen > 0;
  if (cmd.volumeGiven) options.settings.volume = cmd.volume;
  if (cmd.mute) options.settings.mute = true;
  options.gamepads = true;
  options.maze = cmd.maze;
  options.tick_log = cmd.tickLog;
  options.fps = cmd.fps;
  options.frame_log = cmd.frameLog;
  options.smooth_edges = cmd.smoothEdges;
  // Without a device the game plays on silently; Start says why on standard error.
  TGameAudio audio;
  audio.Sound().SetVolume(options.settings.volume);
  audio.Sound().SetMuted(options.settings.mute);
  audio.Sound().SetSilentInBackground(options.settings.silent_in_background);
  audio.Start();
  options.sound = &audio.Sound();
  return RunGame(app, options, cmd.quitAfter);
}
