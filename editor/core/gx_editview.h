#pragma once
// TEditView: how the editor's play field looks at the maze.
//
// The view keeps the two matrices between model units and play-field pixels (image
// coordinates: y up, origin at the field's lower left corner), the zoom and the pan. The
// design view shows 5.1 model units across the field's shorter side with the model origin in
// the middle; the zoom multiplies that scale (1/16 .. 16) and the pan shifts the picture by
// pixels. At zoom 1 without pan the matrices are the design view's to the last bit.
//
// The view is not part of the maze: nothing here touches the collection. What it shows when
// the field changes its size depends on how it was set: the design view stays the design
// view, a fitted view is fitted again, a view the user zoomed or panned keeps its scale and
// the model point in the middle of the field. A view that chooses for itself (Auto, as a
// maze is shown) takes the design view when the maze fits in it, else fits the maze.
#include <cstdint>
#include <optional>

#include "qor_matrix.h"

class TMaze;

class TEditView {
 public:
  // Model units across the shorter side of the field in the design view.
  static constexpr double kDesignSpan = 5.1;
  static constexpr double kMinZoom = 1.0 / 16;
  static constexpr double kMaxZoom = 16;
  // Zoom In and Out and each notch of the wheel go from one level to the next; the levels are
  // the powers of 2^(1/4), so four steps double the scale and zoom 1 is one of them.
  static constexpr int kLevelsPerDoubling = 4;
  // Fit Maze leaves this share of the field free on each side.
  static constexpr double kFitMargin = 0.05;

  enum class TMode : std::uint8_t { Auto, Design, Fit, Free };

  TEditView();

  // The field's client size in pixels (a size below one pixel counts as one) and, for a view
  // that fits, the maze it fits (null: none). A fitting view fits again when the size differs
  // from the last one or a new maze was asked for (ShowAuto, FitMaze).
  void Layout(int width, int height, const TMaze* maze);
  int Width() const { return w_; }
  int Height() const { return h_; }

  const tmat2d& M2I() const { return m2i_; }
  const tmat2d& I2M() const { return i2m_; }
  TDPoint ImageToModel(double x, double y) const;
  TDPoint ModelToImage(double x, double y) const;
  // The design view of a field of this size.
  TEditView Design() const;
  // Pixels per model unit in the design view for the current size, and now.
  double DesignScale() const;
  double Scale() const { return m2i_.mat[0][0]; }
  double Zoom() const { return zoom_; }
  // The zoom as the editor shows it: a whole number of percent.
  int ZoomPercent() const;
  TMode Mode() const { return mode_; }
  bool IsDesignView() const { return zoom_ == 1 && cx_ == 0 && cy_ == 0; }

  // Chooses at the next Layout: the design view when the maze fits in it, else fitted.
  void ShowAuto();
  void ShowDesign();
  // Fits at the next Layout (the whole maze with a margin; the design view without a maze or
  // with nothing in it).
  void FitMaze();
  // Zooms by `steps` levels (positive: closer) about the image point (x, y), which keeps the
  // model point under it. False when the zoom stays (at its limit, or steps is 0).
  bool ZoomAbout(int steps, double x, double y);
  // The zoom set directly (brought into kMinZoom .. kMaxZoom) about the image point (x, y).
  bool SetZoomAbout(double zoom, double x, double y);
  // The picture moves by (dx, dy) image pixels (y up). False when dx and dy are 0.
  bool PanBy(double dx, double dy);

  // Everything the maze shows and the editor can pick: the corners of its polygons (through
  // their own matrices), its balls with their size, and the reference points of its
  // animations, both ends of a translation. None for a maze without any of them.
  static std::optional<TDRect> MazeExtents(const TMaze& m);
  // True when r lies within the field in the design view.
  bool FitsDesignView(const TDRect& r) const;

 private:
  void Choose(const TMaze* maze);
  void Fit(const TDRect& r);
  void Update();

  int w_ = 1, h_ = 1;
  double zoom_ = 1;
  // The model point in the middle of the field.
  double cx_ = 0, cy_ = 0;
  TMode mode_ = TMode::Design;
  bool pending_ = false;  // Auto or Fit chooses again at the next Layout
  tmat2d m2i_;
  tmat2d i2m_;
};
