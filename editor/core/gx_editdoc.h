#pragma once
// TEditDocument: the maze editor without its window.
//
// The document holds everything the editor knows: the collection and the maze being edited
// (neither owned), the selection with the own colours of what it highlights, the creation
// tools, the drag type, the view matrices for the play field it is told about, the values the
// property controls show, and every editing command. It draws only through TCanvas, asks only
// through TDialogService and never includes a widget, so tests, the monkey test and the window
// all drive the same code. The Qt window (editor/gx_edit.h) maps its controls onto these
// operations and updates its widgets from the announcements (TEditListener).
//
// Every change to the collection runs through one gate, TEditStep (gx_editstep.h). The
// selection highlights are written into the model's colours, so anything that serialises the
// collection does so inside a TCleanRecords guard (CleanRecord, CleanCollection).
//
// The commands live in gx_editcommands.cpp, the closing rule and the clean records in
// gx_editclose.cpp, the mouse gestures on the play field in gx_editgesture.cpp; the animation
// frames' edits and import/export/delete hook in where this header says so.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "gx_animedit.h"
#include "gx_editstep.h"
#include "gx_editview.h"
#include "qor_matrix.h"

class TBall;
class TDialogService;
class TStepRecords;
class TMaze;
class TMazeList;
class TPolygon;
class TRotate;
class TSide;
class TTestPlayService;
class TTransform;

enum TDragType : std::uint8_t { dt_translate = 0, dt_size = 1, dt_rotate = 2 };

// c made lighter or darker by f (0 .. 1) of the full channel range: darker for light colours
// (r² + g² + b² > 49152), lighter otherwise; channels clamped and rounded halves to even. A
// system colour is first resolved to the colour it stands for.
TColor HighlightColor(TColor c, double f);

// The colour boxes' "Default" entries.
constexpr TColor kBackgroundDefault = 0x000000;  // black
constexpr TColor kLineDefault = 0xFFFF00;        // aqua
constexpr TColor kFillDefault = 0xFF0000;        // blue (the box shows its entry in teal)
constexpr TColor kLandDefault = 61183;           // 0x00EEFF

// What changed, as announced to the listeners (bits, or-ed over one command).
enum TEditAspect : unsigned {
  ea_Selection = 1u << 0,  // the current polygon, corner or ball
  ea_Controls = 1u << 1,   // the values of the property controls (Controls())
  ea_MazeList = 1u << 2,   // the items of the maze selector
  ea_MazeShown = 1u << 3,  // the maze shown: the selector's current item and the name field
  ea_Caption = 1u << 4,
  ea_Tools = 1u << 5,     // tool buttons shown down, check marks, the drag radio group
  ea_TrafTabs = 1u << 6,  // the transform tab strip: its tabs, the selected one, visibility
  ea_Redraw = 1u << 7,    // the play field's picture was drawn anew
  ea_Modified = 1u << 8,  // a step changed the collection
  ea_View = 1u << 9,      // the zoom or the pan (View())
};
using TEditAspects = unsigned;

class TEditListener {
 public:
  virtual ~TEditListener() = default;
  virtual void EditChanged(TEditAspects what) = 0;
};

// The play field as the document sees it: a canvas of the control's client size.
class TEditSurface {
 public:
  virtual ~TEditSurface() = default;
  virtual TCanvas& Canvas() = 0;
  virtual const TControl& Control() const = 0;
  // A whole picture is drawn between the two (a raster canvas keeps one painter open).
  virtual void BeginFrame() {}
  virtual void EndFrame() {}
  // False while the play field is not on screen: nothing is drawn then.
  virtual bool Showing() const { return true; }
};

// The form-level keys.
enum class TEditKey : std::uint8_t { PgUp, PgDn, Left, Right, Up, Down, Delete };

// The tool buttons whose "down" state the document decides.
enum class TEditTool : std::uint8_t {
  sPol,
  sGear,
  sBall,
  sLand,
  sAutoTrans,
  sAutoSize,
  sAutoRot,
  sTrans,
  sSize,
  sRot,
};

// What a press on the play field would do where the mouse is, or what the drag under way
// does: the window shows it as the mouse cursor.
enum class TEditCursor : std::uint8_t {
  Default,      // nothing happens
  Corner,       // drags the corner
  Edge,         // inserts a corner on the edge and drags it
  MovePolygon,  // Shift: drags the whole polygon
  Size,         // resizes the polygon (left and right)
  Rotate,       // turns the polygon (up and down)
  Ball,         // picks the ball
  DragBall,     // a ball being dragged
  RefPoint,     // picks an animation's reference point (or a translation's end)
  DragRefPoint,
  Add,  // places a new ball, polygon or gear
  Pan,  // the picture follows the mouse
};

// The values the property controls show, named after the controls. The commands read them
// ("the colour of cline"); the controls write them through the *Change operations.
struct TEditControls {
  TColor cbackground = kBackgroundDefault;
  TColor cline = kLineDefault;
  TColor cFill = kFillDefault;
  bool cbFill = true;  // cFill is enabled exactly when this is checked
  TColor cLand = kLandDefault;
  int lwidth = 1;  // 1 .. 20
  bool eHarmless = false;
  int ePolN = 4;  // at least 3
  bool operator==(const TEditControls&) const = default;
};

// An entry of the maze selector: the name as listed and the maze it stands for.
struct TMazeComboItem {
  std::string name;
  TMaze* maze = nullptr;
};

class TEditDocument {
 public:
  static constexpr int kMinLineWidth = 1;
  static constexpr int kMaxLineWidth = 20;
  static constexpr int kMinCorners = 3;
  static constexpr int kMaxCorners = 99;  // the corner-count spin control's own upper bound
  // Tab icons by transform class (indices into the 13 tool images).
  static constexpr int kIconRotate = 9;
  static constexpr int kIconScale = 6;
  static constexpr int kIconTrans = 8;

  explicit TEditDocument(TDialogService& dialogs);
  ~TEditDocument();
  TEditDocument(const TEditDocument&) = delete;
  TEditDocument& operator=(const TEditDocument&) = delete;

  // --- surroundings -----------------------------------------------------------------------
  TDialogService& Dialogs() const { return dialogs_; }
  // The play field (not owned; null: none). Its client size sets the view matrices.
  void SetSurface(TEditSurface* surface);
  TEditSurface* Surface() const { return surface_; }
  void AddListener(TEditListener* l);
  void RemoveListener(TEditListener* l);
  // The undo history plugs in here (not owned; null: none).
  void SetStepObserver(TEditStepObserver* o) { observer_ = o; }
  // Where Test Play runs the maze (not owned; null: Test Play does nothing).
  void SetTestPlayService(TTestPlayService* s) { test_play_ = s; }
  TTestPlayService* TestPlayService() const { return test_play_; }

  // --- properties ---------------------------------------------------------------------------
  TMazeList* MazeList() const { return FMazeList; }
  // Keeps the collection's records as they are now (for the closing rule), then shows maze 0.
  void SetMazeList(TMazeList* l);
  TMaze* Maze() const { return FMaze; }
  void SetMaze(TMaze* m);
  TPolygon* Polygon() const { return FPolygon; }
  void SetPolygon(TPolygon* p);
  TSide* Side() const { return FSide; }
  void SetSide(TSide* v);
  TBall* Ball() const { return FBall; }
  void SetBall(TBall* b);
  // The selection is a ball: Del and the Animate commands refer to it.
  bool BallSel() const { return FBallSel; }
  TTransform* Traf() const { return FTraf; }
  void SetTraf(TTransform* t) { FTraf = t; }
  bool DoTraf() const { return FDoTraf; }
  void SetDoTraf(bool v) { FDoTraf = v; }
  bool DoBall() const { return FDoBall; }
  void SetDoBall(bool v);
  bool AddPol() const { return FAddPol; }
  void SetAddPol(bool v);
  bool AddGear() const { return FAddGear; }
  void SetAddGear(bool v);
  TDragType DragType() const { return FDragType; }
  void SetDragType(TDragType t);
  // The own colours of the highlighted polygon, corner and ball.
  TColor PolColor() const { return FPolColor; }
  TColor SideColor() const { return FSideColor; }
  TColor BallColor() const { return FBallColor; }

  // --- view ---------------------------------------------------------------------------------
  // Model units to play-field pixels (y up, origin bottom left) and back, as the view shows
  // the maze (TEditView: in the design view 5.1 model units span the shorter side). A play
  // field smaller than a pixel counts as one pixel.
  void MakeViewMatrices();
  const tmat2d& M2I() const { return view_.M2I(); }
  const tmat2d& I2M() const { return view_.I2M(); }
  const TEditView& View() const { return view_; }
  TDPoint ImageToModel(double x, double y) const;
  int PlayWidth() const;
  int PlayHeight() const;
  // The whole play field: background in the colour of cbackground, then the maze with its
  // corner handles. Draws nothing without a surface or while it is not showing.
  void Redraw();

  // --- zoom and pan (gx_editzoom.cpp) -------------------------------------------------------
  // Neither part of the collection nor a step: the view changes no byte and is forgotten when
  // the editor closes. Showing another maze shows it in the design view when it fits there,
  // else fitted. Ignored while a drag is under way (its preview is in pixels of the view).
  // The wheel at screen pixel (X, Y): `steps` zoom levels (positive: closer) about the model
  // point under the pointer.
  void ZoomAt(int X, int Y, int steps);
  void mmZoomInClick();  // one level, about the middle of the field
  void mmZoomOutClick();
  void mmFitMazeClick();     // the whole maze with a small margin
  void mmDesignViewClick();  // 5.1 model units across the shorter side, origin in the middle
  // Panning (the middle button, or Space with the left one): the picture follows the mouse
  // from the press to the release. A press of a gesture while panning is ignored, and the
  // other way round.
  void BeginPan(int X, int Y);
  void PanTo(int X, int Y);
  void EndPan(int X, int Y);
  bool Panning() const { return panning_; }

  // --- the snapping grid (gx_editgrid.cpp) -------------------------------------------------
  // View state, like the view matrix: neither part of the collection nor a step. While it is
  // on, Redraw draws the grid faintly, and the centre of a new polygon, gear or
  // ball, a dragged corner, ball or reference point, and the grabbed corner of a moved polygon
  // land on grid points: whole multiples of the step in model units, counted from the model
  // origin. While it is off, every gesture gives exactly what it gives without a grid.
  // The grid lies over the background and the fills but under the outlines, handles and
  // balls: in many mazes the room the rocket flies in is itself a filled polygon.
  static constexpr double kGridStepDefault = 0.1;  // 51 steps across the shorter side
  static constexpr double kMinGridStep = 0.01;
  static constexpr double kMaxGridStep = 1.0;
  // Grid lines closer than this many pixels are not drawn (the snapping goes on).
  static constexpr int kMinGridPixels = 5;
  bool GridOn() const { return grid_on_; }
  void SetGridOn(bool on);
  void mmGridClick() { SetGridOn(!grid_on_); }
  double GridStep() const { return grid_step_; }
  // Brought into kMinGridStep .. kMaxGridStep and to whole millionths, so that the grid points
  // are the doubles nearest to their decimal values; a value that is not a number is ignored.
  void SetGridStep(double step);
  // The grid point nearest to p for a step (p as it is when not finite).
  static TDPoint GridPoint(const TDPoint& p, double step);
  // GridPoint(p) while the grid is on; p itself, bit for bit, while it is off.
  TDPoint SnapToGrid(const TDPoint& p) const;
  // Faint on the background the play field shows: a little lighter on dark backgrounds, a
  // little darker on light ones.
  TColor GridColor() const;

  // --- what the window shows ----------------------------------------------------------------
  const TEditControls& Controls() const { return FControls; }
  const std::string& Caption() const { return FCaption; }
  const std::vector<TMazeComboItem>& MazeComboItems() const { return FComboItems; }
  int MazeComboIndex() const { return FComboIndex; }  // -1: none
  // The text the document last put into the name field (it does not echo typing back).
  const std::string& MazeNameText() const { return FMazeNameText; }
  bool ToolDown(TEditTool t) const;
  // The transform tab strip: one tab per transform of the current polygon.
  bool TrafTabsVisible() const { return !FTrafTabs.empty(); }
  int TrafTabCount() const { return static_cast<int>(FTrafTabs.size()); }
  int TrafTabIcon(int i) const;  // -1: none
  TTransform* TrafTabTraf(int i) const;
  int TrafTabIndex() const { return FTrafTabIndex; }
  // The transform of the selected tab (the one its frame edits), or null.
  TTransform* SelectedTraf() const;

  // --- property controls (each edits the collection through the gate) ----------------------
  void MazeComboSelect(int item);  // the drop-down closed on item
  // Typed text (UTF-8) that a name can be: the file holds Windows-1252 only and writes "?"
  // for the rest, so the name field refuses what it lacks. A change to text that does not fit
  // is ignored.
  static bool NameFitsFile(const std::string& text);
  void eMazenameChange(const std::string& text);
  void eMazenameExit(const std::string& text);  // the name field lost the focus
  void cbackgroundChange(TColor c);
  void clineChange(TColor c);
  void cFillChange(TColor c);
  void cbFillClick(bool checked);
  void lwidthChange(int n);  // spin button clicked, or the field left
  void eHarmlessClick(bool checked);
  void cLandChange(TColor c);
  void ePolNChange(int n);
  void TrafTabChange(int index);  // the user selected a tab
  // A frame changed its transform: the picture is drawn anew.
  void TrafChanged();

  // --- commands -----------------------------------------------------------------------------
  void sNewMazeClick();
  void sInsPointClick();
  void sLandClick();
  void DeleteSelection(bool shift);
  void sdelballsClick();
  void sAutoRotClick();
  void sAutoSizeClick();
  void sAutoTransClick();
  void AttachTraf(std::unique_ptr<TTransform> t);
  void DetachTraf(TTransform* t);
  void NudgeSelection(int dx, int dy, bool shift);
  // PgUp / PgDn: the current polygon swaps places with the next / previous one.
  void RaisePolOrder();
  void LowerPolOrder();
  // Tool toggles and the drag radio group.
  void sPolClick() { SetAddPol(!FAddPol); }
  void sGearClick() { SetAddGear(!FAddGear); }
  void sBallClick() { SetDoBall(!FDoBall); }
  void mmDragClick() { SetDragType(dt_translate); }
  void mmSizeClick() { SetDragType(FDragType == dt_size ? dt_translate : dt_size); }
  void mmRotateClick() { SetDragType(FDragType == dt_rotate ? dt_translate : dt_rotate); }
  // A form-level key (arrows, PgUp, PgDn, Del); true when it was one. The play field is
  // redrawn afterwards.
  bool FormKeyDown(TEditKey key, bool shift);

  // --- test play (gx_edittestplay.cpp) -----------------------------------------------------
  // A new maze read from the current maze's clean record: what a saved file would play.
  std::unique_ptr<TMaze> TestPlayCopy();
  // F5: plays that copy through the test-play service and returns when the test ends. A drag
  // under way is dropped first; the collection, the selection and the view stay as they are,
  // and no step is made. An error (the service's) is shown, not raised.
  void TestPlayClick();

  // --- the animation frames' edits (gx_editanim.cpp) ---------------------------------------
  // Each edit is one step touching the polygon of the current maze that carries t; none when
  // no polygon there carries t, or when the value stays as it is.
  // The period as the frames show it, in whole seconds of the maze's tick unit.
  int TrafPeriodSeconds(const TTransform& t) const;
  // A period typed or spun, in seconds (brought into 1 .. 32767).
  void SetTrafPeriodSeconds(TTransform* t, int seconds);
  // The time-path buttons: sinusoidal or linear.
  void SetTrafSinusoidal(TTransform* t, bool sinusoidal);
  // Swing of a rotation; the time path becomes the default path of the new motion.
  void SetTrafSwing(TTransform* t, bool swing);
  void SetRotCw(TRotate* r, bool cw);
  // The text a frame's field shows for t.
  std::string TrafFieldText(const TTransform& t, TTrafField f) const;
  // Text typed into a frame's field: when it reads completely (a whole number of seconds in
  // 1 .. 32767 for Period, a decimal number with the point for the others; angles in
  // degrees) the transform takes it. True when it read.
  bool TrafFieldEdit(TTransform* t, TTrafField f, const std::string& text);
  // Center: the reference point := the mean of the corners of the polygon carrying t.
  void CenterTraf(TTransform* t);
  // The time-path editor. A corner inserted into t's time path on the first of its edges that
  // passes near the centre of r (path coordinates): its index, or -1 when none took one.
  int InsertTimePathCorner(TTransform* t, const TDRect& r);
  // Inner corner `index` of t's time path moved to (x, y), kept between its neighbours' times
  // and within the values 0 .. 1; the first and last corners do not move. finishes_insert: the
  // drag began by inserting this corner (InsertTimePathCorner), and a history keeps the two as
  // one step.
  void MoveTimePathCorner(TTransform* t, int index, double x, double y,
                          bool finishes_insert = false);
  // The index in the current maze of the polygon that carries t, or -1.
  int TrafOwnerIndex(const TTransform* t) const;

  // --- the list of mazes --------------------------------------------------------------------
  // Appends m to the collection and the maze selector and shows it (step `step`).
  TMaze* AddMaze(std::unique_ptr<TMaze> m, const std::string& step);
  // Appends the mazes in one step and shows the first of them; null when there are none.
  TMaze* AddMazes(std::vector<std::unique_ptr<TMaze>> mazes, const std::string& step);
  // Removes m from the collection and frees it; the selection lets go of it first, and the
  // maze then at m's index (or the last one) is shown when m was. Step "Delete Maze".
  void RemoveMaze(TMaze* m);

  // --- maze files (gx_editfiles.cpp) ---------------------------------------------------------
  // Import: a maze file (".mze") or a collection file (".cav") chosen in an open dialog; its
  // mazes are appended and the first is shown, or, on any fault, "Error" names the file and the
  // reader's message and nothing is added. Export: the current maze's clean record, written
  // safely to a file chosen in a save dialog (an existing file only after Yes). Delete: the
  // current maze after Yes, refused for the only maze of the collection.
  void mmImportClick();
  void mmExportClick();
  void mmDeleteClick();
  static constexpr const char* kImportFilter =
      "Maze file (*.mze)|*.mze|Mazelist files (*.cav)|*.cav";
  static constexpr const char* kExportFilter = "Maze file (*.mze)|*.mze";
  static constexpr const char* kMazeFileExt = "*.mze";
  // The folder where both dialogs start (the collection file's); empty: the working directory.
  void SetFileFolder(std::string dir) { FFileFolder = std::move(dir); }
  const std::string& FileFolder() const { return FFileFolder; }

  // --- the play field's mouse (gx_editgesture.cpp) -----------------------------------------
  // (X, Y): pixels of the play field, y downward; the button does not matter. A press picks a
  // corner (or inserts one on an edge), a ball or a reference point and starts dragging it, or
  // places what a creation tool makes; while a drag is under way only its preview is drawn
  // (in an XOR pen mode, so that drawing it again erases it), and the release changes the
  // collection in one step and redraws. A press during a drag is ignored; moves outside the
  // play field are not followed, and a release there counts as one at the last point inside.
  // Anything else that changes the collection or the selection drops a drag under way first.
  void PlayFieldMouseDown(bool shift, int X, int Y);
  void PlayFieldMouseMove(bool shift, int X, int Y);
  void PlayFieldMouseUp(bool shift, int X, int Y);
  bool Dragging() const { return FDrag; }
  // Ends a drag under way as a release at the last point seen inside the play field would (for
  // a release the window never got).
  void EndDrag();
  // The cursor for the mouse at (X, Y): what a press there would do, or while dragging what
  // the drag does. Changes nothing in the collection.
  TEditCursor CursorAt(bool shift, int X, int Y);

  // Picks, at image point (X, y) (y upward, y = height - Y). The pick square reaches
  // PickTolerance() pixels to either side: ScaleToScreen(3).
  static int PickTolerance();
  TDRect PickRect(int X, int y) const;
  // The first corner in the square (polygons and corners in list order); else a new corner on
  // the first edge near enough to the square's centre, inserted in a step "Insert Point".
  bool PickCorner(int X, int y, TPolygon*& p, int& index);
  bool PickBall(int X, int y, TBall*& b) const;
  // A translation answers for its end point too: end tells whether that was hit. The
  // translation is left addressing its start point, as saving and the frames expect.
  bool PickRefPoint(int X, int y, TPolygon*& p, TTransform*& t, bool& end);
  // New shapes at model point (x, y), not yet in the maze, in the colours of the controls:
  // a regular n-gon of radius 50 pixels, a gear of n teeth between 50 and 66.7 pixels.
  std::unique_ptr<TPolygon> CreateRegularPolygon(int n, double x, double y) const;
  std::unique_ptr<TPolygon> CreateGear(int n, double x, double y) const;
  // The drag under way, for tests: the screen points taking part, the drag matrix and the
  // centre of a polygon drag.
  const std::vector<TDPoint>& DragPoints() const { return FP; }
  const tmat2d& DragMat() const { return FDragMat; }
  TPoint DragRefPoint() const { return FPRefPoint; }

  // --- closing (gx_editclose.cpp) -------------------------------------------------------------
  // The closing rule. OK: refused with a message while the maze is named "<no name>"; else the
  // selection's own colours go back and every corner of the current maze gets a definite
  // colour. Cancel: when the collection differs from its opening state, asks whether to
  // discard the changes (Yes restores the opening records exactly, No keeps the editor
  // open); otherwise closes at once. True when the editor may close; it is closed then.
  bool CloseQuery(bool ok);
  // For a window that ends without its closing rule: the collection is left as at opening
  // when it changed (nobody confirmed the edits), else just without highlights.
  void Abandon();
  bool Closed() const { return closed_; }
  // The collection was put back to its opening records (its maze objects were replaced).
  bool Restored() const { return restored_; }
  // The maze that was at index i when the collection was set, as it is now: the same object,
  // its replacement after a restore, or null when it was removed.
  TMaze* OpeningMaze(int i) const;
  // True while that maze is still the very object it was at opening.
  bool OpeningMazeKept(int i) const;
  // The collection differs from its opening state, leaving out what is not an edit: the view
  // matrix, the highlights and animation state that a reset puts back.
  bool DiffersFromOpening();

  // --- clean records (gx_editclose.cpp) -----------------------------------------------------
  // While it lives the model holds no editor artefacts: the selected polygon, corner and ball
  // have their own colours and the mazes the editor showed their own (identity) matrix.
  class TCleanRecords {
   public:
    explicit TCleanRecords(TEditDocument& doc);
    ~TCleanRecords();
    TCleanRecords(const TCleanRecords&) = delete;
    TCleanRecords& operator=(const TCleanRecords&) = delete;

   private:
    TEditDocument& doc_;
    TColor pol_ = 0, side_ = 0, ball_ = 0;
    std::vector<std::pair<TMaze*, tmat2d>> views_;
  };
  // The text record of one maze, or the whole collection, without editor artefacts.
  std::string CleanRecord(TMaze& m);
  std::string CleanCollection();

  // --- undo and redo (gx_editrestore.cpp) ---------------------------------------------------
  // Puts the parts a step touched back as they were before it (undo: the parts in reverse
  // order) or after it (redo). Not a step itself: the observer hears nothing. A drag under way
  // is dropped and the selection lets go first; then the step's maze is shown (not reset: a
  // reset would change animation state the records hold) with the changed polygon, corner or
  // ball selected where it still exists, else what was selected at that side of the step.
  // Everything the window shows is announced, the transform tabs and a redraw included.
  void PutBack(const TStepRecords& records, bool undo);

  // --- the gate -----------------------------------------------------------------------------
  bool Modified() const { return step_count_ > 0; }
  int StepCount() const { return step_count_; }
  // The step open now, or the last one completed.
  const TEditStepInfo& LastStep() const { return step_; }
  bool StepOpen() const { return step_open_; }
  int MazeIndex(const TMaze* m) const;
  int PolygonIndex(const TPolygon* p) const;  // in the current maze
  int BallIndex(const TBall* b) const;        // in the current maze
  // The selection points only at live objects of the current maze (for tests).
  bool SelectionValid() const;

 private:
  friend class TEditStep;
  friend class TCleanRecords;
  class TBatch;

  void BeginStep(TEditStepInfo info);
  // SetMaze, with or without the reset of the maze's animation state.
  void ShowMaze(TMaze* m, bool reset);
  // One part of a step put back: from one record to the other (gx_editrestore.cpp).
  void PutPart(const TTouched& t, const std::optional<std::string>& from,
               const std::optional<std::string>& to);
  void EndStep();
  void Notify(TEditAspects what);
  void Flush();
  void RebuildTrafTabs();
  void FillMazeCombo();
  void UpdateCaption();
  void SelectComboFor(const TMaze* m);
  void ForgetShown(const TMaze* m);
  // The colour a corner goes back to when it stops being the current one.
  void RestoreSideColor();
  void ToggleTraf(int kind);
  void DeleteBall();
  void DeleteCorner(bool shift);
  void NormaliseCornerColors();
  void ReleaseSelection();
  void RestoreOpening();
  // The gestures (gx_editgesture.cpp).
  enum class TDragKind : std::uint8_t { None, Corner, Polygon, Size, Rotate, Ball, RefPoint };
  TDPoint ScreenOf(const TPolygon& p, const TSide& s) const;
  void CapturePolygon();
  void BeginCornerDrag(int i);
  void StartDrag(TDragKind kind);
  void DrawDragImage();
  void DrawBallImage();
  void DrawRefCross(const TDPoint& at);
  void DrawPreview();  // the preview of the drag under way, once (a second time erases it)
  void ShowPreview();
  void ErasePreview();
  void SizeStep(int X);
  void RotationStep(int Y);
  void CenterDragMatrix();
  void FinishDrag(int X, int Y);
  void FinishPolygonDrag(TDragKind kind, int X, int Y);
  // Drops a drag under way: its preview is erased and nothing changes.
  void CancelDrag();
  void CleanAfterDrag();
  void ReadRefPoint(TDPoint& at) const;
  bool PlaceShape(int X, int y);
  // The view changed: the picture anew, and the window told.
  void ViewChanged();
  // The grid (gx_editgrid.cpp): the maze, the grid lines, then the maze again without its
  // background and fills.
  void DrawMazeOnGrid(TCanvas& cv, const TControl& f);
  // The model point of the screen pixel (X, Y), on the grid while it is on.
  TDPoint DragTarget(int X, int Y) const;
  // A polygon drag on the grid: how far (model units) the polygon moves for the mouse at
  // (X, Y), so that its grabbed corner lands on a grid point (that point into *target).
  TDPoint GridShift(int X, int Y, TDPoint* target = nullptr) const;
  // Its release: every corner shifted, the grabbed one put on its very grid point.
  void FinishGridPolygonDrag(int polygonIndex, int X, int Y);

  TDialogService& dialogs_;
  TEditSurface* surface_ = nullptr;
  std::vector<TEditListener*> listeners_;
  TEditStepObserver* observer_ = nullptr;
  TTestPlayService* test_play_ = nullptr;

  TDragType FDragType = dt_translate;
  TSide* FSide = nullptr;
  TColor FSideColor = 0;
  TPolygon* FPolygon = nullptr;
  TTransform* FTraf = nullptr;
  TColor FPolColor = 0;
  TBall* FBall = nullptr;
  TColor FBallColor = 0;
  TMaze* FMaze = nullptr;
  TMazeList* FMazeList = nullptr;
  TEditView view_;
  bool panning_ = false;
  TPoint pan_at_;  // the screen pixel the pan last went to
  bool FDoBall = false;
  bool FDoTraf = false;
  bool FAddPol = false;
  bool FAddGear = false;
  bool FBallSel = false;
  // The drag under way: the design's fields, and what the drag was started as (the tools may
  // change under it), on what, at which size of the play field, and how its preview stands.
  std::vector<TDPoint> FP;
  TPoint FPRefPoint;
  TPoint FPrevPoint;
  TPoint FOrgPoint;
  tmat2d FDragMat;
  bool FDrag = false;
  bool FDragPolygon = false;
  TDragKind drag_kind_ = TDragKind::None;
  int drag_corner_ = -1;  // the corner dragged, or grabbed when the whole polygon moves
  bool drag_edge_in_ = true, drag_edge_out_ = true;  // the corner's edges that exist
  TColor drag_color_ = 0;
  bool drag_open_ = false;
  TBall* drag_ball_ = nullptr;
  tmat2d ball_view_;        // the matrix the ball's preview is drawn through
  TDPoint ref_at_;          // the reference point the cross shows
  tmat2d ref_view_;         // and the matrix it goes through
  bool drag_ref2_ = false;  // a translation's end point is being dragged
  int drag_w_ = 0, drag_h_ = 0;
  bool preview_shown_ = false;
  bool grid_on_ = false;
  double grid_step_ = kGridStepDefault;

  TEditControls FControls;
  std::string FCaption = "Edit maze";
  std::string FVersion;
  std::vector<TMazeComboItem> FComboItems;
  int FComboIndex = -1;
  std::string FMazeNameText;
  std::vector<TTransform*> FTrafTabs;
  int FTrafTabIndex = 0;
  std::string FFileFolder;

  // Mazes whose matrix holds the view matrix (the editor reset them, so their own is the
  // identity).
  std::vector<TMaze*> shown_;

  // The opening state: each maze's record and object as they were when the collection was set.
  std::vector<std::string> open_records_;
  std::vector<TMaze*> open_mazes_;  // null once removed
  std::vector<bool> open_kept_;
  bool closed_ = false;
  bool restored_ = false;

  TEditStepInfo step_;
  bool step_open_ = false;
  // The next step finishes the gesture of the step before it (see TEditStepInfo::continues).
  bool continues_gesture_ = false;
  // The drag under way began by putting a corner on an edge.
  bool drag_inserted_ = false;
  int step_count_ = 0;
  int batch_depth_ = 0;
  TEditAspects pending_ = 0;
};

// Groups the announcements of one command: listeners hear once, when the outermost batch ends.
class TEditDocument::TBatch {
 public:
  explicit TBatch(TEditDocument& doc) : doc_(doc) { ++doc_.batch_depth_; }
  ~TBatch() {
    if (--doc_.batch_depth_ == 0) doc_.Flush();
  }
  TBatch(const TBatch&) = delete;
  TBatch& operator=(const TBatch&) = delete;

 private:
  TEditDocument& doc_;
};
