#pragma once
// TEditMaze: the maze editor's window, a maximised modal dialog.
//
// The window is a thin layer over TEditDocument (editor/core/gx_editdoc.h): its controls,
// menus, tool bar, keys and play field call document operations, and it updates its widgets
// from the document's announcements. It never changes a model object itself. Layout: the
// menu bar (Maze, Edit, Animate) on top; a column of controls on the left (maze selector,
// name, colour boxes, line width, harmless, the two-row tool bar, the corner count, the
// transform tab strip, four help lines and "&Ok"); the play field fills the rest.
//
// Calling order (the main window): create, SetMazeList, SetMaze, run it through the modal
// service, EnsureClosed, then read Maze() (or, after Cancel, Document().OpeningMaze()). The
// collection must outlive the window.
#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>

#include "gx_editdoc.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TAniFrame;
class TColorBox;
class TDialogService;
class TEditHistory;
class TEditPlayField;
class TMaze;
class TMazeList;
class TModalService;
class TTestPlayService;

class TEditMaze : public QDialog, public TEditListener {
  Q_OBJECT

 public:
  TEditMaze(TDialogService& dialogs, TModalService& modals, QWidget* parent = nullptr);
  ~TEditMaze() override;

  // A new collection starts a new undo history.
  void SetMazeList(TMazeList* l);
  void SetMaze(TMaze* m) { doc_->SetMaze(m); }
  TMaze* Maze() const { return doc_->Maze(); }
  TEditDocument& Document() { return *doc_; }
  // The undo history of this session (cleared when the editor closes).
  TEditHistory& History() { return *history_; }
  // Where Test Play (F5) runs the maze (not owned); without one the command is greyed out.
  void SetTestPlayService(TTestPlayService* s);
  // Runs the document's closing rule for a window that ended without it (the modal loop was
  // left from outside): unconfirmed edits are put back (TEditDocument::Abandon).
  void EnsureClosed();

  // The controls, by their names.
  QComboBox* MazeCombo;
  QLineEdit* eMazename;
  TColorBox* cbackground;
  TColorBox* cline;
  QCheckBox* cbFill;
  TColorBox* cFill;
  TColorBox* cLand;
  QSpinBox* lwidth;  // with its spin buttons (ud_lwidth)
  QCheckBox* eHarmless;
  QSpinBox* ePolN;            // with udPolN
  QDoubleSpinBox* eGridStep;  // the snapping grid's step in model units
  QTabWidget* TrafTab;
  QPushButton* bok;
  TEditPlayField* PlayField;
  QMenuBar* MainMenu;
  // Tool buttons, each showing its action.
  QToolButton *sNewMaze, *sPol, *sGear, *sBall, *sInsPoint, *sLand, *sdelballs;
  QToolButton *sTrans, *sSize, *sRot, *sAutoTrans, *sAutoSize, *sAutoRot, *sTestPlay;
  // Menu items (the tool buttons run the same actions).
  QAction *New1, *mmImport, *mmExport, *mmDelete, *mmTestPlay, *mmExit;
  QAction *mmUndo, *mmRedo;  // "Undo <step>" (Ctrl+Z), "Redo <step>" (Ctrl+Shift+Z, Ctrl+Y)
  QAction *mmNewPol, *mmNewGear, *mmNewBall, *mmInsertPoint, *mmLanding, *mmDeletePoint,
      *mmDeletePolygon, *mmClearBalls, *mmDrag, *mmSize, *mmRotate;
  QAction *mmAutoTrans, *mmAutoSize, *mmAutoRot;
  QAction* mmGrid;  // "Snap to Grid"
  // The View menu (gx_editviewmenu.cpp) and the zoom in percent in the left column.
  QAction *mmZoomIn, *mmZoomOut, *mmFitMaze, *mmDesignView;
  QLabel* lZoom;

  // The panel of transform tab i, where the animation frames go (null outside the tabs).
  QWidget* TrafPage(int i) const;
  // The animation frame of the selected tab (null without tabs).
  TAniFrame* TrafFrame() const;

 protected:
  void done(int r) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void EditChanged(TEditAspects what) override;
  void BuildMenus();
  QWidget* BuildColumn();
  QAction* Action(const char* caption, const char* shortcut, int icon, bool checkable,
                  void (TEditDocument::*command)());
  QToolButton* Tool(QAction* action, const char* hint);
  void BuildViewMenu();
  void SyncZoom();
  void SyncMazeList();
  void SyncControls();
  void SyncTools();
  void SyncTrafTabs();
  // The frame of the selected tab's transform: made anew when the tab shows another transform
  // or the tabs were made anew, else filled again from its transform.
  void TrafTabChange(bool rebuilt);
  // The form-level keys; false when the key is not one or a text field has the focus.
  bool FormKey(QWidget* target, int key, Qt::KeyboardModifiers mods);

  std::unique_ptr<TEditDocument> doc_;
  std::unique_ptr<TEditHistory> history_;  // the document's step observer
  TModalService& modals_;
  bool syncing_ = false;  // widgets are being filled from the document: no edits back
  QPointer<TAniFrame> frame_;
};
