// The monkey's actions: what each named action does to the document, and where the mouse goes.
#include <algorithm>
#include <cmath>
#include <optional>

#include "colors.h"
#include "edit_monkey.h"
#include "gx_ball.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_timepath.h"
#include "gx_traflist.h"
#include "gx_trans.h"

std::string TEditMonkey::RandomName() {
  static const char* const kNames[] = {
      "Cave 1",
      "<no name>",
      "  padded  ",
      "Gr\xC3\xB6\xC3\x9F"
      "e",
      "\xCE\xA9 maze",
      "",
      "x",
      "tab\tinside",
      "Neu",
      "<no name> ",
  };
  return kNames[rnd_.RandomInt(static_cast<int>(std::size(kNames)))];
}

TColor TEditMonkey::RandomColor() {
  switch (rnd_.RandomInt(7)) {
    case 0:
      return clNone;
    case 1:
      return clBtnFace;
    case 2:
      return kLandDefault;
    case 3:
      return clWhite;
    case 4:
      return clBlack;
    default:
      return static_cast<TColor>(rnd_.RandomInt(0x1000000));
  }
}

void TEditMonkey::Run(const std::string& name) {
  TEditDocument& d = *doc_;
  TMaze* maze = d.Maze();
  TPolygon* pol = d.Polygon();
  const auto coin = [this] { return rnd_.RandomInt(2) == 1; };
  if (name == "undo") {
    if (history_->CanUndo()) history_->Undo();
  } else if (name == "redo") {
    if (history_->CanRedo()) history_->Redo();
  } else if (name == "select polygon") {
    const int n = maze ? maze->Count() : 0;
    const int i = rnd_.RandomInt(n + 1) - 1;
    d.SetPolygon(maze && i >= 0 ? maze->GetPolygon(i) : nullptr);
  } else if (name == "select corner") {
    if (pol && pol->Count() > 0) d.SetSide(pol->GetSide(rnd_.RandomInt(pol->Count())));
  } else if (name == "select ball") {
    const int n = maze ? maze->balllist->Count() : 0;
    const int i = rnd_.RandomInt(n + 1) - 1;
    d.SetBall(maze && i >= 0 ? maze->balllist->GetBall(i) : nullptr);
  } else if (name == "maze combo") {
    d.MazeComboSelect(rnd_.RandomInt(static_cast<int>(d.MazeComboItems().size()) + 1) - 1);
  } else if (name == "new maze") {
    d.sNewMazeClick();
  } else if (name == "insert point") {
    d.sInsPointClick();
  } else if (name == "landing") {
    d.sLandClick();
  } else if (name == "delete" || name == "delete shift") {
    d.DeleteSelection(name == "delete shift");
  } else if (name == "delete ball") {
    const int n = maze ? maze->balllist->Count() : 0;
    if (n > 0) d.SetBall(maze->balllist->GetBall(rnd_.RandomInt(n)));
    d.FormKeyDown(TEditKey::Delete, coin());
  } else if (name == "order") {
    const int n = maze ? maze->Count() : 0;
    if (n > 0) d.SetPolygon(maze->GetPolygon(rnd_.RandomInt(n)));
    d.FormKeyDown(coin() ? TEditKey::PgUp : TEditKey::PgDn, false);
  } else if (name == "clear balls") {
    d.sdelballsClick();
  } else if (name == "auto rotate") {
    d.sAutoRotClick();
  } else if (name == "auto size") {
    d.sAutoSizeClick();
  } else if (name == "auto move") {
    d.sAutoTransClick();
  } else if (name == "nudge") {
    d.NudgeSelection(rnd_.RandomInt(21) - 10, rnd_.RandomInt(21) - 10, coin());
  } else if (name == "form key") {
    static const TEditKey kKeys[] = {TEditKey::PgUp,  TEditKey::PgDn, TEditKey::Left,
                                     TEditKey::Right, TEditKey::Up,   TEditKey::Down,
                                     TEditKey::Delete};
    d.FormKeyDown(kKeys[rnd_.RandomInt(7)], coin());
  } else if (name == "tool") {
    switch (rnd_.RandomInt(3)) {
      case 0:
        d.sPolClick();
        break;
      case 1:
        d.sGearClick();
        break;
      default:
        d.sBallClick();
        break;
    }
  } else if (name == "drag type") {
    switch (rnd_.RandomInt(3)) {
      case 0:
        d.mmDragClick();
        break;
      case 1:
        d.mmSizeClick();
        break;
      default:
        d.mmRotateClick();
        break;
    }
  } else if (name == "name") {
    d.eMazenameChange(RandomName());
  } else if (name == "name exit") {
    d.eMazenameExit(maze ? maze->mazename : RandomName());
  } else if (name == "background") {
    d.cbackgroundChange(RandomColor());
  } else if (name == "line color") {
    d.clineChange(RandomColor());
  } else if (name == "fill color") {
    d.cFillChange(RandomColor());
  } else if (name == "fill check") {
    d.cbFillClick(coin());
  } else if (name == "line width") {
    d.lwidthChange(rnd_.RandomInt(30) - 5);
  } else if (name == "harmless") {
    d.eHarmlessClick(coin());
  } else if (name == "land color") {
    d.cLandChange(RandomColor());
  } else if (name == "corner count") {
    d.ePolNChange(rnd_.RandomInt(120) - 10);
  } else if (name == "traf tab") {
    d.TrafTabChange(rnd_.RandomInt(d.TrafTabCount() + 1) - 1);
  } else if (name == "resize") {
    static const int kSizes[][2] = {{800, 600}, {0, 0}, {1, 1}, {3, 500}, {1920, 1080}, {200, 0}};
    const auto& s = kSizes[rnd_.RandomInt(6)];
    surface_.SetSize(s[0], s[1]);
    d.Redraw();
  } else if (name == "remove maze") {
    // Not below two: a collection emptied early would leave the rest of the stream idle (the
    // editor without a maze is covered by its own test).
    if (list_.Count() > 2) d.RemoveMaze(list_.GetMaze(rnd_.RandomInt(list_.Count())));
  } else if (name == "mouse") {
    const int x = rnd_.RandomInt(800), y = rnd_.RandomInt(600);
    d.PlayFieldMouseDown(coin(), x, y);
    d.PlayFieldMouseMove(coin(), x + 5, y - 3);
    d.PlayFieldMouseUp(coin(), x + 5, y - 3);
  } else if (name == "export") {
    if (maze) {
      dialogs_.QueueFile(coin()
                             ? std::optional<std::string>(folder_ + (coin() ? "/a.mze" : "/b.mze"))
                             : std::nullopt);
      d.mmExportClick();
    }
  } else if (name == "import") {
    // Not past a dozen mazes, so that the audit stays quick.
    if (list_.Count() < 12) {
      static const char* const kFiles[] = {"/a.mze", "/b.mze", "/two.cav", "/junk.mze",
                                           "/missing.mze"};
      const int pick = rnd_.RandomInt(6);
      dialogs_.QueueFile(pick < 5 ? std::optional<std::string>(folder_ + kFiles[pick])
                                  : std::nullopt);
      d.mmImportClick();
    }
  } else if (name == "delete maze") {
    d.mmDeleteClick();
  } else if (name == "drag") {
    if (coin()) d.SetDragType(static_cast<TDragType>(rnd_.RandomInt(3)));
    mouse_ = Target();
    d.PlayFieldMouseDown(coin(), mouse_.X, mouse_.Y);
    for (int k = rnd_.RandomInt(7); k > 0; --k) {
      mouse_ = Wander(mouse_);
      d.PlayFieldMouseMove(coin(), mouse_.X, mouse_.Y);
    }
    if (coin()) mouse_ = Wander(mouse_);  // let go elsewhere than the last move
    d.PlayFieldMouseUp(coin(), mouse_.X, mouse_.Y);
  } else if (name == "press") {
    mouse_ = Target();
    d.PlayFieldMouseDown(coin(), mouse_.X, mouse_.Y);
  } else if (name == "drag move") {
    for (int k = 1 + rnd_.RandomInt(4); k > 0; --k) {
      mouse_ = Wander(mouse_);
      d.PlayFieldMouseMove(coin(), mouse_.X, mouse_.Y);
    }
  } else if (name == "release") {
    if (coin()) mouse_ = Wander(mouse_);
    // The button that went up may be the one that pans.
    if (d.Panning()) {
      d.EndPan(mouse_.X, mouse_.Y);
    } else {
      d.PlayFieldMouseUp(coin(), mouse_.X, mouse_.Y);
    }
  } else if (name == "end drag") {
    d.EndDrag();
  } else if (name == "close ok") {
    d.CloseQuery(true);
  } else if (name == "close cancel") {
    d.CloseQuery(false);
  } else if (name == "abandon") {
    d.Abandon();
  } else if (name == "redraw") {
    d.Redraw();
  } else if (name.rfind("frame", 0) == 0 || name == "time path drag") {
    FrameAction(name);
  } else if (name.rfind("grid", 0) == 0) {
    GridAction(name);
  } else if (name.rfind("view", 0) == 0) {
    ViewAction(name);
  } else {
    Fail("unknown action");
  }
}

TPoint TEditMonkey::Target() {
  TEditDocument& d = *doc_;
  // A person drags on a field they can see: a squeezed one is given a size first.
  if (surface_.Control().ClientWidth() < 50 || surface_.Control().ClientHeight() < 50) {
    surface_.SetSize(800, 600);
    d.Redraw();
  }
  const int w = surface_.Control().ClientWidth();
  const int h = surface_.Control().ClientHeight();
  const auto screen = [&](double x, double y) {
    const auto at = [&] {
      double ix = x, iy = y;
      d.M2I().Transform(ix, iy);
      return TDPoint{ix, h - iy};
    };
    TDPoint p = at();
    // Zoomed or panned away from it, a person fits the maze to reach it (not during a drag,
    // when the view stays).
    if (!(p.x >= 0 && p.x < w && p.y >= 0 && p.y < h) && !d.Dragging()) {
      d.mmFitMazeClick();
      p = at();
    }
    const int jitter = 4;
    return TPoint{static_cast<int>(std::lround(p.x)) + rnd_.RandomInt(2 * jitter + 1) - jitter,
                  static_cast<int>(std::lround(p.y)) + rnd_.RandomInt(2 * jitter + 1) - jitter};
  };
  const TMaze* m = d.Maze();
  const int kind = rnd_.RandomInt(10);
  if (m && kind < 4 && m->Count() > 0) {
    const TPolygon* p = m->GetPolygon(rnd_.RandomInt(m->Count()));
    if (p->Count() > 0) {
      const int i = rnd_.RandomInt(p->Count());
      const TSide* a = p->GetSide(i);
      const TSide* b = p->GetSide(i + 1);
      if (kind == 3) return screen((a->x() + b->x()) / 2, (a->y() + b->y()) / 2);  // an edge
      return screen(a->x(), a->y());
    }
  }
  if (m && kind < 6 && m->balllist->Count() > 0) {
    const TBall* b = m->balllist->GetBall(rnd_.RandomInt(m->balllist->Count()));
    return screen(b->matrix.mat[0][2], b->matrix.mat[1][2]);
  }
  if (m && (kind == 6 || kind == 7)) {
    std::vector<const TTransform*> trafs;
    for (int i = 0; i < m->Count(); ++i) {
      const TTrafList* t = m->GetPolygon(i)->TrafList();
      for (int k = 0; k < t->Count(); ++k) trafs.push_back(t->GetTraf(k));
    }
    if (!trafs.empty()) {
      const TTransform* r =
          trafs[static_cast<std::size_t>(rnd_.RandomInt(static_cast<int>(trafs.size())))];
      if (const auto* tr = dynamic_cast<const TTrans*>(r); tr && rnd_.RandomInt(2)) {
        return screen(tr->refpt.x + tr->x1, tr->refpt.y + tr->y1);  // the end point
      }
      return screen(r->refpt.x, r->refpt.y);
    }
  }
  return TPoint{rnd_.RandomInt(std::max(w, 1) + 20) - 10, rnd_.RandomInt(std::max(h, 1) + 20) - 10};
}

TPoint TEditMonkey::Wander(TPoint p) {
  if (rnd_.RandomInt(10) == 0) {
    // Off the field: past a random side.
    const int w = surface_.Control().ClientWidth();
    const int h = surface_.Control().ClientHeight();
    switch (rnd_.RandomInt(4)) {
      case 0:
        return TPoint{-1 - rnd_.RandomInt(50), p.Y};
      case 1:
        return TPoint{w + rnd_.RandomInt(50), p.Y};
      case 2:
        return TPoint{p.X, -1 - rnd_.RandomInt(50)};
      default:
        return TPoint{p.X, h + rnd_.RandomInt(50)};
    }
  }
  return TPoint{p.X + rnd_.RandomInt(121) - 60, p.Y + rnd_.RandomInt(121) - 60};
}

void TEditMonkey::FrameAction(const std::string& name) {
  TEditDocument& d = *doc_;
  // Mostly on a polygon that has animations (few have), as a player picks one and opens its
  // tabs first: in the maze shown, else in the first maze that has one.
  if (d.TrafTabCount() == 0 && rnd_.RandomInt(4) > 0) {
    const auto animated = [](const TMaze* m) {
      std::vector<TPolygon*> found;
      for (int i = 0; m && i < m->Count(); ++i) {
        if (m->GetPolygon(i)->TrafList()->Count() > 0) found.push_back(m->GetPolygon(i));
      }
      return found;
    };
    std::vector<TPolygon*> found = animated(d.Maze());
    for (int i = 0; found.empty() && i < list_.Count(); ++i) {
      found = animated(list_.GetMaze(i));
      if (!found.empty()) d.MazeComboSelect(i);
    }
    if (!found.empty() && d.Maze() && d.Maze()->IndexOf(found.front()) >= 0) {
      d.SetPolygon(found[static_cast<std::size_t>(rnd_.RandomInt(static_cast<int>(found.size())))]);
    }
  }
  // The stream deletes polygons and mazes: when no animation is left, the player adds one.
  if (d.TrafTabCount() == 0 && d.Polygon() && rnd_.RandomInt(2) == 0) {
    switch (rnd_.RandomInt(3)) {
      case 0:
        d.sAutoRotClick();
        break;
      case 1:
        d.sAutoSizeClick();
        break;
      default:
        d.sAutoTransClick();
        break;
    }
  }
  // The transform of a tab, as the frame shown for it would edit it.
  TTransform* t = d.TrafTabTraf(rnd_.RandomInt(d.TrafTabCount() + 1) - 1);
  if (!t) return;
  const auto coin = [this] { return rnd_.RandomInt(2) == 1; };
  if (name == "frame field") {
    static const TTrafField kFields[] = {TTrafField::Period, TTrafField::a1,  TTrafField::a2,
                                         TTrafField::sx1,    TTrafField::sy1, TTrafField::sx2,
                                         TTrafField::sy2,    TTrafField::dx,  TTrafField::dy};
    // Valid and invalid text, as a player types it key by key or pastes it.
    static const char* const kTexts[] = {
        "3",     "12.5", "-45", "0", "1e2",  "0.25", "32767", "40000", "1",
        " 7 ",   "2.",   "12,", "",  "-",    "abc",  "1.2.3", "nan",   "inf",
        "1e999", "0x1F", "+-1", ".", "-0.5", "1.5",  "90",    "5",     "-1e-3",
    };
    const TTrafField f = kFields[rnd_.RandomInt(static_cast<int>(std::size(kFields)))];
    const std::string text = kTexts[rnd_.RandomInt(static_cast<int>(std::size(kTexts)))];
    if (coin()) {
      d.TrafFieldEdit(t, f, text);
    } else {
      for (std::size_t n = 1; n <= text.size(); ++n) d.TrafFieldEdit(t, f, text.substr(0, n));
    }
  } else if (name == "frame spin") {
    const int seconds = d.TrafPeriodSeconds(*t) + (coin() ? 1 : -1);
    d.SetTrafPeriodSeconds(t, coin() ? seconds : rnd_.RandomInt(40010) - 5);
  } else if (name == "frame kind") {
    d.SetTrafSinusoidal(t, coin());
  } else if (name == "frame swing") {
    if (dynamic_cast<TRotate*>(t)) d.SetTrafSwing(t, coin());
  } else if (name == "frame cw") {
    if (auto* r = dynamic_cast<TRotate*>(t)) d.SetRotCw(r, coin());
  } else if (name == "frame center") {
    d.CenterTraf(t);
  } else if (name == "time path drag") {
    static const int kSizes[][2] = {{522, 300}, {200, 120}, {1000, 700}, {30, 20}};
    const auto& size = kSizes[rnd_.RandomInt(4)];
    const int w = size[0], h = size[1];
    TTimePathEditor editor(d);
    editor.SetTraf(t);
    editor.Paint(canvas_, w, h);
    // On a corner, on a segment, or anywhere.
    const TPolygon& path = *t->flinear;
    const int n = path.Count();
    TDPoint at{static_cast<double>(rnd_.RandomInt(w + 40) - 20),
               static_cast<double>(rnd_.RandomInt(h + 40) - 20)};
    const int i = n > 0 ? rnd_.RandomInt(n) : 0;
    if (n > 0 && coin()) {
      at = editor.ToScreen(path.GetSide(i)->x(), path.GetSide(i)->y());
    } else if (n > 1 && coin()) {
      const TSide* a = path.GetSide(std::min(i, n - 2));
      const TSide* b = path.GetSide(std::min(i, n - 2) + 1);
      at = editor.ToScreen((a->x() + b->x()) / 2, (a->y() + b->y()) / 2);
    }
    const int x = static_cast<int>(std::lround(at.x)), y = static_cast<int>(std::lround(at.y));
    editor.MouseDown(canvas_, w, h, x, y);
    const int moves = rnd_.RandomInt(4);
    int mx = x, my = y;
    for (int k = 0; k < moves; ++k) {
      mx = rnd_.RandomInt(w + 200) - 100;
      my = rnd_.RandomInt(h + 200) - 100;
      editor.MouseMove(canvas_, mx, my);
    }
    if (rnd_.RandomInt(8) == 0) {
      editor.CancelDrag(canvas_);  // the dialog closed in the middle of a drag
    } else {
      editor.MouseUp(canvas_, mx, my);
    }
    if (editor.Changed() && coin()) d.TrafChanged();
  }
}
