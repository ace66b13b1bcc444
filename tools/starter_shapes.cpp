#include "starter_shapes.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "gx_ball.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_trans.h"

namespace starter {

std::unique_ptr<TMaze> NewMaze(const char* name, TColor in, TColor out, TColor line, TColor land) {
  auto m = std::make_unique<TMaze>();
  m->mazename = name;
  m->incolor = in;
  m->outcolor = out;
  m->linecolor = line;
  m->landcolor = land;
  m->SetTickUnit(50);
  return m;
}

TPolygon& Shape(TMaze& m, Points pts, TColor line, TColor fill, TBrushStyle style, int width) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(line);
  for (const auto& [x, y] : pts) p->AddSide(x, y, st_normal, line);
  p->width = width;
  p->fillcolor = fill;
  p->fillstyle = style;
  TPolygon& ref = *p;
  m.AddPolygon(std::move(p));
  return ref;
}

TPolygon& Box(TMaze& m, double x1, double y1, double x2, double y2, TColor line, TColor fill,
              TBrushStyle style) {
  return Shape(m, {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}}, line, fill, style);
}

TPolygon& Room(TMaze& m, Points pts) {
  return Shape(m, pts, m.linecolor, m.incolor, bsSolid, 3);
}

TPolygon& Cave(TMaze& m, std::initializer_list<TCorner> corners) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(m.linecolor);
  for (const TCorner& c : corners) {
    p->AddSide(c.x, c.y, c.ledge ? st_landing : st_normal, c.ledge ? m.landcolor : m.linecolor);
  }
  p->width = 3;
  p->fillcolor = m.incolor;
  p->fillstyle = bsSolid;
  TPolygon& ref = *p;
  m.AddPolygon(std::move(p));
  return ref;
}

TPolygon& Rock(TMaze& m, Points pts, TColor fill, TBrushStyle style) {
  return Shape(m, pts, m.linecolor, fill, style, 2);
}

TPolygon& Pad(TMaze& m, double x1, double x2, double top, TColor fill, TBrushStyle style) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(m.linecolor);
  p->AddSide(x1, top - 0.15, st_normal, m.linecolor);
  p->AddSide(x1, top, st_normal, m.linecolor);
  p->AddSide(x2, top, st_landing, m.landcolor);
  p->AddSide(x2, top - 0.15, st_normal, m.linecolor);
  p->width = 2;
  p->fillcolor = fill;
  p->fillstyle = style;
  TPolygon& ref = *p;
  m.AddPolygon(std::move(p));
  return ref;
}

void StartOn(TMaze& m, const TPolygon& pad) {
  m.SetStart(TMaze::SideRect(pad, *pad.GetSide(2)));
}

void StartOnLedge(TMaze& m, const TPolygon& cave, int corner) {
  m.SetStart(TMaze::SideRect(cave, *cave.GetSide(corner)));
}

void Ball(TMaze& m, double x, double y, TColor c, double size) {
  m.AddBall(x, y, c)->SetSize(size);
}

std::pair<double, double> Along(double x, double y, int k, double d) {
  const double a = StepAngle(k);
  return {x + d * std::cos(a), y + d * std::sin(a)};
}

std::unique_ptr<TPolygon> TimePath(Points pts) {
  auto p = std::make_unique<TPolygon>();
  for (const auto& [x, y] : pts) p->AddSide(x, y, st_normal, clWhite);
  p->open = true;
  return p;
}

TPolygon& Gear(TMaze& m, double cx, double cy, double outer, double inner, int teeth, TColor line,
               TColor fill, TBrushStyle style) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(line);
  for (int i = 0; i < teeth * 2; ++i) {
    const double a = i * std::numbers::pi / teeth;
    const double r = i % 2 == 0 ? outer : inner;
    p->AddSide(cx + r * std::cos(a), cy + r * std::sin(a), st_normal, line);
  }
  p->width = 2;
  p->fillcolor = fill;
  p->fillstyle = style;
  TPolygon& ref = *p;
  m.AddPolygon(std::move(p));
  return ref;
}

void Turn(TPolygon& p, double cx, double cy, int period, bool cw, TAniType kind) {
  auto r = std::make_unique<TRotate>();
  r->init(0, cx, cy, period);
  r->SetCw(cw);
  r->SetAniType(kind);
  p.SetRot(std::move(r));
}

void Swing(TPolygon& p, double px, double py, double a1, double a2, int period) {
  auto r = std::make_unique<TRotate>();
  r->init(0, px, py, period);
  r->SetSwing(true);
  r->SetAniType(at_sinusoidal);
  r->SetA1(a1);
  r->SetA2(a2);
  p.SetRot(std::move(r));
}

void Pulse(TPolygon& p, double cx, double cy, double fx, double fy, int period,
           std::unique_ptr<TPolygon> path) {
  auto s = std::make_unique<TScale>();
  s->init(cx, cy, 1, 1, fx, fy, period);
  if (path) {
    s->flinear = std::move(path);
  } else {
    s->SetAniType(at_sinusoidal);
  }
  p.SetScale(std::move(s));
}

void Slide(TPolygon& p, double rx, double ry, double dx, double dy, int period,
           std::unique_ptr<TPolygon> path) {
  auto t = std::make_unique<TTrans>();
  // The start point first: moving it keeps the far end in place.
  t->SetRx(rx);
  t->SetRy(ry);
  t->x1 = dx;
  t->y1 = dy;
  t->SetPeriod(period);
  if (path) {
    t->flinear = std::move(path);
  } else {
    t->SetAniType(at_sinusoidal);
  }
  p.SetTrans(std::move(t));
}

const TPolygon* Animated(const TMaze& m, const std::function<bool(const TPolygon&)>& has, int n) {
  for (int i = 0; i < m.Count(); ++i) {
    if (has(*m.GetPolygon(i)) && n-- == 0) return m.GetPolygon(i);
  }
  return nullptr;
}

double Level(const TMaze& m, int polygon) {
  const TPolygon& p = *m.GetPolygon(polygon);
  if (const TTrans* t = p.Trans()) {
    const double full = std::hypot(t->x1, t->y1);
    return full > 0 ? std::hypot(t->x, t->y) / full : 0;
  }
  if (const TScale* s = p.Scale()) {
    if (s->sy1() != s->sy2()) return (s->fsy - s->sy1()) / (s->sy2() - s->sy1());
    if (s->sx1() != s->sx2()) return (s->fsx - s->sx1()) / (s->sx2() - s->sx1());
    return 0;
  }
  if (const TRotate* r = p.Rot()) {
    return r->a2() != r->a1() ? (r->a() - r->a1()) / (r->a2() - r->a1()) : 0;
  }
  return 0;
}

std::function<bool(const TMaze&)> Crossing(int polygon, double level, bool upwards) {
  return [polygon, level, upwards,
          before = std::numeric_limits<double>::quiet_NaN()](const TMaze& m) mutable {
    const double now = Level(m, polygon);
    const bool crossed = upwards ? before < level && now >= level : before > level && now <= level;
    before = now;
    return crossed;
  };
}

}  // namespace starter
