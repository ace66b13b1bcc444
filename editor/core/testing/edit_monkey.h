#pragma once
// The editor's monkey: a seeded random stream of editor actions on a document (selections,
// every command and form key, tool toggles, property edits, nudges, zoom and pan, new and
// removed mazes, the animation frames' fields with valid and invalid text, time-path drags,
// closing and reopening, maze files exported, imported (good, broken and collection files)
// and mazes deleted, answers to every confirmation, and the mouse: whole drags in every drag
// mode with and without Shift, and presses, moves and releases on their own so that other
// actions fall in the middle of a drag), with the checks that go with it:
//   - after every action the selection points only at live objects;
//   - with the gate audit on, every difference the action made to the collection (in its
//     clean form, after a reset) is one that the action's steps named;
//   - after each stretch, CheckStretch writes the collection, reads it back and writes it
//     again (the same bytes), and plays every maze of the copy for a number of ticks.
// Failures are raised as std::runtime_error with the action and seed in the message. Used by
// the monkey test (tests/editor) and the soak tool (tools/editor_soak).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "gx_editdoc.h"
#include "gx_random.h"
#include "recording_dialogs.h"

class TMazeList;

// A canvas that draws nothing (the monkey's picture is never looked at).
class TNullCanvas : public TCanvas {
 public:
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Polyline(const std::vector<TPoint>&) override {}
  void Polygon(const std::vector<TPoint>&) override {}
  void Rectangle(int, int, int, int) override {}
  void FillRect(const TRect&) override {}
  void Ellipse(int, int, int, int) override {}
  void TextOut(int, int, const std::string&) override {}
  int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
  int TextHeight(const std::string&) override { return 13; }
  TColor GetPixel(int, int) override { return clBlack; }
  void SetPixel(int, int, TColor) override {}
  void CopyRect(const TRect&, TCanvas&, const TRect&) override {}
};

// A play field of a size that can be changed, on any canvas.
class TFixedSurface : public TEditSurface {
 public:
  TFixedSurface(TCanvas& canvas, int width, int height)
      : canvas_(canvas), control_(width, height) {}
  TCanvas& Canvas() override { return canvas_; }
  const TControl& Control() const override { return control_; }
  void SetSize(int width, int height) { control_.SetSize(width, height); }

 private:
  TCanvas& canvas_;
  TFixedControl control_;
};

// A collection with something of everything the editor handles: filled, hatched, open,
// harmless and system-coloured polygons, landing corners, balls, every kind of transform
// (two rotations on one polygon), a maze without polygons, a maze without balls and a slice
// of the stress maze. Every maze is reset, as the editor shows them.
std::unique_ptr<TMazeList> MakeRichCollection();

// The collection's bytes as the file would hold them.
std::string CollectionBytes(const TMazeList& list);
// Where two texts first differ ("line 12: '...' vs '...'"), for failure messages.
std::string FirstDifference(const std::string& a, const std::string& b);

// An undo history for the monkey to drive. The editor's own is built on Qt; the tests that
// have Qt plug it in through this.
class TMonkeyHistory {
 public:
  virtual ~TMonkeyHistory() = default;
  virtual TEditStepObserver& Observer() = 0;
  virtual bool CanUndo() const = 0;
  virtual bool CanRedo() const = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  // The steps it holds, for failure messages.
  virtual std::string Describe() { return {}; }
};
// Makes the history of one session of the editor, for its document.
using TMonkeyHistoryMaker = std::function<std::unique_ptr<TMonkeyHistory>(TEditDocument&)>;

class TEditMonkey {
 public:
  TEditMonkey(TMazeList& list, std::uint64_t seed, bool audit);
  ~TEditMonkey();
  TEditMonkey(const TEditMonkey&) = delete;
  TEditMonkey& operator=(const TEditMonkey&) = delete;

  // One random action; raises std::runtime_error when a check fails.
  void Act();
  // The round trip and the play of every maze (see above).
  void CheckStretch(int ticks);
  // Closes the editor as the window's end would (Abandon) and stops.
  void Finish();
  // Plugs in an undo history, made anew for every session (this one too): random undos and
  // redos join the stream, and CheckStretch also undoes the whole history (the collection must
  // be as the session opened it, byte for byte) and redoes it (as before the undos).
  void SetHistory(TMonkeyHistoryMaker make);
  // The undos and redos of the whole history that CheckStretch checked.
  int HistoryChecks() const { return history_checks_; }

  TEditDocument& Doc() { return *doc_; }
  int Actions() const { return actions_; }
  // How often each action ran, and each step completed, by name.
  const std::map<std::string, int>& Counts() const { return counts_; }
  const std::map<std::string, int>& StepCounts() const;
  int Sessions() const { return sessions_; }

 private:
  class TAudit;
  struct TShape;
  TEditStepObserver& AuditObserver();
  // The step observers of the session's document: the audit, and the history when one is made.
  void PlugHistory();
  // Undoes and redoes the whole history with its checks; true when there was one to check.
  bool CheckHistory();
  void OpenSession();
  TShape TakeShape();
  void Verify(const TShape& before, const TShape& after);
  std::string RandomName();
  // A play-field pixel to press at: near a corner, an edge, a ball or a reference point of the
  // maze shown, or anywhere (now and then just off the field).
  TPoint Target();
  // Somewhere up to 60 pixels from p, sometimes off the field.
  TPoint Wander(TPoint p);
  TColor RandomColor();
  void Run(const std::string& name);
  // The animation frames' edits and the time-path editor's drags.
  void FrameAction(const std::string& name);
  // The snapping grid switched and its step changed (edit_monkey_grid.cpp), and, after an
  // action of the mouse that made a step on the grid, the new or moved ball or the new shape
  // on a grid point.
  void GridAction(const std::string& name);
  void CheckGrid(int stepsBefore);
  // The wheel, the View menu's commands and pans, now and then in the middle of a drag
  // (edit_monkey_view.cpp); each must leave the collection, the steps and the history alone.
  void ViewAction(const std::string& name);
  [[noreturn]] void Fail(const std::string& what) const;

  TMazeList& list_;
  std::uint64_t seed_;
  TSplitMixRandom rnd_;
  TRecordingDialogs dialogs_;
  TNullCanvas canvas_;
  TFixedSurface surface_;
  std::unique_ptr<TAudit> audit_;  // always there; it compares shapes only when asked to
  bool audit_shapes_;
  std::unique_ptr<TEditDocument> doc_;
  int actions_ = 0;
  int sessions_ = 0;
  std::string action_;
  std::string open_bytes_;  // the collection when the session began
  // The audit's last shape (the next action's "before") and, per maze, the clean record it
  // was taken from with its parts, so that unchanged mazes are not taken apart again.
  std::unique_ptr<TShape> shape_;
  std::vector<std::string> cached_records_;
  std::vector<TShape> cached_parts_;  // one maze each
  std::map<std::string, int> counts_;
  // A scratch folder for the maze files (removed with the monkey).
  std::string folder_;
  TPoint mouse_;  // where the mouse was last
  // The undo history, when one is plugged in, and the collection as its session opened.
  TMonkeyHistoryMaker make_history_;
  std::unique_ptr<TMonkeyHistory> history_;
  std::unique_ptr<TEditStepObserver> observers_;  // the audit and the history together
  std::string history_base_;
  int history_checks_ = 0;
};
