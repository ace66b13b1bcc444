#include "recording_canvas.h"

#include <sstream>

std::string TCanvasCall::Describe() const {
  std::ostringstream s;
  s << op;
  for (int a : args) s << ' ' << a;
  for (const TPoint& p : points) s << " (" << p.X << ',' << p.Y << ')';
  if (!text.empty()) s << " \"" << text << '"';
  return s.str();
}

TCanvasCall& TRecordingCanvas::Record(const std::string& op, std::vector<int> args) {
  TCanvasCall c;
  c.op = op;
  c.args = std::move(args);
  c.pen = Pen;
  c.brush = Brush;
  c.font = Font;
  calls.push_back(std::move(c));
  return calls.back();
}

void TRecordingCanvas::MoveTo(int x, int y) {
  Record("MoveTo", {x, y});
}
void TRecordingCanvas::LineTo(int x, int y) {
  Record("LineTo", {x, y});
}
void TRecordingCanvas::Polyline(const std::vector<TPoint>& points) {
  Record("Polyline", {}).points = points;
}
void TRecordingCanvas::Polygon(const std::vector<TPoint>& points) {
  Record("Polygon", {}).points = points;
}
void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Record("Rectangle", {x1, y1, x2, y2});
}
void TRecordingCanvas::FillRect(const TRect& r) {
  Record("FillRect", {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Record("Ellipse", {x1, y1, x2, y2});
}
void TRecordingCanvas::TextOut(int x, int y, const std::string& text) {
  SyncFontSize();
  Record("TextOut", {x, y}).text = text;
}
int TRecordingCanvas::TextWidth(const std::string& text) {
  SyncFontSize();
  return 7 * static_cast<int>(text.size());
}
int TRecordingCanvas::TextHeight(const std::string&) {
  SyncFontSize();
  return 13;
}
TColor TRecordingCanvas::GetPixel(int x, int y) {
  auto it = pixels_.find({x, y});
  return it == pixels_.end() ? clBlack : it->second;
}
void TRecordingCanvas::SetPixel(int x, int y, TColor c) {
  Record("SetPixel", {x, y, c});
  pixels_[{x, y}] = c;
}
void TRecordingCanvas::CopyRect(const TRect& dest, TCanvas&, const TRect& src) {
  Record("CopyRect",
         {dest.Left, dest.Top, dest.Right, dest.Bottom, src.Left, src.Top, src.Right, src.Bottom});
}

void TRecordingCanvas::StretchDraw(const TRect& dest, const TPicture& picture) {
  Record("StretchDraw",
         {dest.Left, dest.Top, dest.Right, dest.Bottom, picture.Width(), picture.Height()});
}

std::string TRecordingCanvas::Log() const {
  std::string out;
  for (const auto& c : calls) out += c.Describe() + "\n";
  return out;
}

std::vector<TCanvasCall> TRecordingCanvas::CallsOf(const std::string& op) const {
  std::vector<TCanvasCall> out;
  for (const auto& c : calls) {
    if (c.op == op) out.push_back(c);
  }
  return out;
}
