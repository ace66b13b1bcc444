#pragma once
// The linear time-path editor without its window: the plot of a transform's time path (axes,
// ticks labelled from the period and from 0.0 to 1.0, the path and its corner marks), picking
// and inserting corners, and dragging an inner corner with an XOR preview, kept between its
// neighbours' times and within the plot's values. It draws through TCanvas and changes the
// path only through the document's gate (InsertTimePathCorner, MoveTimePathCorner), so the
// dialog (editor/gx_editlinear.h) only hands it its canvas, size and mouse.
//
// Coordinates: the plot spans L = 40, T = 10, R = W - 20, B = H - 40 pixels of a W x H client
// (y down); path point (0, 0) is at (L, B), (1, 1) at (R, T).
#include <vector>

#include "canvas.h"
#include "gx_geometry.h"
#include "qor_matrix.h"

class TEditDocument;
class TPolygon;
class TSide;
class TTransform;

class TTimePathEditor {
 public:
  static constexpr int kLeft = 40;
  static constexpr int kTop = 10;
  static constexpr int kRightGap = 20;
  static constexpr int kBottomGap = 40;
  static constexpr TColor kPathColor = 0xFF0000;  // blue
  static constexpr TColor kMarkColor = 0x800000;  // navy

  explicit TTimePathEditor(TEditDocument& doc) : doc_(doc) {}

  // The transform whose time path is edited (not owned; null: none).
  void SetTraf(TTransform* t);
  TTransform* Traf() const { return FTraf; }
  // The transform's time path, read afresh each time (a change of Swing replaces it).
  TPolygon* Linear() const;

  // M2I and I2M for a client of W x H. Painting and every mouse press do this; a plot squeezed
  // below a pixel counts as one pixel.
  void MakeMatrices(int W, int H);
  const tmat2d& M2I() const { return M2I_; }
  const tmat2d& I2M() const { return I2M_; }
  // A path point on the screen (not rounded) and back.
  TDPoint ToScreen(double x, double y) const;
  TDPoint ToPath(double X, double Y) const;

  // The whole picture: the background in the button face colour, then axes, ticks, labels,
  // the path and its corner marks. With a drag under way its preview is drawn again on top, so
  // that the next erase finds it.
  void Paint(TCanvas& cv, int W, int H);

  // A press at pixel (X, Y) of a W x H client: picks the first corner in the 5 x 5 pixels
  // about the point, else inserts a corner on a segment there; an inner corner starts a drag
  // (its preview drawn on cv). True when the path gained a corner (the picture is then to be
  // painted anew once the press ends).
  bool MouseDown(TCanvas& cv, int W, int H, int X, int Y);
  // While dragging: the preview follows the clamped point.
  void MouseMove(TCanvas& cv, int X, int Y);
  // Ends a drag: the preview goes, the corner takes the clamped point. True when a drag ended
  // (the picture is then to be painted anew).
  bool MouseUp(TCanvas& cv, int X, int Y);
  // A drag given up without a release (the window closed): the preview goes.
  void CancelDrag(TCanvas& cv);

  // The mouse point kept within the neighbours' screen times and the plot's top and bottom.
  TPoint Clamp(int X, int Y) const;

  bool Dragging() const { return DoDrag; }
  // A drag was started (or a corner inserted) since the transform was set.
  bool Changed() const { return IsChanged; }
  // The dragged corner's index, or -1.
  int DragIndex() const { return DoDrag ? drag_index_ : -1; }
  // The three screen points of the drag preview.
  const std::vector<TDPoint>& DragPoints() const { return FP; }

 private:
  void DrawDragImage(TCanvas& cv);

  TEditDocument& doc_;
  TTransform* FTraf = nullptr;
  TSide* FSide = nullptr;  // the corner dragged
  tmat2d I2M_;
  tmat2d M2I_;
  std::vector<TDPoint> FP;
  bool DoDrag = false;
  bool IsChanged = false;
  int drag_index_ = -1;
  bool drag_inserted_ = false;  // the drag began by inserting its corner
  int height_ = 0;              // of the client the drag began in
};
