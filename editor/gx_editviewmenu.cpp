// The editor window's View menu and the zoom shown in the left column.
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "gx_edit.h"

void TEditMaze::BuildViewMenu() {
  using D = TEditDocument;
  QMenu* view = MainMenu->addMenu(QStringLiteral("&View"));
  mmZoomIn = Action("Zoom &In", "Ctrl++", -1, false, &D::mmZoomInClick);
  // Ctrl+= as well: the same key without Shift on many keyboards.
  mmZoomIn->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
  mmZoomOut = Action("Zoom &Out", "Ctrl+-", -1, false, &D::mmZoomOutClick);
  mmFitMaze = Action("&Fit Maze", "Ctrl+0", -1, false, &D::mmFitMazeClick);
  mmDesignView = Action("&Design View", "Ctrl+1", -1, false, &D::mmDesignViewClick);
  view->addActions({mmZoomIn, mmZoomOut});
  view->addSeparator();
  view->addActions({mmFitMaze, mmDesignView});
}

void TEditMaze::SyncZoom() {
  lZoom->setText(QStringLiteral("Zoom %1 %").arg(Document().View().ZoomPercent()));
}
