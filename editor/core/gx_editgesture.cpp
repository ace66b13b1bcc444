// The mouse on the play field: picking corners, edges, balls and reference points, dragging
// them with an XOR preview, resizing and turning polygons, and the creation tools.
//
// A drag keeps the model as it is until the release: the preview lives in the document (the
// screen points FP, the drag matrix, the ball's or the cross's position) and is drawn on the
// play field's canvas in an XOR pen mode, so that drawing it a second time erases it. The
// release makes the one step of the drag and redraws the play field.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "colors.h"
#include "gx_ball.h"
#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {

// How far the mouse moves for a size factor of e (right: larger) and for a full turn (up:
// clockwise as seen).
constexpr double kSizePixels = 200;
constexpr double kTurnPixels = 200;
// New shapes: the radius in pixels, and the outer radius of a gear's teeth to the inner one.
constexpr double kShapeRadius = 50;
constexpr double kToothHeight = 4.0 / 3.0;

// Puts the canvas's pen and brush back whatever the preview set.
class TPenScope {
 public:
  explicit TPenScope(TCanvas& cv) : cv_(cv), pen_(cv.Pen), brush_(cv.Brush) {}
  ~TPenScope() {
    cv_.Pen = pen_;
    cv_.Brush = brush_;
  }
  TPenScope(const TPenScope&) = delete;
  TPenScope& operator=(const TPenScope&) = delete;

 private:
  TCanvas& cv_;
  TPen pen_;
  TBrush brush_;
};

class TFrameScope {
 public:
  explicit TFrameScope(TEditSurface& s) : s_(s) { s_.BeginFrame(); }
  ~TFrameScope() { s_.EndFrame(); }
  TFrameScope(const TFrameScope&) = delete;
  TFrameScope& operator=(const TFrameScope&) = delete;

 private:
  TEditSurface& s_;
};

// CleanPoints' rule for corners that coincide: closer than 0.001.
bool Coincide(const TSide& a, const TSide& b) {
  const double dx = a.x() - b.x();
  const double dy = a.y() - b.y();
  return dx * dx + dy * dy < 1e-6;
}

// The corners CleanPoints removes, in the order it removes them, each with the corner it
// coincides with (which stays, unless it is corner 0 and goes last).
struct TMerge {
  int gone;
  int into;
};

std::vector<TMerge> Merges(const TPolygon& p) {
  std::vector<TMerge> merges;
  const int n = p.Count();
  if (n == 0) return merges;
  int kept = 0;
  for (int i = 1; i < n; ++i) {
    if (Coincide(*p.GetSide(i), *p.GetSide(kept))) {
      merges.push_back(TMerge{i, kept});
    } else {
      kept = i;
    }
  }
  const int left = n - static_cast<int>(merges.size());
  if (!p.open && left > 1 && Coincide(*p.GetSide(0), *p.GetSide(kept))) {
    merges.push_back(TMerge{0, kept});
  }
  return merges;
}

}  // namespace

// --- picks --------------------------------------------------------------------------------------

int TEditDocument::PickTolerance() {
  return ScaleToScreen(3);
}

TDRect TEditDocument::PickRect(int X, int y) const {
  const int t = PickTolerance();
  const TDPoint a = ImageToModel(X - t, y - t);
  const TDPoint b = ImageToModel(X + t, y + t);
  return TDRect{a.x, b.x, a.y, b.y};
}

bool TEditDocument::PickCorner(int X, int y, TPolygon*& p, int& index) {
  if (!FMaze) return false;
  const TDRect r = PickRect(X, y);
  TPolygon* q = nullptr;
  int i = -1;
  if (FMaze->PointInRect(r, q, i)) {
    p = q;
    index = i;
    return true;
  }
  // An edge: the polygon is found first, so that the step can name what it changes.
  for (int k = 0; k < FMaze->Count(); ++k) {
    q = FMaze->GetPolygon(k);
    TDPoint at;
    if (!q->FindNewPoint(r, i, at)) continue;
    {
      TEditStep step(*this, "Insert Point", {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), k)});
      q->NewPointInRect(r, i);
      // The polygon's own colour: the current polygon wears its highlight.
      if (q == FPolygon) q->GetSide(i)->color = FPolColor;
    }
    drag_inserted_ = true;
    p = q;
    index = i;
    return true;
  }
  return false;
}

bool TEditDocument::PickBall(int X, int y, TBall*& b) const {
  if (!FMaze) return false;
  const TDPoint m = ImageToModel(X, y);
  TBall* found = nullptr;
  if (!FMaze->PointInBall(m.x, m.y, found)) return false;
  b = found;
  return true;
}

bool TEditDocument::PickRefPoint(int X, int y, TPolygon*& p, TTransform*& t, bool& end) {
  if (!FMaze) return false;
  TPolygon* q = nullptr;
  TTransform* trf = nullptr;
  const bool hit = FMaze->RefPointInRect(PickRect(X, y), q, trf);
  // The translation's pick says which end it hit; the drag remembers it, and the translation
  // goes back to its start point, where saving and the frames expect it.
  bool second = false;
  if (auto* tr = dynamic_cast<TTrans*>(trf)) {
    second = tr->FRef2;
    tr->FRef2 = false;
  }
  if (!hit) return false;
  p = q;
  t = trf;
  end = second;
  return true;
}

// --- new shapes ---------------------------------------------------------------------------------

std::unique_ptr<TPolygon> TEditDocument::CreateRegularPolygon(int n, double x, double y) const {
  n = std::max(n, kMinCorners);
  // The size it has in the design view, wherever the view is.
  const TEditView design = view_.Design();
  const tmat2d& to_model = design.I2M();
  const double rx = kShapeRadius * to_model.mat[0][0];
  const double ry = kShapeRadius * to_model.mat[1][1];
  // A triangle points up, a square has level edges.
  const double a0 = n == 3 ? std::numbers::pi / 2 : n == 4 ? std::numbers::pi / 4 : 0;
  auto q = TPolygon::CreateCircle(x, y, rx, ry, a0, n, FControls.cline);
  q->SetColor(FControls.cline);
  q->fillcolor = FControls.cFill;
  q->fillstyle = FControls.cbFill ? bsSolid : bsClear;
  return q;
}

std::unique_ptr<TPolygon> TEditDocument::CreateGear(int n, double x, double y) const {
  n = std::max(n, 1);
  auto q = std::make_unique<TPolygon>();
  q->SetColor(FControls.cline);
  if (FControls.cFill == clNone) {
    q->fillstyle = bsClear;
  } else {
    q->fillcolor = FControls.cFill;
  }
  const TEditView design = view_.Design();
  const tmat2d& to_model = design.I2M();
  const double rx = kShapeRadius * to_model.mat[0][0];
  const double ry = kShapeRadius * to_model.mat[1][1];
  const double ox = kShapeRadius * kToothHeight * to_model.mat[0][0];
  const double oy = kShapeRadius * kToothHeight * to_model.mat[1][1];
  // Each tooth: a root of m/2, a flank of l, a top land of m, a flank of l, a root of m/2.
  const double pitch = 2 * std::numbers::pi / n;
  const double l = 0.1 * pitch;
  const double m = (pitch - 2 * l) / 2;
  const auto corner = [&](double phi, bool outer) {
    q->AddSide(x + (outer ? ox : rx) * std::cos(phi), y + (outer ? oy : ry) * std::sin(phi),
               st_normal, q->Color());
  };
  for (int o = 0; o < n; ++o) {
    const double theta = -o * pitch;
    corner(theta, false);
    corner(theta - m / 2, false);
    corner(theta - m / 2 - l, true);
    corner(theta - m / 2 - l - m, true);
    corner(theta - m / 2 - l - m - l, false);
  }
  return q;
}

bool TEditDocument::PlaceShape(int X, int y) {
  const TDPoint m = SnapToGrid(ImageToModel(X, y));
  const int mi = MazeIndex(FMaze);
  if (FDoBall) {
    TEditStep step(*this, "New Ball",
                   {TTouched::Of(TTouch::BallAdded, mi, FMaze->balllist->Count())});
    FMaze->AddBall(m.x, m.y, -1);
  } else if (FAddPol || FAddGear) {
    const bool gear = FAddGear;
    std::unique_ptr<TPolygon> q = gear ? CreateGear(FControls.ePolN, m.x, m.y)
                                       : CreateRegularPolygon(FControls.ePolN, m.x, m.y);
    q->SetTickUnit(FMaze->TickUnit());
    TPolygon* raw = q.get();
    {
      TEditStep step(*this, gear ? "New Gear" : "New Polygon",
                     {TTouched::Of(TTouch::PolygonAdded, mi, FMaze->Count())});
      FMaze->AddPolygon(std::move(q));  // last, so that it is drawn on top
    }
    SetPolygon(raw);
    if (gear) {
      SetAddGear(false);
    } else {
      SetAddPol(false);
    }
  } else {
    return false;
  }
  Redraw();
  return true;
}

// --- the drag's points and its preview ----------------------------------------------------------

TDPoint TEditDocument::ScreenOf(const TPolygon& p, const TSide& s) const {
  double x = s.x(), y = s.y();
  p.matrix.Transform(x, y);
  view_.M2I().Transform(x, y);
  return TDPoint{x, PlayHeight() - y};
}

void TEditDocument::CapturePolygon() {
  FP.clear();
  FP.reserve(static_cast<std::size_t>(FPolygon->Count()));
  double sx = 0, sy = 0;
  for (int i = 0; i < FPolygon->Count(); ++i) {
    FP.push_back(ScreenOf(*FPolygon, *FPolygon->GetSide(i)));
    sx += FP.back().x;
    sy += FP.back().y;
  }
  const double n = std::max<double>(static_cast<double>(FP.size()), 1);
  FPRefPoint = TPoint{RoundToInt(sx / n), RoundToInt(sy / n)};
  drag_open_ = FPolygon->open;
}

void TEditDocument::BeginCornerDrag(int i) {
  FDragPolygon = false;
  FDragMat.reset();
  const TPolygon& p = *FPolygon;
  FP = {ScreenOf(p, *p.GetSide(i - 1)), ScreenOf(p, *p.GetSide(i)), ScreenOf(p, *p.GetSide(i + 1))};
  drag_corner_ = i;
  // The ends of an open outline have one edge each.
  drag_edge_in_ = !(p.open && i == 0);
  drag_edge_out_ = !(p.open && i == p.Count() - 1);
}

void TEditDocument::StartDrag(TDragKind kind) {
  drag_kind_ = kind;
  drag_w_ = PlayWidth();
  drag_h_ = PlayHeight();
  FDrag = true;
  preview_shown_ = false;
  ShowPreview();
}

void TEditDocument::DrawDragImage() {
  TCanvas& cv = surface_->Canvas();
  cv.Pen.Mode = TPenMode::pmNotXor;
  cv.Pen.Color = drag_color_;
  cv.Pen.Width = 1;
  cv.Pen.Style = TPenStyle::psSolid;
  const auto at = [this](std::size_t i) {
    double x = FP[i].x, y = FP[i].y;
    FDragMat.Transform(x, y);
    return TPoint{RoundToInt(x), RoundToInt(y)};
  };
  if (FP.empty()) return;
  if (drag_kind_ == TDragKind::Corner) {
    const TPoint a = at(0), b = at(1), c = at(2);
    if (drag_edge_in_) {
      cv.MoveTo(a.X, a.Y);
      cv.LineTo(b.X, b.Y);
    } else {
      cv.MoveTo(b.X, b.Y);
    }
    if (drag_edge_out_) cv.LineTo(c.X, c.Y);
    return;
  }
  const TPoint first = at(0);
  cv.MoveTo(first.X, first.Y);
  for (std::size_t i = 1; i < FP.size(); ++i) {
    const TPoint p = at(i);
    cv.LineTo(p.X, p.Y);
  }
  if (!drag_open_) cv.LineTo(first.X, first.Y);
}

void TEditDocument::DrawBallImage() {
  TCanvas& cv = surface_->Canvas();
  cv.Pen.Mode = TPenMode::pmXor;
  drag_ball_->Draw(surface_->Control(), cv, ball_view_, 0, false);
}

void TEditDocument::DrawRefCross(const TDPoint& at) {
  TCanvas& cv = surface_->Canvas();
  double x = at.x, y = at.y;
  ref_view_.Transform(x, y);
  const int a = RoundToInt(x);
  const int b = RoundToInt(PlayHeight() - y);
  cv.Pen.Mode = TPenMode::pmXor;
  cv.Pen.Color = clWhite;
  cv.Pen.Width = 1;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.MoveTo(a - 3, b);
  cv.LineTo(a + 4, b);
  cv.MoveTo(a, b - 3);
  cv.LineTo(a, b + 4);
}

void TEditDocument::DrawPreview() {
  if (!surface_ || !surface_->Showing() || closed_) return;
  TCanvas& cv = surface_->Canvas();
  TFrameScope frame(*surface_);
  TPenScope keep(cv);
  switch (drag_kind_) {
    case TDragKind::Corner:
    case TDragKind::Polygon:
    case TDragKind::Size:
    case TDragKind::Rotate:
      DrawDragImage();
      break;
    case TDragKind::Ball:
      DrawBallImage();
      break;
    case TDragKind::RefPoint:
      DrawRefCross(ref_at_);
      break;
    case TDragKind::None:
      return;
  }
  preview_shown_ = !preview_shown_;
}

void TEditDocument::ShowPreview() {
  if (!preview_shown_) DrawPreview();
}

void TEditDocument::ErasePreview() {
  if (preview_shown_) DrawPreview();
}

void TEditDocument::ReadRefPoint(TDPoint& at) const {
  if (auto* tr = dynamic_cast<TTrans*>(FTraf)) {
    const bool was = tr->FRef2;
    tr->FRef2 = drag_ref2_;
    at = TDPoint{tr->rx(), tr->ry()};
    tr->FRef2 = was;
  } else {
    at = TDPoint{FTraf->rx(), FTraf->ry()};
  }
}

// --- the size and rotation steps ----------------------------------------------------------------

void TEditDocument::SizeStep(int X) {
  const double f = std::exp((X - FOrgPoint.X) / kSizePixels);
  FDragMat = tmat2d::scale(f, f);
  CenterDragMatrix();
}

void TEditDocument::RotationStep(int Y) {
  // In screen coordinates (y down) a positive angle turns clockwise as seen.
  const double a = (FOrgPoint.Y - Y) * 2 * std::numbers::pi / kTurnPixels;
  FDragMat = tmat2d::rot(a);
  CenterDragMatrix();
}

void TEditDocument::CenterDragMatrix() {
  FDragMat = tmat2d::trans(FPRefPoint.X, FPRefPoint.Y) * FDragMat *
             tmat2d::trans(-FPRefPoint.X, -FPRefPoint.Y);
}

// --- the mouse ----------------------------------------------------------------------------------

void TEditDocument::PlayFieldMouseDown(bool shift, int X, int Y) {
  // A second button during a drag or a pan neither starts another one nor ends this one.
  if (FDrag || panning_ || !FMaze || closed_) return;
  MakeViewMatrices();
  if (X < 0 || Y < 0 || X >= PlayWidth() || Y >= PlayHeight()) return;
  TBatch batch(*this);
  const int y = PlayHeight() - Y;
  FPrevPoint = TPoint{X, Y};
  FOrgPoint = TPoint{X, Y};
  FDoTraf = false;
  drag_inserted_ = false;
  TPolygon* p = nullptr;
  int i = -1;
  TBall* b = nullptr;
  TTransform* t = nullptr;
  bool end = false;
  if (PickCorner(X, y, p, i)) {
    SetDoBall(false);
    SetPolygon(p);
    SetSide(p->GetSide(i));
    drag_color_ = p->Color();
    if (FDragType == dt_translate && !shift) {
      BeginCornerDrag(i);
      StartDrag(TDragKind::Corner);
      return;
    }
    FDragPolygon = FDragType == dt_translate;
    drag_corner_ = i;  // on the grid, this corner lands on a grid point
    CapturePolygon();
    FDragMat.reset();
    StartDrag(FDragType == dt_size     ? TDragKind::Size
              : FDragType == dt_rotate ? TDragKind::Rotate
                                       : TDragKind::Polygon);
    return;
  }
  if (PickBall(X, y, b)) {
    SetBall(b);
    SetDoBall(true);
    drag_ball_ = b;
    ball_view_ = view_.M2I();  // first drawn where it is, which takes it out of the picture
    StartDrag(TDragKind::Ball);
    return;
  }
  if (PickRefPoint(X, y, p, t, end)) {
    SetPolygon(p);
    SetSide(p->GetSide(0));
    SetTraf(t);
    FDoTraf = true;
    drag_ref2_ = end;
    ref_view_ = view_.M2I() * p->matrix;
    ReadRefPoint(ref_at_);
    StartDrag(TDragKind::RefPoint);
    return;
  }
  // Nothing under the mouse: a creation tool places its shape; without one nothing happens
  // and nothing is drawn.
  PlaceShape(X, y);
}

void TEditDocument::PlayFieldMouseMove(bool, int X, int Y) {
  if (!FDrag) {
    FPrevPoint = TPoint{X, Y};
    return;
  }
  // Outside the play field the drag waits at the last point inside.
  if (X < 0 || Y < 0 || X >= PlayWidth() || Y >= PlayHeight()) return;
  if (PlayWidth() != drag_w_ || PlayHeight() != drag_h_) {
    preview_shown_ = false;  // the picture is another one now
    CancelDrag();
    return;
  }
  const int dx = X - FPrevPoint.X;
  const int dy = Y - FPrevPoint.Y;
  ErasePreview();
  switch (drag_kind_) {
    case TDragKind::Ball: {
      const TDPoint m = DragTarget(X, Y);
      ball_view_ = view_.M2I() * tmat2d::trans(m.x - drag_ball_->matrix.mat[0][2],
                                        m.y - drag_ball_->matrix.mat[1][2]);
      break;
    }
    case TDragKind::RefPoint:
      ref_at_ = DragTarget(X, Y);
      break;
    case TDragKind::Size:
      SizeStep(X);
      break;
    case TDragKind::Rotate:
      RotationStep(Y);
      break;
    case TDragKind::Polygon:
      if (grid_on_) {
        // The points stay where they were taken; the drag matrix shifts them by whole steps.
        const TDPoint d = GridShift(X, Y);
        FDragMat = tmat2d::trans(d.x * view_.M2I().mat[0][0], -d.y * view_.M2I().mat[1][1]);
        break;
      }
      for (TDPoint& p : FP) {
        p.x += dx;
        p.y += dy;
      }
      break;
    case TDragKind::Corner:
      if (grid_on_) {
        const TDPoint g = DragTarget(X, Y);
        double x = g.x, y = g.y;
        view_.M2I().Transform(x, y);
        FP[1] = TDPoint{x, PlayHeight() - y};
        break;
      }
      FP[1] = TDPoint{static_cast<double>(X), static_cast<double>(Y)};
      break;
    case TDragKind::None:
      break;
  }
  ShowPreview();
  FPrevPoint = TPoint{X, Y};
}

void TEditDocument::PlayFieldMouseUp(bool, int X, int Y) {
  if (!FDrag) return;
  if (X < 0 || Y < 0 || X >= PlayWidth() || Y >= PlayHeight()) {
    X = FPrevPoint.X;
    Y = FPrevPoint.Y;
  }
  FinishDrag(X, Y);
}

void TEditDocument::EndDrag() {
  if (FDrag) FinishDrag(FPrevPoint.X, FPrevPoint.Y);
}

void TEditDocument::CancelDrag() {
  ErasePreview();
  if (drag_kind_ == TDragKind::RefPoint) FTraf = nullptr;
  FDrag = false;
  drag_kind_ = TDragKind::None;
  drag_ball_ = nullptr;
  FDoTraf = false;
  preview_shown_ = false;
  drag_inserted_ = false;
}

void TEditDocument::FinishDrag(int X, int Y) {
  TBatch batch(*this);
  ErasePreview();
  // The step of this release finishes the gesture whose press put a corner on an edge.
  continues_gesture_ = drag_inserted_;
  drag_inserted_ = false;
  const TDragKind kind = drag_kind_;
  TBall* ball = drag_ball_;
  // The drag is over before anything changes: the steps and selections below are its own.
  FDrag = false;
  drag_kind_ = TDragKind::None;
  drag_ball_ = nullptr;
  preview_shown_ = false;
  // A release where the press was is a click: it selects and moves nothing (the corner just
  // put on an edge stays on it).
  const bool click = X == FOrgPoint.X && Y == FOrgPoint.Y;
  const TDPoint m = DragTarget(X, Y);
  const int mi = MazeIndex(FMaze);
  switch (kind) {
    case TDragKind::Ball: {
      const int bi = BallIndex(ball);
      if (click || bi < 0) break;
      if (ball->matrix.mat[0][2] == m.x && ball->matrix.mat[1][2] == m.y) break;
      TEditStep step(*this, "Move Ball", {TTouched::Of(TTouch::Ball, mi, bi)});
      ball->matrix.mat[0][2] = m.x;
      ball->matrix.mat[1][2] = m.y;
      break;
    }
    case TDragKind::RefPoint: {
      const int pi = PolygonIndex(FPolygon);
      TTransform* t = FTraf;
      if (!click && pi >= 0 && t && FPolygon->TrafList()->IndexOf(t) >= 0) {
        TDPoint now;
        ReadRefPoint(now);
        if (now.x != m.x || now.y != m.y) {
          TEditStep step(*this, "Move Reference Point", {TTouched::Of(TTouch::Polygon, mi, pi)});
          auto* tr = dynamic_cast<TTrans*>(t);
          if (tr) tr->FRef2 = drag_ref2_;  // the end that was picked moves
          t->SetRx(m.x);
          t->SetRy(m.y);
          if (tr) tr->FRef2 = false;
        }
      }
      RebuildTrafTabs();
      FDoTraf = false;
      FTraf = nullptr;  // no reference point is dragged any more
      break;
    }
    case TDragKind::Corner: {
      const int pi = PolygonIndex(FPolygon);
      TSide* s = FSide;
      if (click || pi < 0 || !s || FPolygon->IndexOf(s) != drag_corner_) break;
      if (s->x() == m.x && s->y() == m.y) break;
      TEditStep step(*this, "Move Point", {TTouched::Of(TTouch::Polygon, mi, pi)});
      s->SetX(m.x);  // where the mouse is, not rounded to a pixel
      s->SetY(m.y);
      CleanAfterDrag();
      break;
    }
    case TDragKind::Polygon:
    case TDragKind::Size:
    case TDragKind::Rotate:
      FinishPolygonDrag(kind, X, Y);
      break;
    case TDragKind::None:
      break;
  }
  continues_gesture_ = false;  // a click made no step
  Redraw();
}

void TEditDocument::FinishPolygonDrag(TDragKind kind, int X, int Y) {
  const int pi = PolygonIndex(FPolygon);
  if (pi < 0 || FP.size() != static_cast<std::size_t>(FPolygon->Count())) return;
  // Back where it started, the polygon stays exactly as it was (not even rounded to pixels).
  if (kind == TDragKind::Size) {
    if (X == FOrgPoint.X) return;
    SizeStep(X);
  } else if (kind == TDragKind::Rotate) {
    if (Y == FOrgPoint.Y) return;
    RotationStep(Y);
  } else if (grid_on_) {
    if (X == FOrgPoint.X && Y == FOrgPoint.Y) return;
    FinishGridPolygonDrag(pi, X, Y);
    return;
  } else {
    if (X == FOrgPoint.X && Y == FOrgPoint.Y) return;
    // The way from the last move to the release (none when a move came there first).
    const int dx = X - FPrevPoint.X, dy = Y - FPrevPoint.Y;
    for (TDPoint& p : FP) {
      p.x += dx;
      p.y += dy;
    }
  }
  // ApplyDrag: every corner lands on a whole pixel of the view; zoomed out, on one of the
  // design view, whose pixels are finer then (a polygon moved at 1/16 would otherwise snap
  // to a coarse raster and lose its shape).
  const int h = PlayHeight();
  const bool finer = view_.Zoom() < 1;
  const TEditView design = finer ? view_.Design() : view_;
  std::vector<TDPoint> to;
  to.reserve(FP.size());
  bool changed = false;
  for (std::size_t i = 0; i < FP.size(); ++i) {
    double x = FP[i].x, y = FP[i].y;
    FDragMat.Transform(x, y);
    y = h - y;
    if (finer) {
      const TDPoint m = ImageToModel(x, y);
      const TDPoint d = design.ModelToImage(m.x, m.y);
      to.push_back(design.ImageToModel(std::nearbyint(d.x), std::nearbyint(d.y)));
    } else {
      to.push_back(ImageToModel(std::nearbyint(x), std::nearbyint(y)));
    }
    const TSide* s = FPolygon->GetSide(static_cast<int>(i));
    changed = changed || s->x() != to.back().x || s->y() != to.back().y;
  }
  if (!changed) return;
  const char* name = kind == TDragKind::Size     ? "Resize Polygon"
                     : kind == TDragKind::Rotate ? "Rotate Polygon"
                                                 : "Move Polygon";
  TEditStep step(*this, name, {TTouched::Of(TTouch::Polygon, MazeIndex(FMaze), pi)});
  for (std::size_t i = 0; i < to.size(); ++i) {
    TSide* s = FPolygon->GetSide(static_cast<int>(i));
    s->SetX(to[i].x);
    s->SetY(to[i].y);
  }
  CleanAfterDrag();
}

void TEditDocument::CleanAfterDrag() {
  std::vector<TMerge> merges = Merges(*FPolygon);
  if (merges.empty()) return;
  const int n = FPolygon->Count();
  // A polygon keeps three corners, however many ran together.
  const bool capped = n - static_cast<int>(merges.size()) < kMinCorners;
  if (capped) merges.resize(static_cast<std::size_t>(std::max(n - kMinCorners, 0)));
  // The selection moves on first: a corner cleaned away is never touched again.
  int cur = FPolygon->IndexOf(FSide);
  for (bool moved = true; moved && cur >= 0;) {
    moved = false;
    for (const TMerge& g : merges) {
      if (g.gone == cur) {
        cur = g.into;
        moved = true;
      }
    }
  }
  if (FSide && cur >= 0 && FPolygon->GetSide(cur) != FSide) SetSide(FPolygon->GetSide(cur));
  if (!capped) {
    FPolygon->CleanPoints();
    return;
  }
  std::vector<TSide*> gone;
  for (const TMerge& g : merges) gone.push_back(FPolygon->GetSide(g.gone));
  for (TSide* s : gone) FPolygon->RemoveSide(s);
}

// --- the cursor ---------------------------------------------------------------------------------

TEditCursor TEditDocument::CursorAt(bool shift, int X, int Y) {
  if (panning_) return TEditCursor::Pan;
  switch (drag_kind_) {
    case TDragKind::Corner:
      return TEditCursor::Corner;
    case TDragKind::Polygon:
      return TEditCursor::MovePolygon;
    case TDragKind::Size:
      return TEditCursor::Size;
    case TDragKind::Rotate:
      return TEditCursor::Rotate;
    case TDragKind::Ball:
      return TEditCursor::DragBall;
    case TDragKind::RefPoint:
      return TEditCursor::DragRefPoint;
    case TDragKind::None:
      break;
  }
  if (!FMaze || closed_ || X < 0 || Y < 0 || X >= PlayWidth() || Y >= PlayHeight()) {
    return TEditCursor::Default;
  }
  const int y = PlayHeight() - Y;
  const auto on_polygon = [&](TEditCursor plain) {
    if (FDragType == dt_size) return TEditCursor::Size;
    if (FDragType == dt_rotate) return TEditCursor::Rotate;
    return shift ? TEditCursor::MovePolygon : plain;
  };
  const TDRect r = PickRect(X, y);
  // The cursor is asked at every move of the mouse: polygons whose box (the extent every step
  // keeps) lies farther from the square's centre than its width can answer neither test.
  const double cx = (r.x1 + r.x2) / 2, cy = (r.y1 + r.y2) / 2;
  const double reach = std::fabs(r.x2 - r.x1);
  const auto near = [&](const TPolygon& q) {
    return cx >= q.extent.x1 - reach && cx <= q.extent.x2 + reach &&
           cy >= std::min(q.extent.y1, q.extent.y2) - reach &&
           cy <= std::max(q.extent.y1, q.extent.y2) + reach;
  };
  int i = -1;
  for (int k = 0; k < FMaze->Count(); ++k) {
    const TPolygon& q = *FMaze->GetPolygon(k);
    if (near(q) && q.PointInRect(r, i)) return on_polygon(TEditCursor::Corner);
  }
  for (int k = 0; k < FMaze->Count(); ++k) {
    const TPolygon& q = *FMaze->GetPolygon(k);
    TDPoint at;
    if (near(q) && q.FindNewPoint(r, i, at)) return on_polygon(TEditCursor::Edge);
  }
  TPolygon* p = nullptr;
  TBall* b = nullptr;
  if (PickBall(X, y, b)) return TEditCursor::Ball;
  TTransform* t = nullptr;
  bool end = false;
  if (PickRefPoint(X, y, p, t, end)) return TEditCursor::RefPoint;
  if (FDoBall || FAddPol || FAddGear) return TEditCursor::Add;
  return TEditCursor::Default;
}
