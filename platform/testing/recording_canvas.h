#pragma once
// A canvas that draws nothing and records every drawing call with the pen, brush and font in
// force at that moment, so that headless tests can check what the model drew and in what order.
// Like a real canvas, the text operations keep Font.Size and Font.Height in step first.
#include <map>
#include <string>
#include <vector>

#include "canvas.h"

struct TCanvasCall {
  std::string op;         // "MoveTo", "LineTo", "Polyline", "Polygon", "Rectangle", ...
  std::vector<int> args;  // coordinates in call order
  std::vector<TPoint> points;
  std::string text;
  TPen pen;
  TBrush brush;
  TFont font;
  // "Polygon (1,2) (3,4)", "Rectangle 0 0 4 4": the call without its state.
  std::string Describe() const;
};

class TRecordingCanvas : public TCanvas {
 public:
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const std::vector<TPoint>& points) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(const TRect& r) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  // A fixed-pitch stand-in: 7 pixels a character, 13 pixels high.
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  // Pixels written with SetPixel read back; all others read as black.
  TColor GetPixel(int x, int y) override;
  void SetPixel(int x, int y, TColor c) override;
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& src) override;
  // Recorded as "StretchDraw" with the destination and the picture's width and height.
  void StretchDraw(const TRect& dest, const TPicture& picture) override;

  std::vector<TCanvasCall> calls;
  // Describe() of every call, one per line.
  std::string Log() const;
  // Only the calls with this op.
  std::vector<TCanvasCall> CallsOf(const std::string& op) const;

 private:
  TCanvasCall& Record(const std::string& op, std::vector<int> args);
  std::map<std::pair<int, int>, TColor> pixels_;
};
