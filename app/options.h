#pragma once
// The command line of the gravonaut program. Kept free of Qt so that it is decided before any
// window system is touched: --help and --version work without a display.
#include <string>
#include <vector>

struct TCommandLine {
  enum TAction { caRun, caHelp, caVersion, caError };
  TAction action = caRun;
  // What to print: the help or version text on standard output, an error on standard error.
  std::string text;
  // The exit code when the program stops without running the game.
  int exitCode = 0;
};

inline std::string HelpText(const std::string& program) {
  return "Usage: " + program +
         " [OPTION]\n"
         "A cave-flying game with its maze editor.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this help and exit\n"
         "  --version      show the version and exit\n";
}

inline std::string VersionText(const std::string& version) {
  return "Gravonaut " + version + "\n";
}

// args are the arguments after the program name; program is the name used in messages.
inline TCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                     const std::string& program, const std::string& version) {
  TCommandLine result;
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      return {TCommandLine::caHelp, HelpText(program), 0};
    }
    if (a == "--version") {
      return {TCommandLine::caVersion, VersionText(version), 0};
    }
    const std::string what = !a.empty() && a[0] == '-' ? "unknown option" : "unexpected argument";
    return {TCommandLine::caError,
            program + ": " + what + " '" + a + "'\nTry '" + program +
                " --help' for more information.\n",
            2};
  }
  return result;
}
