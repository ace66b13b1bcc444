#pragma once
// The command line of the gravonaut program. Kept free of Qt so that it is decided before any
// window system is touched: --help and --version work without a display.
#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

struct TCommandLine {
  enum TAction { caRun, caHelp, caVersion, caError };
  TAction action = caRun;
  // What to print: the help or version text on standard output, an error on standard error.
  std::string text;
  // The exit code when the program stops without running the game.
  int exitCode = 0;

  // For caRun: the collection file to play ("" = the program's own name with ".cav" in the
  // working directory) and the maze to start on as an index into it (-1 = one at random).
  std::string collection;
  int maze = -1;
  // Play the collection in the player's data folder ($XDG_DATA_HOME/gravonaut), set up with
  // the starter collection on the first start: how the desktop's menu starts the game.
  bool dataFolder = false;
  // Re-simulate every best run of the collection without a window, one line per maze.
  bool verifyReplays = false;
  // For measurements: a file that receives the time of every tick, and a number of seconds
  // after which the window closes by itself (0 = never).
  std::string tickLog;
  double quitAfter = 0;
  // --full-screen or --window for this run, over the settings file (0: as the file says).
  int fullScreen = 0;  // 1 full screen, -1 a window
  // Pictures a second (-1 = the display's rate, 0 = one per tick), a file that receives one
  // line per picture drawn, and whether the play view is antialiased.
  int fps = -1;
  std::string frameLog;
  bool smoothEdges = true;
  // The sound: its volume, 0..100, and whether it starts muted (M toggles it in the game).
  int volume = 80;
  bool volumeGiven = false;  // --volume was on the command line: it wins over the settings
  bool mute = false;

  static TCommandLine Stop(TAction action, std::string text, int exitCode) {
    TCommandLine c;
    c.action = action;
    c.text = std::move(text);
    c.exitCode = exitCode;
    return c;
  }
};

inline std::string HelpText(const std::string& program) {
  return "Usage: " + program +
         " [OPTION]...\n"
         "A cave-flying game with its maze editor.\n"
         "\n"
         "Options:\n"
         "  --collection FILE  play the mazes of FILE (default: gravonaut.cav in the\n"
         "                     working directory); the previous file is kept with the\n"
         "                     extension .old when the game writes it back\n"
         "  --data-folder      play the collection in the player's data folder,\n"
         "                     $XDG_DATA_HOME/gravonaut (~/.local/share/gravonaut),\n"
         "                     created with the starter mazes on the first start;\n"
         "                     the desktop's menu starts the game this way\n"
         "  --maze N           start on maze N of the collection, counted from 1\n"
         "                     (default: a maze chosen at random)\n"
         "  --full-screen      play in full screen this time (the Settings dialog, O,\n"
         "                     chooses for good)\n"
         "  --window           play in a window this time\n"
         "  --fps N            draw N pictures a second (default: the display's rate;\n"
         "                     0: one picture per game tick, without smooth motion)\n"
         "  --frame-log FILE   write a line per picture drawn to FILE: milliseconds\n"
         "                     since start and the game time drawn, in ticks\n"
         "  --no-smooth-edges  draw the play view without antialiasing\n"
         "  --verify-replays   re-simulate the best run of every maze of the collection\n"
         "                     (with --collection or --data-folder) without a window and\n"
         "                     print whether each still finishes at its time; exit\n"
         "                     status 0 when all do\n"
         "  --tick-log FILE    write the time of every game tick to FILE on quitting\n"
         "  --quit-after SECS  close the game after SECS seconds\n"
         "  --volume N         the sound's volume, 0 to 100 (default: 80)\n"
         "  --mute             start with the sound muted (M turns it on and off)\n"
         "  -h, --help         show this help and exit\n"
         "  --version          show the version and exit\n";
}

inline std::string VersionText(const std::string& version) {
  return "Gravonaut " + version + "\n";
}

// args are the arguments after the program name; program is the name used in messages.
inline TCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                     const std::string& program, const std::string& version) {
  TCommandLine result;
  auto error = [&](const std::string& message) {
    return TCommandLine::Stop(
        TCommandLine::caError,
        program + ": " + message + "\nTry '" + program + " --help' for more information.\n", 2);
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      return TCommandLine::Stop(TCommandLine::caHelp, HelpText(program), 0);
    }
    if (a == "--version") {
      return TCommandLine::Stop(TCommandLine::caVersion, VersionText(version), 0);
    }
    if (a == "--full-screen" || a == "--window") {
      result.fullScreen = a == "--full-screen" ? 1 : -1;
      continue;
    }
    if (a == "--data-folder") {
      result.dataFolder = true;
      continue;
    }
    if (a == "--no-smooth-edges") {
      result.smoothEdges = false;
      continue;
    }
    if (a == "--mute") {
      result.mute = true;
      continue;
    }
    if (a == "--verify-replays") {
      result.verifyReplays = true;
      continue;
    }
    // Options with a value take it as the next argument or after "=".
    std::string name = a, value;
    bool inline_value = false;
    if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inline_value = true;
    }
    if (name == "--collection" || name == "--maze" || name == "--tick-log" ||
        name == "--quit-after" || name == "--fps" || name == "--frame-log" ||
        name == "--volume") {
      if (!inline_value) {
        if (i + 1 >= args.size()) return error("option '" + name + "' needs a value");
        value = args[++i];
      }
      if (value.empty()) return error("option '" + name + "' needs a value");
      if (name == "--collection") {
        result.collection = value;
      } else if (name == "--tick-log") {
        result.tickLog = value;
      } else if (name == "--frame-log") {
        result.frameLog = value;
      } else if (name == "--fps") {
        char* end = nullptr;
        errno = 0;
        const long n = std::strtol(value.c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || n < 0 || n > 1000) {
          return error("invalid number of pictures a second '" + value + "' (0 to 1000)");
        }
        result.fps = static_cast<int>(n);
      } else if (name == "--maze") {
        char* end = nullptr;
        errno = 0;
        const long n = std::strtol(value.c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || n < 1 || n > 1000000) {
          return error("invalid maze number '" + value + "' (the first maze is 1)");
        }
        result.maze = static_cast<int>(n - 1);
      } else if (name == "--volume") {
        char* end = nullptr;
        errno = 0;
        const long n = std::strtol(value.c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || n < 0 || n > 100) {
          return error("invalid volume '" + value + "' (0 to 100)");
        }
        result.volume = static_cast<int>(n);
        result.volumeGiven = true;
      } else {
        char* end = nullptr;
        const double s = std::strtod(value.c_str(), &end);
        if (*end != '\0' || !(s > 0) || s > 86400 * 365.0) {
          return error("invalid number of seconds '" + value + "'");
        }
        result.quitAfter = s;
      }
      continue;
    }
    const std::string what = !a.empty() && a[0] == '-' ? "unknown option" : "unexpected argument";
    return error(what + " '" + a + "'");
  }
  if (result.dataFolder && !result.collection.empty()) {
    return error("options '--collection' and '--data-folder' exclude each other");
  }
  return result;
}
