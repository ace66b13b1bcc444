#pragma once
// The game's start: the application's names, the screen's pixels per inch and the program's
// path for the model, then the main window, maximised, and the message loop until it closes.
#include "gx_main.h"

class QApplication;

// Names the application (settings, desktop entries); window titles stay as each window sets
// them.
void NameTheApplication();

// Runs the game with app (already created); returns the message loop's exit code. With
// quit_after > 0 the window closes by itself after that many seconds (for measurements).
int RunGame(QApplication& app, const TUniverseOptions& options, double quit_after = 0);
