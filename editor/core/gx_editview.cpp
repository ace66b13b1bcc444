#include "gx_editview.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {

constexpr int kMinLevel = -4 * TEditView::kLevelsPerDoubling;  // 1/16
constexpr int kMaxLevel = 4 * TEditView::kLevelsPerDoubling;   // 16

double LevelZoom(int level) {
  // exp2 of a whole number is exact, so zoom 1 (and 2, 4, ...) is exactly what it says.
  return std::exp2(static_cast<double>(level) / TEditView::kLevelsPerDoubling);
}

class TExtents {
 public:
  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (!any_) {
      r_ = TDRect{x, x, y, y};
      any_ = true;
      return;
    }
    r_.x1 = std::min(r_.x1, x);
    r_.x2 = std::max(r_.x2, x);
    r_.y1 = std::min(r_.y1, y);
    r_.y2 = std::max(r_.y2, y);
  }
  std::optional<TDRect> Result() const { return any_ ? std::optional<TDRect>(r_) : std::nullopt; }

 private:
  TDRect r_;
  bool any_ = false;
};

}  // namespace

TEditView::TEditView() {
  Update();
}

void TEditView::Layout(int width, int height, const TMaze* maze) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  const bool resized = width != w_ || height != h_;
  w_ = width;
  h_ = height;
  if ((mode_ == TMode::Auto || mode_ == TMode::Fit) && (resized || pending_)) Choose(maze);
  pending_ = false;
  Update();
}

TEditView TEditView::Design() const {
  TEditView v;
  v.Layout(w_, h_, nullptr);
  return v;
}

double TEditView::DesignScale() const {
  // A field squeezed to nothing still gets a scale: one pixel is the least it counts.
  const double cw = w_, ch = h_;
  return std::min(cw / kDesignSpan, ch / kDesignSpan);
}

void TEditView::Update() {
  const double cw = w_, ch = h_;
  const double s = DesignScale() * zoom_;
  // With zoom 1 and the model origin in the middle these are the design view's very numbers.
  m2i_.reset();
  m2i_.mat[0][0] = s;
  m2i_.mat[0][2] = cw / 2 - s * cx_;
  m2i_.mat[1][1] = s;
  m2i_.mat[1][2] = ch / 2 - s * cy_;
  i2m_.reset();
  i2m_.mat[0][0] = 1 / s;
  i2m_.mat[0][2] = (-cw / 2) / s + cx_;
  i2m_.mat[1][1] = 1 / s;
  i2m_.mat[1][2] = (-ch / 2) / s + cy_;
}

TDPoint TEditView::ImageToModel(double x, double y) const {
  i2m_.Transform(x, y);
  return TDPoint{x, y};
}

TDPoint TEditView::ModelToImage(double x, double y) const {
  m2i_.Transform(x, y);
  return TDPoint{x, y};
}

int TEditView::ZoomPercent() const {
  return static_cast<int>(std::lround(zoom_ * 100));
}

void TEditView::ShowAuto() {
  mode_ = TMode::Auto;
  pending_ = true;
}

void TEditView::ShowDesign() {
  mode_ = TMode::Design;
  pending_ = false;
  zoom_ = 1;
  cx_ = cy_ = 0;
  Update();
}

void TEditView::FitMaze() {
  mode_ = TMode::Fit;
  pending_ = true;
}

bool TEditView::SetZoomAbout(double zoom, double x, double y) {
  if (!std::isfinite(zoom) || !std::isfinite(x) || !std::isfinite(y)) return false;
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return false;
  // The model point under (x, y) stays there; about the middle of the field that is the
  // centre itself, kept as it is (so that zooming in and out again gives the view back).
  const double s = DesignScale() * zoom;
  if (x != w_ / 2.0 || y != h_ / 2.0) {
    const TDPoint p = ImageToModel(x, y);
    cx_ = p.x - (x - w_ / 2.0) / s;
    cy_ = p.y - (y - h_ / 2.0) / s;
  }
  zoom_ = zoom;
  mode_ = TMode::Free;
  pending_ = false;
  Update();
  return true;
}

bool TEditView::ZoomAbout(int steps, double x, double y) {
  if (steps == 0) return false;
  // From a zoom between two levels (a fitted one) the first step goes to the next level.
  const double at = std::log2(zoom_) * kLevelsPerDoubling;
  const double nearest = std::round(at);
  long target;
  if (std::fabs(at - nearest) < 1e-6) {
    target = static_cast<long>(nearest) + steps;
  } else if (steps > 0) {
    target = static_cast<long>(std::ceil(at)) + steps - 1;
  } else {
    target = static_cast<long>(std::floor(at)) + steps + 1;
  }
  target = std::clamp<long>(target, kMinLevel, kMaxLevel);
  return SetZoomAbout(LevelZoom(static_cast<int>(target)), x, y);
}

bool TEditView::PanBy(double dx, double dy) {
  if ((dx == 0 && dy == 0) || !std::isfinite(dx) || !std::isfinite(dy)) return false;
  const double s = Scale();
  cx_ -= dx / s;
  cy_ -= dy / s;
  mode_ = TMode::Free;
  pending_ = false;
  Update();
  return true;
}

std::optional<TDRect> TEditView::MazeExtents(const TMaze& m) {
  TExtents e;
  for (int i = 0; i < m.Count(); ++i) {
    const TPolygon& p = *m.GetPolygon(i);
    const auto add = [&](double x, double y) {
      p.matrix.Transform(x, y);
      e.Add(x, y);
    };
    for (int k = 0; k < p.Count(); ++k) add(p.GetSide(k)->x(), p.GetSide(k)->y());
    const TTrafList& t = *p.TrafList();
    for (int k = 0; k < t.Count(); ++k) {
      const TTransform& r = *t.GetTraf(k);
      add(r.refpt.x, r.refpt.y);
      if (const auto* tr = dynamic_cast<const TTrans*>(&r)) {
        add(r.refpt.x + tr->x1, r.refpt.y + tr->y1);
      }
    }
  }
  const TBallList& balls = *m.balllist;
  for (int i = 0; i < balls.Count(); ++i) {
    const TBall& b = *balls.GetBall(i);
    const double r = std::fabs(b.Size());
    e.Add(b.CenterX() - r, b.CenterY() - r);
    e.Add(b.CenterX() + r, b.CenterY() + r);
  }
  return e.Result();
}

bool TEditView::FitsDesignView(const TDRect& r) const {
  const double s = DesignScale();
  // What lies on the field's very edge still counts as inside.
  const double hw = w_ / 2.0 / s * (1 + 1e-12), hh = h_ / 2.0 / s * (1 + 1e-12);
  return std::min(r.x1, r.x2) >= -hw && std::max(r.x1, r.x2) <= hw && std::min(r.y1, r.y2) >= -hh &&
         std::max(r.y1, r.y2) <= hh;
}

void TEditView::Choose(const TMaze* maze) {
  const std::optional<TDRect> r = maze ? MazeExtents(*maze) : std::nullopt;
  if (!r || (mode_ == TMode::Auto && FitsDesignView(*r))) {
    zoom_ = 1;
    cx_ = cy_ = 0;
    return;
  }
  Fit(*r);
}

void TEditView::Fit(const TDRect& r) {
  const double rw = std::fabs(r.x2 - r.x1), rh = std::fabs(r.y2 - r.y1);
  const double free = 1 - 2 * kFitMargin;
  constexpr double kNone = std::numeric_limits<double>::infinity();
  const double sx = rw > 0 ? free * w_ / rw : kNone;
  const double sy = rh > 0 ? free * h_ / rh : kNone;
  const double s = std::min(sx, sy);
  // A single point is shown at the design's scale.
  zoom_ = std::isfinite(s) ? std::clamp(s / DesignScale(), kMinZoom, kMaxZoom) : 1;
  cx_ = (r.x1 + r.x2) / 2;
  cy_ = (r.y1 + r.y2) / 2;
}
