#include "gx_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "gx_dialogs.h"
#include "gx_edit.h"
#include "gx_frames.h"
#include "gx_gamesound.h"
#include "gx_help.h"
#include "gx_keystate.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_padinput.h"
#include "gx_motion.h"
#include "gx_playview.h"
#include "gx_polygon.h"
#include "gx_random.h"
#include "gx_rocket.h"
#include "gx_runkeeper.h"
#include "gx_runwatch.h"
#include "gx_safesave.h"
#include "gx_select.h"
#include "gx_testwindow.h"
#include "qor_errors.h"
#include "qor_text.h"
#include "qt_canvas.h"
#include "qt_dialogs.h"
#include "qt_keystate.h"

namespace {

constexpr TColor kBlue = 0x00FF0000;

std::string LowerExtension(const std::string& name) {
  std::string ext = std::filesystem::path(name).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// The folder of the collection file, absolute (a plain name lies in the working directory).
std::string CollectionFolder(const std::string& fn) {
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(fn, ec);
  return ec ? std::string() : p.parent_path().string();
}

}  // namespace

TUniverse::TUniverse(const TUniverseOptions& options, QWidget* parent)
    : QWidget(parent),
      fn_(options.collection),
      start_maze_(options.maze),
      tick_log_(options.tick_log),
      keys_(options.keys),
      dialogs_(options.dialogs ? options.dialogs : &DefaultDialogService()),
      modals_(options.modals ? options.modals : &DefaultModalService()),
      sound_(options.sound),
      settings_file_(options.settings_file) {
  if (fn_.empty()) {
    fn_ = NameWithExt(QCoreApplication::applicationFilePath().toStdString(), ".cav");
  }
  runs_ = std::make_unique<TRunKeeper>(options.replays.empty() ? ReplaysFolderFor(fn_)
                                                               : options.replays);
  if (!keys_) {
    own_keys_ = std::make_unique<TQtKeyState>();
    installEventFilter(own_keys_.get());
    keys_ = own_keys_.get();
  }
  setWindowFlag(Qt::FramelessWindowHint);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  gameticker_.setTimerType(Qt::PreciseTimer);
  gameticker_.setInterval(kTickInterval);
  connect(&gameticker_, &QTimer::timeout, this, [this] { gametickerTimer(); });
  frames_ = std::make_unique<TFrameDriver>(*this, kTickInterval);
  frames_->SetFps(options.fps);
  SmoothEdges = options.smooth_edges;
  if (!frames_->SetFrameLog(options.frame_log)) {
    std::fprintf(stderr, "gravonaut: cannot write the frame log '%s'\n", options.frame_log.c_str());
  }
  StartPads(options.gamepads);
  // --fps 0 and --no-smooth-edges hold for this run whatever the settings say.
  TGameSettings settings = options.settings;
  settings.smooth_motion = settings.smooth_motion && options.fps != 0;
  settings.smooth_edges = settings.smooth_edges && options.smooth_edges;
  ApplySettings(settings);
  FormCreate();
  if (!options.start_timer) SetRunning(false);
}

TUniverse::~TUniverse() {
  gameticker_.stop();
  if (own_keys_) removeEventFilter(own_keys_.get());
  watch_.reset();
  runs_->SetMaze(nullptr);
  FCave = nullptr;
  FMazeList.reset();
  FRocket.reset();
}

void TUniverse::FormCreate() {
  IsFirst = true;
  TargetSize = 25;
  setWindowTitle(QStringLiteral("Gravonaut"));
  InitMazes();
  SetRunning(true);
}

void TUniverse::SetRunning(bool v) {
  FRunning = v;
  if (v) {
    gameticker_.start();
    frames_->Start();
  } else {
    gameticker_.stop();
    frames_->Stop();
  }
  SyncSound();  // a stopped game is silent
}

void TUniverse::SyncSound() {
  if (!sound_) return;
  sound_->SetFlight(FRunning && FRocket && FRocket->ThrustOn(),
                    FCave && FCave->GameState() == gs_freeze);
  sound_->SetWindowActive(isActiveWindow());
}

void TUniverse::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !sound_) return;
  if (isActiveWindow()) {
    SyncSound();  // back from a dialog or test play: this game's flame and freeze
  } else {
    sound_->SetWindowActive(false);
  }
}

std::string TUniverse::BackupFileName() const {
  return ::BackupFileName(fn_);
}

// --- start-up -------------------------------------------------------------------------------

void TUniverse::InitMazes() {
  FMazeList = std::make_unique<TMazeList>();
  FRocket = MakeGameRocket();
  std::error_code ec;
  if (std::filesystem::exists(fn_, ec)) {
    try {
      TTextReader f = TTextReader::FromFile(fn_);
      f.ReadLn();  // the collection's own header line
      FMazeList->LoadFromF(f);
      const int n = FMazeList->Count();
      int i = start_maze_;
      if (i < 0 || i >= n) {
        if (i >= 0 && n > 0) {
          std::fprintf(stderr,
                       "gravonaut: there is no maze %d in '%s' (it has %d); "
                       "starting on one at random\n",
                       i + 1, fn_.c_str(), n);
        }
        i = GameRandom().RandomInt(n);
      }
      SetCave(FMazeList->GetMaze(i));
    } catch (const std::exception& e) {
      std::string text = "Error reading mazefile '" + fn_ + "': " + e.what();
      // What could not be read must survive the saves of this run, which would otherwise
      // rotate it through the backup and delete it.
      try {
        unreadable_copy_ = KeepUnreadableCopy(fn_);
        text += "\n\nThe file as it was is kept as '" + unreadable_copy_ + "'.";
      } catch (const std::exception& keep_error) {
        unreadable_pending_ = true;
        text += "\n\n" + std::string(keep_error.what()) +
                "\nThe collection will not be written over until a copy can be kept.";
      }
      dialogs_->ShowError(text);
    }
  }
  if (!FCave) BuildBuiltInMaze();
  FormResize();
}

void TUniverse::BuildBuiltInMaze() {
  IsChanged = true;
  auto maze = std::make_unique<TMaze>();
  TMaze* m = maze.get();
  FCave = m;  // directly: no hint, no game-state handler
  m->SetKeyService(keys_);
  m->SetEventSink(sound_);
  m->FOnChange = [this](TMaze* sender) {
    IsChanged = true;
    runs_->MazeChanged(*sender);
  };
  m->SetTickUnit(kTickInterval);
  m->incolor = 0;
  m->outcolor = 0;
  m->linecolor = 0x00FFFF00;
  m->landcolor = 0x0000FFEE;

  auto outer = std::make_unique<TPolygon>();
  outer->SetColor(m->linecolor);
  for (auto [x, y] : {std::pair{-1.0, -1.0}, {-1.0, 1.0}, {1.0, 1.0}, {1.0, -1.0}}) {
    outer->AddSide(x, y, st_normal, outer->Color());
  }
  outer->width = 2;
  outer->fillcolor = m->incolor;
  outer->fillstyle = bsSolid;
  m->AddPolygon(std::move(outer));

  auto inner = std::make_unique<TPolygon>();
  inner->SetColor(m->linecolor);
  inner->AddSide(0.25, 0.25, st_normal, inner->Color());
  inner->AddSide(0.6, 0.25, st_landing, m->landcolor);
  inner->AddSide(0.4, 0, st_normal, inner->Color());
  inner->AddSide(-0.05, -0.25, st_normal, inner->Color());
  inner->width = 2;
  inner->fillcolor = kBlue;
  inner->fillstyle = bsSolid;
  m->AddPolygon(std::move(inner));

  m->SetStart(TDRect{0.25, 0.6, 0.25, 0.25});  // kept by every reset, and written so
  FMazeList->SetMaze(0, std::move(maze));
  m->SetRocket(FRocket.get());
  m->reset();
  runs_->SetMaze(m);
}

void TUniverse::SetCave(TMaze* Value) {
  watch_.reset();
  FCave = Value;
  runs_->SetMaze(Value);
  if (!Value) return;
  Value->bkgrnd = bkgrnd_.isNull() ? nullptr : &bkgrnd_;
  Value->FOnGameStateChange = [this](TMaze* sender) { GameStateChanged(sender); };
  // A best time cleared by R (inside the maze's key sampling) is saved like a new one.
  // A new record's run becomes the maze's best run; a cleared best time retires it.
  Value->FOnChange = [this](TMaze* sender) {
    IsChanged = true;
    runs_->MazeChanged(*sender);
  };
  MakeReadyToPlay(*Value, *FRocket, keys_, gameticker_.interval());
  Value->SetEventSink(sound_);
  if (IsFirst) Value->SetMsgLine("Press F1 for Help");
  IsFirst = false;
  FormResize();
}

void TUniverse::GameStateChanged(TMaze* Sender) {
  // The frozen game shows its score and message at once, not only on the next tick.
  if (Sender && Sender->GameState() == gs_freeze) update();
}

// --- the game loop --------------------------------------------------------------------------

void TUniverse::gametickerTimer() {
  if (!tick_log_.empty()) {
    tick_times_.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count());
  }
  if (!FCave) {
    SetRunning(false);
    return;
  }
  PollPads();
  if (watch_) {
    if (!watch_->Step()) EndWatch();
    update();
    return;
  }
  if (FCave->TickTime(1)) IsChanged = true;
  if (FCave->GameState() == gs_finished) {
    close();
  } else {
    frames_->TickDone(*FCave);
  }
}

void TUniverse::FormResize() {
  LayoutPlayView(width(), height(), FCave, TargetSize, mapvp, playvp);
  ScaleBackground();
}

void TUniverse::ScaleBackground() {
  if (!pic || pic->isNull() || width() <= 0 || height() <= 0) return;
  bkgrnd_ = pic->scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
}

void TUniverse::PaintFrame(QImage& image) { PaintFrame(image, TPlayFrameStyle{}); }

void TUniverse::PaintFrame(QImage& image, TPlayFrameStyle style) {
  const QImage* background = bkgrnd_.isNull() ? nullptr : &bkgrnd_;
  if (watch_) {
    // The snapshots are the played maze's: the replay's copy is drawn as it is.
    style.prev = style.cur = nullptr;
    style.fraction = 1;
    style.overlay = watch_.get();
    PaintPlayFrame(image, watch_->Shown(FCave), background, *this, playvp, mapvp, style);
    return;
  }
  // The ghost follows the clock: between two ticks only when the clock moved on by one.
  const bool clock_step = style.prev && style.cur && style.prev->valid && style.cur->valid &&
                          Continuous(*style.prev, *style.cur) &&
                          style.cur->clock == style.prev->clock + 1 &&
                          StillAsTaken(*FCave, *style.cur);
  const TGhostOverlay ghost(*runs_, clock_step ? style.fraction : 1);
  style.overlay = &ghost;
  PaintPlayFrame(image, FCave, background, *this, playvp, mapvp, style);
}

void TUniverse::paintEvent(QPaintEvent*) {
  FitBackBuffer(backbuffer_, *this);
  if (!editing_) {
    const TFrameDriver::TFrame frame = frames_->BeginFrame();
    PaintFrame(backbuffer_, FrameStyle(frame, SmoothEdges));
    frames_->EndFrame();
  }
  QPainter p(this);
  p.drawImage(0, 0, backbuffer_);
}

void TUniverse::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!editing_) FormResize();  // the editor's end makes a maze current, which resizes
}

// --- keys and wheel -------------------------------------------------------------------------

void TUniverse::keyPressEvent(QKeyEvent* event) {
  if (watch_) {  // any key ends the replay, and does nothing else
    EndWatch();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_F1) FormKeyDown(vk::F1);
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() < 0x80) {
    FormKeyPress(static_cast<char>(text[0].unicode()));
  }
  event->accept();
}

void TUniverse::FormKeyPress(char key) {
  switch (key) {
    case 'e':
    case 'E':
      // Shown here: an error (a failed save) must not unwind through Qt's event dispatch.
      try {
        EditMaze();
      } catch (const std::exception& e) {
        dialogs_->ShowError(e.what());
      }
      break;
    case 's':
    case 'S': {
      // The timer runs again however the selection ends, also after an error.
      struct TResume {
        TUniverse& u;
        ~TResume() { u.SetRunning(true); }
      } resume{*this};
      SetRunning(false);
      if (FCave) FCave->reset();
      // Shown here: an error must not unwind through Qt's event dispatch.
      try {
        SelectMaze();
      } catch (const std::exception& e) {
        dialogs_->ShowError(e.what());
      }
      break;
    }
    case 'o':
    case 'O':
      OpenSettings();
      break;
    case 'g':
    case 'G':
      runs_->ShowGhost = !runs_->ShowGhost;
      break;
    case 'w':
    case 'W':
      StartWatch();
      break;
    case 'c':
    case 'C':
      if (FCave) {
        runs_->Retire();
        FCave->reset();
        if (FCave->bestdur != 0) IsChanged = true;  // the cleared time is saved at exit
        FCave->bestdur = 0;
      }
      break;
    case '-':
    case '+':
      if (ZoomKey(key, TargetSize)) FormResize();
      break;
    case 'm':
    case 'M':
      if (sound_) {
        sound_->ToggleMute();
        settings_.mute = !settings_.mute;  // the Settings dialog shows it as it is
      }
      return;
    default:
      return;
  }
  update();
}

void TUniverse::FormKeyDown(int vkey) {
  if (vkey != vk::F1 || !FCave) return;
  // Freezing a frozen game again would make the frozen state its own way back.
  if (FCave->GameState() != gs_freeze) FCave->SetGameState(gs_freeze);
  // The timer keeps ticking behind the help: a key pressed just before F1 must not resume.
  FCave->DiscardGameKeys();
  // Shown here: an error must not unwind through Qt's event dispatch.
  try {
    THelpForm help(Dialogs(), this);
    help.SetPicfn(Fpicfn);
    help.SetKeys(settings_.keys);
    const int result = Modals().Exec(help);
    if (result == QDialog::Accepted) SetPicfn(help.picfn());
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
  if (FCave) FCave->DiscardGameKeys();
  frames_->Jump();
}

void TUniverse::StartWatch() {
  if (!FCave) return;
  const TRunRecording* best = runs_->Best();
  if (!best) {
    FCave->SetMsgLine("No best run to watch");
    return;
  }
  // The played maze waits where it is; the replay flies a copy.
  watch_ = std::make_unique<TRunWatch>(*FCave, *best);
}

void TUniverse::EndWatch() {
  watch_.reset();
  // The key that ended it must not also act in the game.
  if (FCave) FCave->DiscardGameKeys();
  update();
}

void TUniverse::SelectMaze() {
  TMazeSelect select(this);
  // Whatever was typed in the dialog is dropped, however it ends.
  struct TDiscard {
    TUniverse& u;
    ~TDiscard() {
      if (u.FCave) u.FCave->DiscardGameKeys();
    }
  } discard{*this};
  select.SetMazeList(FMazeList.get());
  select.SetMaze(FCave);
  if (Modals().Exec(select) == QDialog::Accepted && select.Maze()) SetCave(select.Maze());
  frames_->Jump();
  update();
}

void TUniverse::EditMaze() {
  if (!FCave) return;
  watch_.reset();
  FCave->reset();
  SetRunning(false);
  const int game_index = FMazeList->IndexOf(FCave);
  editing_ = true;
  // Test play (F5 in the editor) reads the keys as the game does and shows its background.
  TGameTestPlay test_play(*modals_, own_keys_ ? nullptr : keys_, pic ? &*pic : nullptr, sound_);
  test_play.SetKeyMap(KeyMapOf(settings_.keys));
  test_play.fps = frames_->Fps();
  test_play.smooth_motion = frames_->smooth_motion;
  test_play.smooth_edges = SmoothEdges;
  std::unique_ptr<TEditMaze> editor;
  bool replace = false;  // the game goes on with `next` instead of FCave
  TMaze* next = nullptr;
  // Decides, while the editor still knows which mazes it freed or replaced, which maze the
  // game goes on with: OK makes the editor's maze current; otherwise the game stays on its
  // maze, or on what the editor put in its place.
  const auto settle = [&](bool ok) {
    if (!editor) return;
    editor->EnsureClosed();
    const TEditDocument& doc = editor->Document();
    if (ok) {
      replace = true;
      next = editor->Maze();
    } else if (!doc.OpeningMazeKept(game_index)) {
      replace = true;
      next = doc.OpeningMaze(game_index) ? doc.OpeningMaze(game_index) : editor->Maze();
    }
    if (replace) FCave = nullptr;  // it may be gone
    editor.reset();
  };
  const auto finish = [&] {
    editing_ = false;
    if (replace) {
      if (!next) next = FMazeList->GetMaze(0);
      if (!next) {
        BuildBuiltInMaze();  // the game needs a maze
        next = FMazeList->GetMaze(0);
      }
      SetCave(next);
    }
    if (FCave) FCave->DiscardGameKeys();
    frames_->Jump();
    SetRunning(true);
    update();
  };
  try {
    editor = std::make_unique<TEditMaze>(*dialogs_, *modals_, this);
    editor->SetMazeList(FMazeList.get());
    editor->SetMaze(FCave);
    editor->SetTestPlayService(&test_play);
    // Import and export start beside the collection, not in the program's folder.
    editor->Document().SetFileFolder(CollectionFolder(fn_));
    const bool ok = modals_->Exec(*editor) == QDialog::Accepted;
    settle(ok);
    if (ok) {
      // Changed until written: a failed save is tried again at quit, not forgotten.
      IsChanged = true;
      SaveMazes();
    }
  } catch (...) {
    settle(false);
    finish();
    throw;
  }
  finish();
}

void TUniverse::wheelEvent(QWheelEvent* event) {
  // Under X11 Qt hands a wheel turned with Alt held (the alternate fire key) over as a
  // horizontal one, x and y exchanged: the notches are then in x.
  const QPoint d = event->angleDelta();
  int delta = d.y();
  if (delta == 0 && event->modifiers().testFlag(Qt::AltModifier)) delta = d.x();
  FormMouseWheel(delta);
  event->accept();
}

void TUniverse::FormMouseWheel(int delta) {
  // Several events between two ticks add up; the maze turns by the sum.
  if (FCave && FRunning && !watch_) FCave->AddWheelDelta(delta);
}

// --- closing and saving ---------------------------------------------------------------------

void TUniverse::closeEvent(QCloseEvent* event) {
  if (FormClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TUniverse::FormClose() {
  if (closed_) return true;
  const bool was_running = FRunning;
  SetRunning(false);
  if (IsChanged) {
    try {
      SaveMazes();
    } catch (const std::exception& e) {
      dialogs_->ShowError(e.what());
      // No keeps the game open, so that the player can make room and quit again.
      if (!dialogs_->Confirm("The collection was not saved: its changes will be lost.\n\n"
                             "Quit anyway?",
                             TMsgIcon::mi_error)) {
        // Escape ended the run: a new one starts, or the next tick would quit again.
        if (FCave && FCave->GameState() == gs_finished) FCave->reset();
        SetRunning(was_running);
        return false;
      }
    }
  }
  closed_ = true;
  WriteTickLog();
  watch_.reset();
  runs_->SetMaze(nullptr);
  FCave = nullptr;
  FMazeList.reset();
  FRocket.reset();
  return true;
}

void TUniverse::SaveMazes() {
  if (!FMazeList) return;
  if (unreadable_pending_) {
    unreadable_copy_ = KeepUnreadableCopy(fn_);
    unreadable_pending_ = false;
  }
  TTextWriter w;
  FMazeList->SaveToF(w);
  SaveWithBackup(fn_, BackupFileName(), w.Bytes());
  IsChanged = false;
}

void TUniverse::WriteTickLog() {
  if (tick_log_.empty()) return;
  std::ofstream out(tick_log_, std::ios::trunc);
  for (std::int64_t t : tick_times_) out << t << '\n';
}

// --- background picture ---------------------------------------------------------------------

void TUniverse::SetPicfn(const std::string& Value) {
  bkgrnd_ = QImage();
  pic.reset();
  Fpicfn.clear();
  if (!Value.empty() && LoadPicture(Value)) {
    Fpicfn = Value;
    ScaleBackground();
  }
  if (FCave) FCave->bkgrnd = bkgrnd_.isNull() ? nullptr : &bkgrnd_;
  update();
}

bool TUniverse::LoadPicture(const std::string& name) {
  if (name.empty()) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(name, ec)) return false;
  const std::string ext = LowerExtension(name);
  QByteArray format;
  if (ext == ".bmp") {
    format = "BMP";
  } else if (ext == ".jpg" || ext == ".jpeg") {
    format = "JPEG";
  } else {
    return false;
  }
  QImageReader reader(QString::fromStdString(name), format);
  reader.setDecideFormatFromContent(false);
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    std::string message = reader.errorString().toStdString();
    if (message.empty()) message = "Unknown error";
    dialogs_->ShowError("'" + message + "'\n\n on loading picture file:\n\n'" + name + "'");
    pic.reset();
    return false;
  }
  pic = std::move(image);
  return true;
}
