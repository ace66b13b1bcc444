#include "edit_monkey.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "../../../tools/stress_maze.h"
#include "colors.h"
#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_timepath.h"
#include "gx_traflist.h"
#include "gx_trans.h"
#include "qor_text.h"
#include "scripted_keys.h"

namespace {

std::unique_ptr<TPolygon> Shape(std::initializer_list<std::pair<double, double>> corners,
                                TColor color, TColor fill, TBrushStyle style) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(color);
  for (auto [x, y] : corners) p->AddSide(x, y, st_normal, color);
  p->fillcolor = fill;
  p->fillstyle = style;
  p->width = 2;
  return p;
}

std::unique_ptr<TMaze> NewMaze(const std::string& name) {
  auto m = std::make_unique<TMaze>();
  m->mazename = name;
  m->incolor = 0x202020;
  m->outcolor = 0;
  m->linecolor = 0xFFFF00;
  m->landcolor = 0x0000FFEE;
  return m;
}

}  // namespace

std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t line = 1, start = 0;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) {
      const auto end_a = a.find('\n', i), end_b = b.find('\n', i);
      return "line " + std::to_string(line) + ": '" + a.substr(start, end_a - start) + "' vs '" +
             b.substr(start, end_b - start) + "'";
    }
    if (a[i] == '\n') {
      ++line;
      start = i + 1;
    }
  }
  return "lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}

std::unique_ptr<TMazeList> MakeRichCollection() {
  auto list = std::make_unique<TMazeList>();

  auto cave = NewMaze("Cave 1");
  cave->AddPolygon(Shape({{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}, 0xFFFF00, 0, bsSolid));
  auto inner = Shape({{0.25, 0.25}}, 0xFFFF00, clBlue, bsSolid);
  inner->AddSide(0.6, 0.25, st_landing, cave->landcolor);
  inner->AddSide(0.4, 0, st_normal, inner->Color());
  inner->AddSide(-0.05, -0.25, st_normal, inner->Color());
  cave->AddPolygon(std::move(inner));
  auto harmless = Shape({{-0.8, -0.8}, {-0.6, -0.5}, {-0.4, -0.8}}, 0x00FF00, 0x004000, bsCross);
  harmless->harmless = true;
  cave->AddPolygon(std::move(harmless));
  auto open = Shape({{-0.9, 0.6}, {-0.7, 0.8}, {-0.5, 0.6}, {-0.3, 0.8}}, clBtnFace, 0, bsClear);
  open->open = true;
  cave->AddPolygon(std::move(open));
  auto turning =
      Shape({{0.5, -0.7}, {0.5, -0.5}, {0.7, -0.5}, {0.7, -0.7}}, 0x0080FF, clNone, bsFDiagonal);
  auto r1 = std::make_unique<TRotate>();
  r1->init(0, 0.6, -0.6, 80);
  turning->TrafList()->AddTraf(std::move(r1));
  auto r2 = std::make_unique<TRotate>();
  r2->init(0, 0.5, -0.5, 120);
  r2->SetSwing(true);
  r2->SetA1(-0.5);
  r2->SetA2(0.5);
  turning->TrafList()->AddTraf(std::move(r2));
  auto sc = std::make_unique<TScale>();
  sc->init(0.6, -0.6, 0.8, 0.9, 1.2, 1.1, 60);
  turning->TrafList()->AddTraf(std::move(sc));
  cave->AddPolygon(std::move(turning));
  cave->AddBall(0.8, 0.8, -1);
  cave->AddBall(-0.5, 0.2, 0x0000FF);
  cave->AddBall(0.1, -0.7, 0x00FFFF);
  cave->SetStart(TDRect{0.25, 0.6, 0.25, 0.25});
  list->Add(std::move(cave));

  auto gears = NewMaze("Gears");
  auto wheel = TPolygon::CreateCircle(0, 0, 0.5, 0.4, 0, 20, 0xFF00FF);
  wheel->SetColor(0xFF00FF);
  auto slide = std::make_unique<TTrans>();
  slide->SetRx(0);
  slide->SetRy(0);
  slide->x1 = 0.3;
  slide->y1 = -0.2;
  slide->SetPeriod(40);
  wheel->TrafList()->AddTraf(std::move(slide));
  auto pulse = std::make_unique<TScale>();
  pulse->init(0, 0, 0.9, 0.9, 1.1, 1.1, 100);
  wheel->TrafList()->AddTraf(std::move(pulse));
  gears->AddPolygon(std::move(wheel));
  gears->AddPolygon(Shape({{-2, -2}, {-2, 2}, {2, 2}, {2, -2}}, 0xFFFFFF, 0, bsClear));
  gears->SetStart(TDRect{-1.5, -1.2, -1.5, -1.5});
  list->Add(std::move(gears));

  auto empty = NewMaze("Empty");
  empty->AddBall(0, 0, -1);
  list->Add(std::move(empty));

  TStressOptions slice;
  slice.polygons = 24;
  slice.balls = 8;
  slice.clear_radius = 1;
  auto stress = MakeStressMaze(slice);
  stress->mazename = "Stress (slice)";
  list->Add(std::move(stress));

  auto tri = NewMaze("Tri");
  tri->AddPolygon(Shape({{-0.1, -0.1}, {0, 0.1}, {0.1, -0.1}}, 0xFFFF00, clBlue, bsSolid));
  list->Add(std::move(tri));

  for (int i = 0; i < list->Count(); ++i) {
    list->GetMaze(i)->SetTickUnit(50);
    list->GetMaze(i)->reset();
  }
  return list;
}

std::string CollectionBytes(const TMazeList& list) {
  TTextWriter w;
  list.SaveToF(w);
  return w.Bytes();
}

// --- the gate audit ---------------------------------------------------------------------------

// One maze in parts, after a reset: its own fields, each polygon's record, each ball's record.
struct TMazePart {
  std::string fields;
  std::vector<std::string> polygons;
  std::vector<std::string> balls;
};

struct TEditMonkey::TShape {
  std::vector<TMazePart> mazes;
};

class TEditMonkey::TAudit : public TEditStepObserver {
 public:
  void StepBegin(TEditDocument& doc, const TEditStepInfo& step) override { CheckClean(doc, step); }
  void StepEnd(TEditDocument& doc, const TEditStepInfo& step) override {
    CheckClean(doc, step);
    steps.push_back(step);
    ++counts[step.name];
  }
  void CheckClean(TEditDocument& doc, const TEditStepInfo& step) {
    // The observer must see the own colours, never the highlights.
    if (doc.Polygon() && doc.Polygon()->Color() != doc.PolColor()) {
      problem = "step '" + step.name + "' was observed with the polygon highlighted";
    }
    if (doc.Side() && doc.Side()->color != doc.SideColor()) {
      problem = "step '" + step.name + "' was observed with the corner highlighted";
    }
  }
  std::vector<TEditStepInfo> steps;
  std::map<std::string, int> counts;
  std::string problem;
};

// The audit and the history, both hearing every step.
namespace {

TMazePart Parts(TMaze& m) {
  TMazePart part;
  TTextWriter w;
  w.StrLine(m.mazename);
  w.RealsLine({m.bestdur});
  w.RealsLine({m.Start().x1, m.Start().x2, m.Start().y1, m.Start().y2});
  w.IntLine(m.TickUnit()).IntLine(m.incolor).IntLine(m.outcolor);
  w.IntLine(m.linecolor).IntLine(m.landcolor);
  w.RealsLine({m.extent.x1, m.extent.x2, m.extent.y1, m.extent.y2});
  for (const auto& row : m.matrix.mat) w.RealsLine({row[0], row[1], row[2]});
  part.fields = w.Bytes();
  for (int i = 0; i < m.Count(); ++i) {
    TTextWriter pw;
    m.GetPolygon(i)->SaveToF(pw);
    part.polygons.push_back(pw.Bytes());
  }
  for (int i = 0; i < m.balllist->Count(); ++i) {
    TTextWriter bw;
    m.balllist->GetPolygon(i)->SaveToF(bw);
    part.balls.push_back(bw.Bytes());
  }
  return part;
}

}  // namespace

// --- the monkey ---------------------------------------------------------------------------------

TEditMonkey::TEditMonkey(TMazeList& list, std::uint64_t seed, bool audit)
    : list_(list),
      seed_(seed),
      rnd_(seed),
      surface_(canvas_, 800, 600),
      audit_(std::make_unique<TAudit>()),
      audit_shapes_(audit) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("gx_edit_monkey_" + std::to_string(::getpid()) +
                                                    "_" + std::to_string(seed));
  fs::remove_all(dir);
  fs::create_directories(dir);
  folder_ = dir.string();
  // Files to import besides the ones the monkey exports: a collection of two and a broken one.
  TMazeList two;
  two.Add(NewMaze("Imported 1"));
  two.Add(NewMaze("Imported 2"));
  two.GetMaze(1)->AddPolygon(Shape({{-1, -1}, {0, 1}, {1, -1}}, 0xFF00FF, 0x100010, bsSolid));
  WriteFileBytes((dir / "two.cav").string(), CollectionBytes(two));
  WriteFileBytes((dir / "junk.mze").string(), "7 Junk\r\n1\r\n2 3 x\r\n");
  OpenSession();
}

const std::map<std::string, int>& TEditMonkey::StepCounts() const {
  return audit_->counts;
}

TEditMonkey::~TEditMonkey() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

void TEditMonkey::Fail(const std::string& what) const {
  throw std::runtime_error("editor monkey, seed " + std::to_string(seed_) + ", action " +
                           std::to_string(actions_) + " (" + action_ + "): " + what);
}

TEditStepObserver& TEditMonkey::AuditObserver() {
  return *audit_;
}

void TEditMonkey::OpenSession() {
  observers_.reset();
  history_.reset();
  doc_ = std::make_unique<TEditDocument>(dialogs_);
  doc_->SetSurface(&surface_);
  PlugHistory();
  open_bytes_ = CollectionBytes(list_);
  doc_->SetMazeList(&list_);
  if (list_.Count() > 0) doc_->SetMaze(list_.GetMaze(rnd_.RandomInt(list_.Count())));
  history_base_ = doc_->CleanCollection();
  ++sessions_;
}

void TEditMonkey::Finish() {
  doc_->Abandon();
}

void TEditMonkey::Act() {
  struct TAction {
    const char* name;
    int weight;
  };
  static const TAction kActions[] = {
      {"select polygon", 8}, {"select corner", 8}, {"select ball", 4},  {"maze combo", 3},
      {"new maze", 1},       {"insert point", 4},  {"landing", 4},      {"delete", 4},
      {"delete shift", 2},   {"clear balls", 1},   {"auto rotate", 2},  {"auto size", 2},
      {"auto move", 2},      {"nudge", 6},         {"form key", 8},     {"tool", 3},
      {"drag type", 2},      {"name", 3},          {"name exit", 1},    {"background", 1},
      {"line color", 2},     {"fill color", 2},    {"fill check", 2},   {"line width", 2},
      {"harmless", 1},       {"land color", 1},    {"corner count", 1}, {"traf tab", 2},
      {"resize", 1},         {"remove maze", 1},   {"mouse", 2},        {"close ok", 1},
      {"close cancel", 1},   {"abandon", 1},       {"redraw", 1},       {"delete ball", 2},
      {"order", 3},          {"frame field", 8},   {"frame spin", 2},   {"frame kind", 2},
      {"frame swing", 1},    {"frame cw", 1},      {"frame center", 1}, {"time path drag", 5},
      {"export", 1},         {"import", 1},        {"delete maze", 1},  {"drag", 8},
      {"press", 2},          {"drag move", 3},     {"release", 2},      {"end drag", 1},
  };
  // The snapping grid (edit_monkey_grid.cpp).
  static const TAction kGridActions[] = {{"grid switch", 2}, {"grid step", 2}};
  // Zoom and pan between the edits (edit_monkey_view.cpp).
  static const TAction kViewActions[] = {{"view wheel", 3}, {"view menu", 2}, {"view pan", 2}};
  static const std::vector<TAction> kAll = [] {
    std::vector<TAction> all(std::begin(kActions), std::end(kActions));
    all.insert(all.end(), std::begin(kGridActions), std::end(kGridActions));
    all.insert(all.end(), std::begin(kViewActions), std::end(kViewActions));
    return all;
  }();
  int total = 0;
  for (const TAction& a : kAll) total += a.weight;
  int pick = rnd_.RandomInt(total);
  const TAction* chosen = &kAll[0];
  for (const TAction& a : kAll) {
    if (pick < a.weight) {
      chosen = &a;
      break;
    }
    pick -= a.weight;
  }
  ++actions_;
  action_ = chosen->name;
  // With a history, now and then an undo or a redo instead.
  if (history_ && rnd_.RandomInt(8) == 0) action_ = rnd_.RandomInt(3) == 0 ? "redo" : "undo";
  ++counts_[action_];

  // Every question of this action gets a random answer.
  dialogs_.SetAnswer(rnd_.RandomInt(2) ? mrYes : mrNo);
  audit_->steps.clear();
  if (audit_shapes_ && !shape_) shape_ = std::make_unique<TShape>(TakeShape());
  const int steps_before = doc_->StepCount();
  Run(action_);
  CheckGrid(steps_before);
  if (!doc_->SelectionValid()) Fail("the selection points at an object that is gone");
  if (!audit_->problem.empty()) Fail(audit_->problem);
  const bool history_action = action_ == "undo" || action_ == "redo";
  if (audit_shapes_ && history_action) {
    // Putting a step back names no step of its own; CheckStretch checks it whole.
    shape_.reset();
  } else if (audit_shapes_) {
    if (doc_->Restored()) {
      if (CollectionBytes(list_) != open_bytes_) {
        Fail("the restored collection differs from its opening bytes: " +
             FirstDifference(CollectionBytes(list_), open_bytes_));
      }
      shape_.reset();
    } else {
      auto after = std::make_unique<TShape>(TakeShape());
      Verify(*shape_, *after);
      shape_ = std::move(after);
    }
  }
  if (doc_->Closed()) {
    OpenSession();
    shape_.reset();  // the new session resets the maze it shows
  }
}

TEditMonkey::TShape TEditMonkey::TakeShape() {
  TShape shape;
  std::vector<std::string> records;
  std::vector<TShape> parts;
  for (int i = 0; i < list_.Count(); ++i) {
    std::string record = doc_->CleanRecord(*list_.GetMaze(i));
    const auto at = static_cast<std::size_t>(i);
    if (at < cached_records_.size() && cached_records_[at] == record) {
      parts.push_back(std::move(cached_parts_[at]));
    } else {
      TTextReader r(record);
      std::unique_ptr<TMaze> m = TMazeList::ReadMaze(r, i, "TMazeList");
      m->reset();
      parts.push_back(TShape{{Parts(*m)}});
    }
    shape.mazes.push_back(parts.back().mazes.front());
    records.push_back(std::move(record));
  }
  cached_records_ = std::move(records);
  cached_parts_ = std::move(parts);
  return shape;
}

void TEditMonkey::Verify(const TShape& before, const TShape& after) {
  // What may differ: the parts the action's steps named, followed through the steps in order.
  struct TExpect {
    bool whole = false;
    bool balls_any = false;  // the whole ball list
    std::optional<std::string> fields;
    std::vector<std::optional<std::string>> polygons;
    std::vector<std::optional<std::string>> balls;
  };
  std::vector<TExpect> expect;
  for (const TMazePart& m : before.mazes) {
    TExpect e;
    e.fields = m.fields;
    for (const std::string& p : m.polygons) e.polygons.emplace_back(p);
    for (const std::string& b : m.balls) e.balls.emplace_back(b);
    expect.push_back(std::move(e));
  }
  std::string named;
  for (const TEditStepInfo& step : audit_->steps) {
    for (const TTouched& t : step.touches) {
      named += " [" + step.name + ": " + Describe(t) + "]";
      const auto in = [&](int i, std::size_t n, bool end_ok) {
        if (i < 0 || i > static_cast<int>(n) || (!end_ok && i == static_cast<int>(n))) {
          Fail("step '" + step.name + "' names " + Describe(t) + ", which does not exist");
        }
      };
      if (t.what == TTouch::MazeAdded) {
        in(t.maze, expect.size(), true);
        TExpect e;
        e.whole = true;
        expect.insert(expect.begin() + t.maze, std::move(e));
        continue;
      }
      in(t.maze, expect.size(), false);
      TExpect& m = expect[static_cast<std::size_t>(t.maze)];
      switch (t.what) {
        case TTouch::MazeRemoved:
          expect.erase(expect.begin() + t.maze);
          break;
        case TTouch::MazeFields:
          m.fields.reset();
          break;
        case TTouch::Polygon:
          in(t.index, m.polygons.size(), false);
          m.polygons[static_cast<std::size_t>(t.index)].reset();
          break;
        case TTouch::PolygonAdded:
          in(t.index, m.polygons.size(), true);
          m.polygons.insert(m.polygons.begin() + t.index, std::nullopt);
          break;
        case TTouch::PolygonRemoved:
          in(t.index, m.polygons.size(), false);
          m.polygons.erase(m.polygons.begin() + t.index);
          break;
        case TTouch::PolygonsSwapped:
          in(t.index, m.polygons.size(), false);
          in(t.index2, m.polygons.size(), false);
          std::swap(m.polygons[static_cast<std::size_t>(t.index)],
                    m.polygons[static_cast<std::size_t>(t.index2)]);
          break;
        case TTouch::Ball:
          in(t.index, m.balls.size(), false);
          m.balls[static_cast<std::size_t>(t.index)].reset();
          break;
        case TTouch::BallAdded:
          in(t.index, m.balls.size(), true);
          m.balls.insert(m.balls.begin() + t.index, std::nullopt);
          break;
        case TTouch::BallRemoved:
          in(t.index, m.balls.size(), false);
          m.balls.erase(m.balls.begin() + t.index);
          break;
        case TTouch::Balls:
          m.balls_any = true;
          break;
        case TTouch::MazeAdded:
          break;
      }
    }
  }
  const std::string steps = named.empty() ? " (no step)" : named;
  if (expect.size() != after.mazes.size()) {
    Fail("the collection has " + std::to_string(after.mazes.size()) + " mazes, the steps say " +
         std::to_string(expect.size()) + steps);
  }
  for (std::size_t i = 0; i < expect.size(); ++i) {
    const TExpect& e = expect[i];
    const TMazePart& a = after.mazes[i];
    if (e.whole) continue;
    const std::string where = "maze " + std::to_string(i);
    if (e.fields && *e.fields != a.fields) {
      Fail(where + ": its own fields changed: " + FirstDifference(*e.fields, a.fields) + steps);
    }
    if (e.polygons.size() != a.polygons.size()) {
      Fail(where + " has " + std::to_string(a.polygons.size()) + " polygons, the steps say " +
           std::to_string(e.polygons.size()) + steps);
    }
    for (std::size_t k = 0; k < a.polygons.size(); ++k) {
      if (e.polygons[k] && *e.polygons[k] != a.polygons[k]) {
        Fail(where + ": polygon " + std::to_string(k) +
             " changed: " + FirstDifference(*e.polygons[k], a.polygons[k]) + steps);
      }
    }
    if (e.balls_any) continue;
    if (e.balls.size() != a.balls.size()) {
      Fail(where + " has " + std::to_string(a.balls.size()) + " balls, the steps say " +
           std::to_string(e.balls.size()) + steps);
    }
    for (std::size_t k = 0; k < a.balls.size(); ++k) {
      if (e.balls[k] && *e.balls[k] != a.balls[k]) {
        Fail(where + ": ball " + std::to_string(k) + " changed" + steps);
      }
    }
  }
}

void TEditMonkey::CheckStretch(int ticks) {
  // Putting steps back names no step: the audit starts again from what is there then.
  if (CheckHistory()) shape_.reset();
  const std::string written = doc_->CleanCollection();
  TTextReader r(written);
  r.ReadLn();      // the collection's header line
  TRocket rocket;  // outlives the copy, whose mazes point at it
  TMazeList copy;
  copy.LoadFromF(r);
  const std::string again = CollectionBytes(copy);
  if (again != written) {
    Fail("the collection read back writes other bytes: " + FirstDifference(written, again));
  }
  TScriptedKeys keys;
  for (int i = 0; i < copy.Count(); ++i) {
    TMaze* m = copy.GetMaze(i);
    m->SetRocket(&rocket);
    m->SetKeyService(&keys);
    m->SetTickUnit(50);
    m->reset();
    keys.ReleaseAll();
    for (int t = 0; t < ticks; ++t) {
      // Thrust now and then, turn, fire: enough to move the rocket into walls and balls.
      if (t % 40 == 0) keys.Down(vk::LControl);
      if (t % 40 == 25) keys.Up(vk::LControl);
      if (t % 30 == 5) keys.Tap(i % 2 ? vk::Left : vk::Right);
      if (t % 10 == 0) keys.Tap(vk::Up);
      m->TickTime(1);
    }
  }
}
