#pragma once
// Shared pieces of the editor's core tests: a document on a 510 x 510 play field (100 pixels
// per model unit, model origin at pixel (255, 255)), a recording canvas, dialogs that answer
// Yes unless told otherwise, and small mazes made for the case at hand.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "edit_monkey.h"
#include "gx_ball.h"
#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "qor_text.h"
#include "recording_canvas.h"
#include "recording_dialogs.h"

using TCorners = std::initializer_list<std::pair<double, double>>;

inline TPolygon* AddPolygon(TMaze& m, TCorners corners, TColor color = 0x00FFFF00) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(color);
  for (auto [x, y] : corners) p->AddSide(x, y, st_normal, color);
  p->width = 1;
  TPolygon* raw = p.get();
  m.AddPolygon(std::move(p));
  return raw;
}

inline TPolygon* AddSquare(TMaze& m, double cx, double cy, double r, TColor color = 0x00FFFF00) {
  return AddPolygon(m, {{cx - r, cy - r}, {cx - r, cy + r}, {cx + r, cy + r}, {cx + r, cy - r}},
                    color);
}

inline TPolygon* AddTriangle(TMaze& m, double cx, double cy, double r) {
  return AddPolygon(m, {{cx - r, cy - r}, {cx, cy + r}, {cx + r, cy - r}});
}

inline std::unique_ptr<TMaze> EmptyMaze(const std::string& name) {
  auto m = std::make_unique<TMaze>();
  m->mazename = name;
  m->SetTickUnit(50);
  m->linecolor = 0x00FFFF00;
  m->landcolor = 0x0000FFEE;
  return m;
}

// "Cave 1" with three squares (the second with a landing edge from (0.25, 0.25) to
// (0.6, 0.25)) and two balls, then "Cave 2" with one triangle.
inline std::unique_ptr<TMazeList> TwoCaves() {
  auto list = std::make_unique<TMazeList>();
  auto a = EmptyMaze("Cave 1");
  AddSquare(*a, -1, -1, 0.2);
  TPolygon* land = AddPolygon(*a, {{0.25, 0.25}, {0.6, 0.25}, {0.6, 0.6}, {0.25, 0.6}});
  land->GetSide(1)->sidetype = st_landing;
  land->GetSide(1)->color = a->landcolor;
  AddSquare(*a, 1, 1, 0.2, 0x000000FF);
  a->AddBall(0.5, -0.5, -1);
  a->AddBall(-0.5, 0.5, 0x0000FF);
  a->SetStart(TDRect{0.25, 0.6, 0.25, 0.25});
  list->Add(std::move(a));
  auto b = EmptyMaze("Cave 2");
  AddTriangle(*b, 0, 0, 0.3);
  list->Add(std::move(b));
  return list;
}

inline std::string RecordBytes(const TMaze& m) {
  TTextWriter w;
  m.SaveToF(w);
  return w.Bytes();
}

class EditDocTest : public ::testing::Test {
 protected:
  static constexpr int kSide = 510;  // 100 pixels per model unit

  void SetUp() override { SetProgramFilePath("/proc/self/exe"); }

  // Hands the document a new collection; the one before lives until the document let go.
  void Open(std::unique_ptr<TMazeList> l) {
    std::unique_ptr<TMazeList> before = std::move(list);
    list = std::move(l);
    doc.SetSurface(&surface);
    doc.SetMazeList(list.get());
  }
  TMaze& Maze(int i) const { return *list->GetMaze(i); }
  // The model point of an image pixel and back, through the document's matrices.
  TDPoint ToImage(double x, double y) const {
    doc.M2I().Transform(x, y);
    return TDPoint{x, y};
  }
  // The questions asked so far, as "caption: text".
  std::vector<std::string> Questions() const {
    std::vector<std::string> q;
    for (const auto& b : dialogs.boxes) q.push_back(b.caption + ": " + b.text);
    return q;
  }

  TRecordingCanvas canvas;
  TFixedSurface surface{canvas, kSide, kSide};
  TRecordingDialogs dialogs{mrYes};
  TEditDocument doc{dialogs};
  std::unique_ptr<TMazeList> list;
};
