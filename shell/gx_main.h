#pragma once
// TUniverse: the game's main window and its game loop.
//
// At start-up it loads the maze collection (or builds a small built-in maze), makes a maze
// current and ticks it every 50 ms; it repaints the play view and the overview map after each
// tick, handles the window keys (zoom, clear score, maze selection, help) and the mouse wheel,
// and on closing writes the collection back, keeping the previous file as a backup. The game
// itself lives in the maze; the window owns the objects and drives them.
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas.h"
#include "gx_settings.h"
#include "qor_matrix.h"

class TDialogService;
struct TPlayFrameStyle;
class TFrameDriver;
class TGameSound;
class TModalService;
class TKeyStateService;
class TMaze;
class TMazeList;
class TPadInput;
class TQtCanvas;
class TQtKeyState;
class TRocket;
class TRunKeeper;
class TRunWatch;

struct TUniverseOptions {
  // The collection file; empty: the program's own name with ".cav" in the working directory.
  std::string collection;
  // The maze to start on (index into the collection); negative: one at random.
  int maze = -1;
  // Where message boxes and file dialogs go; null: the desktop's dialogs.
  TDialogService* dialogs = nullptr;
  // How the modal dialogs (editor, maze selection, help) are run; null: QDialog::exec().
  TModalService* modals = nullptr;
  // Where the game keys are read from; null: the window's own key events.
  TKeyStateService* keys = nullptr;
  // Where the game's events are heard (not owned); null: the game is silent.
  TGameSound* sound = nullptr;
  // Start the 50 ms timer at once (tests drive the ticks themselves).
  bool start_timer = true;
  // When not empty, the time of every tick is written to this file when the window closes,
  // one line per tick in nanoseconds of a steady clock.
  std::string tick_log;
  // The player's settings for this run (the file's, with the command line's on top), and the
  // file that the Settings dialog writes back to ("" = none: nothing is written).
  TGameSettings settings;
  std::string settings_file;
  // Read game controllers (the game's own key state only).
  bool gamepads = false;
  // Pictures a second: below 0 the display's rate, 0 one per tick (see TFrameDriver).
  int fps = -1;
  // When not empty, one line per picture drawn goes to this file (see TFrameDriver).
  std::string frame_log;
  // Antialiased play view.
  bool smooth_edges = true;
  // The folder of the collection's best runs; empty: "<collection file>.replays".
  std::string replays;
};

class TUniverse : public QWidget, public TControl {
 public:
  static constexpr int kTickInterval = 50;  // milliseconds

  explicit TUniverse(const TUniverseOptions& options = {}, QWidget* parent = nullptr);
  ~TUniverse() override;
  TUniverse(const TUniverse&) = delete;
  TUniverse& operator=(const TUniverse&) = delete;

  // --- properties -----------------------------------------------------------------------
  bool running() const { return FRunning; }
  // Also enables or disables the timer.
  void SetRunning(bool v);
  TMaze* Cave() const { return FCave; }
  // Makes Value current: rocket, key service, tick unit and background handed over, the maze
  // reset, the viewports recomputed; the first maze made current shows the help hint.
  void SetCave(TMaze* Value);
  TMazeList* MazeList() const { return FMazeList.get(); }
  TRocket* Rocket() const { return FRocket.get(); }
  const std::string& picfn() const { return Fpicfn; }
  // Loads the background picture (or removes it for an empty name).
  void SetPicfn(const std::string& Value);
  // Loads a ".bmp", ".jpg" or ".jpeg" file into pic; a file that fails to decode is reported.
  bool LoadPicture(const std::string& name);
  // The collection file and its backup.
  const std::string& MazeFileName() const { return fn_; }
  std::string BackupFileName() const;
  // The name under which an unreadable collection was kept at start-up, or "".
  const std::string& UnreadableCopy() const { return unreadable_copy_; }

  // --- operations -------------------------------------------------------------------------
  void InitMazes();
  // One game tick; closes the window when the maze has finished.
  void gametickerTimer();
  // Viewports (and the scaled background) for the client size and the zoom.
  void FormResize();
  // Writes the collection with a backup; raises EInOutError when that fails, leaving the
  // files on disk as they were.
  void SaveMazes();
  // A typed character and a key going down (virtual-key code), as the window keys see them.
  void FormKeyPress(char key);
  void FormKeyDown(int vkey);
  // Adds a wheel delta (120 a notch) to the turn waiting for the next tick.
  void FormMouseWheel(int delta);
  // Runs the maze selection dialog; the maze chosen with OK becomes current.
  void SelectMaze();
  // "e": the maze editor on the collection, modal, with the timer off; OK saves at once.
  void EditMaze();
  // "o": the Settings dialog, the game frozen behind it; OK applies and stores what changed.
  void OpenSettings();
  // The settings in force, and where a change of them takes effect (gx_mainsettings.cpp).
  const TGameSettings& Settings() const { return settings_; }
  void ApplySettings(const TGameSettings& s);
  TPadInput* Pads() const { return pad_.get(); }
  // Draws one whole frame (background, play view, overview map) into an image of the client
  // size, showing the maze as it is.
  void PaintFrame(QImage& image);
  // The same as a picture of the play view is drawn (between two ticks, with smooth edges).
  void PaintFrame(QImage& image, TPlayFrameStyle style);
  // When pictures are drawn and what they show between the ticks; its smooth_motion switches
  // smooth motion at run time.
  TFrameDriver& Frames() const { return *frames_; }
  // The image of the last frame painted to the window.
  const QImage& BackBuffer() const { return backbuffer_; }
  const QImage& Background() const { return bkgrnd_; }
  QTimer& GameTicker() { return gameticker_; }
  TKeyStateService& Keys() const { return *keys_; }
  TDialogService& Dialogs() const { return *dialogs_; }
  TModalService& Modals() const { return *modals_; }
  const std::vector<std::int64_t>& TickTimes() const { return tick_times_; }
  // Best runs and the ghost (G shows or hides it); W watches the best run, any key ends it.
  TRunKeeper& Runs() const { return *runs_; }
  TRunWatch* Watch() const { return watch_.get(); }
  void StartWatch();
  void EndWatch();

  // TControl: the client area the model draws into.
  int ClientWidth() const override { return width(); }
  int ClientHeight() const override { return height(); }

  // --- fields -----------------------------------------------------------------------------
  TDRect mapvp;
  TDRect playvp;
  bool IsChanged = false;
  bool IsFirst = true;
  int TargetSize = 25;
  // Antialiased play view; may be switched at any time.
  bool SmoothEdges = true;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FormCreate();
  // False when the window stays open (the collection could not be written and the player
  // chose not to quit without it).
  bool FormClose();
  void GameStateChanged(TMaze* Sender);
  void BuildBuiltInMaze();
  void ScaleBackground();
  void WriteTickLog();
  // Feeds the game controller into the key state just before the tick samples it.
  void PollPads();
  void StartPads(bool gamepads);
  // Tells the sound whether this window has the focus and what its game shows now.
  void SyncSound();

  std::string fn_;
  int start_maze_;
  std::string tick_log_;
  std::unique_ptr<TQtKeyState> own_keys_;
  TKeyStateService* keys_;
  TDialogService* dialogs_;
  TModalService* modals_;
  TGameSound* sound_;

  QTimer gameticker_;
  std::optional<QImage> pic;
  std::string Fpicfn;
  QImage bkgrnd_;
  QImage backbuffer_;
  bool FRunning = false;
  TMaze* FCave = nullptr;
  // The rocket outlives the mazes: a maze clears the rocket's link to it when it dies.
  std::unique_ptr<TRocket> FRocket;
  std::unique_ptr<TMazeList> FMazeList;
  bool closed_ = false;
  // While the editor runs, the mazes may be freed under the window: it shows its last frame.
  bool editing_ = false;
  // An unreadable collection that has still to be kept aside before the first save.
  bool unreadable_pending_ = false;
  std::string unreadable_copy_;
  std::vector<std::int64_t> tick_times_;
  TGameSettings settings_;
  std::string settings_file_;
  std::unique_ptr<TPadInput> pad_;
  std::unique_ptr<TFrameDriver> frames_;
  std::unique_ptr<TRunKeeper> runs_;
  std::unique_ptr<TRunWatch> watch_;
};
