// Drawing of a maze: its mapping into a viewport, the play view with its layers, the overview
// map and the score display with the two status bars.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "gx_traflist.h"
#include "gx_trans.h"

namespace {

// The canvas state that text and bar drawing change and put back afterwards.
class TCanvasStateGuard {
 public:
  explicit TCanvasStateGuard(TCanvas& cv)
      : cv_(cv), pen_(cv.Pen), brush_(cv.Brush), font_(cv.Font) {}
  ~TCanvasStateGuard() {
    cv_.Pen = pen_;
    cv_.Brush = brush_;
    cv_.Font = font_;
  }
  TCanvasStateGuard(const TCanvasStateGuard&) = delete;
  TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

 private:
  TCanvas& cv_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
};

// v with exactly two decimals and a "." whatever the locale: 12.35, 0.00.
std::string TwoDecimals(double v) {
  std::array<char, 64> buf{};
  const auto res =
      std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 2);
  if (res.ec != std::errc()) return "0.00";
  return std::string(buf.data(), res.ptr);
}

// Integer division rounding toward zero, as the score layout counts it.
int Div(int a, int b) {
  return a / b;
}

// True when every point of p as drawn through c lies so far outside the control that neither
// its outline (pen width included) nor its fill can reach a pixel of it; with doPoints, nor
// its corner handles, nor the markers of its animations' reference points (a translation
// marks both of its ends and joins them with a line).
bool PolygonOffControl(const TPolygon& p, const tmat2d& c, int cw, int ch, bool doPoints) {
  const int n = p.Count();
  if (n == 0) return true;
  const tmat2d cp = c * p.matrix;
  int minx = 0, maxx = 0, miny = 0, maxy = 0;
  bool first = true;
  const auto take = [&](int x, int y) {
    if (first) {
      minx = maxx = x;
      miny = maxy = y;
      first = false;
    } else {
      minx = std::min(minx, x);
      maxx = std::max(maxx, x);
      miny = std::min(miny, y);
      maxy = std::max(maxy, y);
    }
  };
  for (int k = 0; k < n; ++k) {
    TPoint pt;
    p.GetSide(k)->ScreenPoint(cp, pt);
    take(pt.X, ch - pt.Y);
  }
  // Half the pen reaches beyond the outline (and a square cap beyond a corner): a margin of a
  // whole pen width and two pixels is safely more than any of it.
  int margin = std::max(p.width, 1) + 2;
  if (doPoints) {
    const TTrafList& list = *p.TrafList();
    for (int i = 0; i < list.Count(); ++i) {
      const TTransform& t = *list.GetTraf(i);
      double x = t.refpt.x, y = t.refpt.y;
      cp.Transform(x, y);
      take(RoundToInt(x), RoundToInt(ch - y));
      if (const auto* tr = dynamic_cast<const TTrans*>(&t)) {
        double ex = t.refpt.x + tr->x1, ey = t.refpt.y + tr->y1;
        cp.Transform(ex, ey);
        take(RoundToInt(ex), RoundToInt(ch - ey));
      }
    }
    // Handles reach ScaleToScreen(3) beyond a corner, the markers 4 pixels beyond their point.
    margin += std::max(ScaleToScreen(3), 0) + 5;
  }
  return maxx < -margin || minx >= cw + margin || maxy < -margin || miny >= ch + margin;
}

}  // namespace

void TMaze::MapToViewport(const TDRect& vp, bool keepaspect, bool rocketcenter) {
  GetExtent();
  const TDRect& e = extent;
  const double ew = e.x2 - e.x1;
  const double eh = e.y2 - e.y1;
  const double vw = vp.x2 - vp.x1;
  const double vh = vp.y2 - vp.y1;
  // A maze whose corners all lie on one horizontal or vertical line has no size in that
  // direction: it borrows the scale of the other one, and a maze that is a single point is
  // drawn one pixel per unit. (The test is written so that a NaN width counts as none.)
  const bool wide = ew > 0;
  const bool high = eh > 0;
  double kx = wide ? vw / ew : 0;
  double ky = high ? vh / eh : 0;
  if (!wide && !high) {
    kx = ky = 1;
  } else if (!wide) {
    kx = ky;
  } else if (!high) {
    ky = kx;
  }
  if (keepaspect) kx = ky = std::min(kx, ky);
  double tx, ty;
  if (rocketcenter && FRocket && FRocket->Force()) {
    const TForce& phys = *FRocket->Force();
    tx = vp.x1 + vw / 2 - kx * phys.px();
    ty = vp.y1 + vh / 2 - ky * phys.py();
  } else {
    tx = (vp.x1 + vp.x2) / 2 - kx * (e.x1 + e.x2) / 2;
    ty = (vp.y1 + vp.y2) / 2 - ky * (e.y1 + e.y2) / 2;
  }
  matrix.reset();
  matrix.mat[0][0] = kx;
  matrix.mat[1][1] = ky;
  matrix.mat[0][2] = tx;
  matrix.mat[1][2] = ty;
}

void TMaze::Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doRocket,
                 bool doScore, bool doPoints) {
  if (!bkgrnd) {
    cv.Pen.Style = TPenStyle::psClear;
    cv.Brush.Color = outcolor;
    cv.Brush.Style = bsSolid;
    cv.Rectangle(0, 0, f.ClientWidth(), f.ClientHeight());
  }
  cv.Pen.Mode = TPenMode::pmCopy;
  const tmat2d c = m * matrix;
  if (FCullHidden && w <= 0) {
    // A polygon wholly outside the control would only be clipped away. Skipping it is safe
    // only when drawing has no side effect (a width override is stored in the polygon) and
    // when the test covers all that is drawn: with doPoints (the editor) the handles and the
    // reference points of the animations, which may lie away from the corners.
    const int cw = f.ClientWidth();
    const int ch = f.ClientHeight();
    for (int i = 0; i < Count(); ++i) {
      TPolygon* p = GetPolygon(i);
      if (!p || p->invisible || PolygonOffControl(*p, c, cw, ch, doPoints)) continue;
      p->Draw(f, cv, c, w, doPoints);
    }
  } else {
    TDrawList::Draw(f, cv, m, w, doPoints);
  }
  if (balllist) balllist->Draw(f, cv, c, 0, false);
  if (doRocket && FRocket) FRocket->Draw(f, cv, c, w, doPoints);
  if (bullitlist) bullitlist->Draw(f, cv, c);
  if (doScore) {
    DrawScore(f, cv);
    DrawRocketState(f, cv);
  }
}

void TMaze::DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) {
  const tmat2d c = m * matrix;
  TDrawList::Draw(f, cv, m, 0, false);
  if (balllist) balllist->DrawSpot(f, cv, c, sz);
  if (FRocket) FRocket->DrawSpot(f, cv, c, sz);
}

void TMaze::DrawScore(const TControl& f, TCanvas& cv) {
  TCanvasStateGuard keep(cv);
  cv.Font.Color = FRocket ? FRocket->color : cv.Font.Color;
  cv.Font.Bold = true;
  cv.Font.Italic = false;
  cv.Font.Name = "Arial";
  cv.Brush.Style = bsClear;
  const double secs =
      static_cast<double>(static_cast<std::int64_t>(duration) * TickUnit()) / 1000.0;
  const int h = cv.TextHeight("W");
  const int score = FRocket ? FRocket->score : 0;
  cv.TextOut(10, Div(h, 2), TwoDecimals(secs) + " " + std::to_string(score));
  if (bestdur > 0) cv.TextOut(10, Div(h, 2) + h, TwoDecimals(bestdur));
  if (!FMsgLine.empty()) {
    const int s = cv.Font.Size;
    const int fh = cv.Font.Height;
    cv.Font.Size = 2 * s;
    // Measuring brings the canvas's height value in step with the new size.
    const int tw = cv.TextWidth(FMsgLine);
    const int th = cv.TextHeight(FMsgLine);
    cv.TextOut(Div(f.ClientWidth() - tw, 2), Div(f.ClientHeight() - th, 2) - cv.Font.Height,
               FMsgLine);
    cv.Font.Size = s;
    cv.Font.Height = fh;
  }
}

void TMaze::DrawRocketState(const TControl&, TCanvas& cv) {
  if (!FRocket || FRocket->Exploded()) return;
  const int h = cv.TextHeight("W");
  DrawBar(cv, 10, 3 * h, 4 * h, Div(h, 2), 0xFFFFFF, 0xFF0000, 0x0000FF,
          FRocket->FCannonHeat / 200.0, "cannon heat", 1);
  DrawBar(cv, 10, 4 * h, 4 * h, Div(h, 2), 0xFFFFFF, 0x0000FF, 0x008000, FRocket->health / 1000.0,
          "rocket health", 1);
}

void TMaze::DrawBar(TCanvas& cv, int x, int y, int width, int height, TColor framecolor,
                    TColor color0, TColor color1, double fraction, const std::string& label,
                    int labelpos) {
  // Outside 0 .. 1 the fill would spill past the frame (and below 0 the blend would leave
  // the two colours): an overheated cannon shows a full bar, an empty one a black bar.
  if (fraction > 1) fraction = 1;
  if (!(fraction > 0)) fraction = 0;
  TCanvasStateGuard keep(cv);
  const TColor fill = BlendColor(color0, color1, fraction);
  const int xe = static_cast<int>(std::nearbyint(x + width * fraction));
  cv.Pen.Color = framecolor;
  cv.Pen.Style = TPenStyle::psSolid;
  cv.Pen.Width = 1;
  cv.Pen.Mode = TPenMode::pmCopy;
  cv.Brush.Style = bsSolid;
  if (x < xe) {
    cv.Brush.Color = fill;
    cv.FillRect(TRect{x, y, xe, y + height});
  }
  if (xe < x + width) {
    cv.Brush.Color = clBlack;
    cv.FillRect(TRect{xe, y, x + width, y + height});
  }
  cv.Brush.Style = bsClear;
  cv.Rectangle(x, y, x + width, y + height);
  if (!label.empty()) {
    cv.Font.Size = 8;
    cv.Font.Bold = false;
    cv.Font.Italic = false;
    const int tw = cv.TextWidth(label);
    const int th = cv.TextHeight(label);
    int lx = x, ly = y;
    switch (labelpos) {
      case 0:
        lx = x - tw - 10;
        ly = y + Div(height - th, 2);
        break;
      case 1:
        lx = x + width + 10;
        ly = y + Div(height - th, 2);
        break;
      case 2:
        ly = y - 10;
        break;
      case 3:
        lx = x + Div(width - tw, 2);
        ly = y - 10;
        break;
      case 4:
        lx = x + width - tw;
        ly = y - 10;
        break;
      default:
        break;
    }
    cv.Font.Color = fill;
    cv.TextOut(lx, ly, label);
  }
}

void TMaze::DrawBalls(const TControl& f, TCanvas& cv, const tmat2d& m) {
  if (balllist) balllist->Draw(f, cv, m * matrix, 1, false);
}

void TMaze::DrawBallSpot(const TControl& f, TCanvas& cv, const tmat2d& m) {
  if (!balllist) return;
  const tmat2d c = m * matrix;
  // The balls' own dots, which also mark the invisible ones.
  for (int i = 0; i < balllist->Count(); ++i) {
    if (TBall* b = balllist->GetBall(i)) b->DrawSpot(f, cv, c);
  }
}

void TMaze::DrawRocket(const TControl& f, TCanvas& cv, const tmat2d& m) {
  if (FRocket) FRocket->Draw(f, cv, m * matrix, 0, false);
}

void TMaze::DrawRocketSpot(const TControl& f, TCanvas& cv, const tmat2d& m) {
  if (FRocket) FRocket->DrawSpot(f, cv, m * matrix, 0);
}
