// Zoom and pan: how the play field looks at the maze. None of it is an edit: the collection,
// the selection and the history stay as they are; only the view (and with it the maze's
// drawing matrix, which the clean records leave out) changes.
#include "gx_editdoc.h"

void TEditDocument::ViewChanged() {
  TBatch batch(*this);
  Redraw();
  Notify(ea_View);
}

void TEditDocument::ZoomAt(int X, int Y, int steps) {
  if (FDrag || closed_) return;
  MakeViewMatrices();
  // The model point of the pixel under the pointer, as the gestures take it.
  if (view_.ZoomAbout(steps, X, PlayHeight() - Y)) ViewChanged();
}

void TEditDocument::mmZoomInClick() {
  if (FDrag || closed_) return;
  MakeViewMatrices();
  if (view_.ZoomAbout(1, view_.Width() / 2.0, view_.Height() / 2.0)) ViewChanged();
}

void TEditDocument::mmZoomOutClick() {
  if (FDrag || closed_) return;
  MakeViewMatrices();
  if (view_.ZoomAbout(-1, view_.Width() / 2.0, view_.Height() / 2.0)) ViewChanged();
}

void TEditDocument::mmFitMazeClick() {
  if (FDrag || closed_) return;
  view_.FitMaze();
  ViewChanged();
}

void TEditDocument::mmDesignViewClick() {
  if (FDrag || closed_) return;
  view_.ShowDesign();
  ViewChanged();
}

void TEditDocument::BeginPan(int X, int Y) {
  if (FDrag || panning_ || closed_) return;
  MakeViewMatrices();
  panning_ = true;
  pan_at_ = TPoint{X, Y};
}

void TEditDocument::PanTo(int X, int Y) {
  if (!panning_) return;
  MakeViewMatrices();
  // Screen y runs down, image y up.
  const bool moved = view_.PanBy(X - pan_at_.X, pan_at_.Y - Y);
  pan_at_ = TPoint{X, Y};
  if (moved) ViewChanged();
}

void TEditDocument::EndPan(int X, int Y) {
  if (!panning_) return;
  PanTo(X, Y);
  panning_ = false;
}
