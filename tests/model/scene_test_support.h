#pragma once
// Small fixtures shared by the scene model tests: polygons from point lists, CRLF text, and a
// transform whose marker and matrix are easy to recognise.
#include <initializer_list>
#include <memory>
#include <string>

#include "gx_polygon.h"
#include "gx_transform.h"

namespace scene_test {

struct Pt {
  double x;
  double y;
  TSideType type = st_normal;
  TColor color = 0x00FF00;
};

inline std::unique_ptr<TPolygon> MakePolygon(std::initializer_list<Pt> corners, bool open = false) {
  auto p = std::make_unique<TPolygon>();
  for (const Pt& c : corners) p->AddSide(c.x, c.y, c.type, c.color);
  p->open = open;
  return p;
}

// Lines joined with the CR LF line ends of the game's files.
inline std::string Crlf(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

// A transform that draws an ellipse of radius 2 around its marker pixel and, on every tick,
// translates by (t, 0).
class TMarkerTransform : public TTransform {
 public:
  void reset() override {
    cnt = 0;
    matrix.reset();
  }
  void settime(double t) override {
    TTransform::settime(t);
    matrix = tmat2d::trans(t, 0);
  }
  void DrawRefImage(TCanvas& cv, int x, int y) override { cv.Ellipse(x - 2, y - 2, x + 2, y + 2); }
};

}  // namespace scene_test
