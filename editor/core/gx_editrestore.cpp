// Undo and redo in the document: the records of a step's parts put back (gx_editrecords.h).
#include <algorithm>
#include <stdexcept>

#include "gx_ball.h"
#include "gx_editdoc.h"
#include "gx_editrecords.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "qor_text.h"

namespace {

// A polygon or ball as its draw list reads its entry record.
std::unique_ptr<TPolygon> ReadEntry(const std::string& record, bool ball) {
  TTextReader r(record);
  const int id = r.ReadHeaderId();
  std::unique_ptr<TPolygon> p;
  if (ball || id == 4) {
    p = std::make_unique<TBall>();
  } else {
    p = std::make_unique<TPolygon>();
  }
  p->LoadFromF(r);
  return p;
}

bool IsPolygonTouch(TTouch t) {
  return t == TTouch::Polygon || t == TTouch::PolygonAdded || t == TTouch::PolygonRemoved;
}

bool IsBallTouch(TTouch t) {
  return t == TTouch::Ball || t == TTouch::BallAdded || t == TTouch::BallRemoved;
}

}  // namespace

void TEditDocument::PutPart(const TTouched& t, const std::optional<std::string>& from,
                            const std::optional<std::string>& to) {
  if (t.what == TTouch::MazeAdded || t.what == TTouch::MazeRemoved) {
    if (from) {
      TMaze* m = FMazeList->GetMaze(t.maze);
      if (!m) return;
      ForgetShown(m);
      for (std::size_t k = 0; k < open_mazes_.size(); ++k) {
        if (open_mazes_[k] == m) {
          open_mazes_[k] = nullptr;
          open_kept_[k] = false;
        }
      }
      if (FMaze == m) FMaze = nullptr;
      FComboItems.clear();  // filled again once every part is back
      FMazeList->Delete(t.maze);
    }
    if (to) {
      TTextReader r(*to);
      FMazeList->SetMaze(t.maze, TMazeList::ReadMaze(r, t.maze, "TMazeList"));
    }
    return;
  }
  TMaze* m = FMazeList->GetMaze(t.maze);
  if (!m) return;
  if (IsPolygonTouch(t.what)) {
    if (from) m->RemovePolygon(m->GetPolygon(t.index));
    if (to) {
      std::unique_ptr<TPolygon> p = ReadEntry(*to, false);
      // The tick unit is the maze's, handed to its polygons as reading the maze does.
      p->SetTickUnit(m->TickUnit());
      m->Insert(std::clamp(t.index, 0, m->Count()), std::move(p));
    }
  } else if (IsBallTouch(t.what)) {
    if (from) m->RemoveBall(m->balllist->GetBall(t.index));
    if (to) {
      const int at = std::clamp(t.index, 0, m->balllist->Count());
      m->balllist->Insert(at, ReadEntry(*to, true));
    }
  } else if (t.what == TTouch::Balls) {
    if (!to) return;
    // Through RemoveBall, so that no bullet keeps aiming at a freed ball.
    while (m->balllist->Count() > 0) {
      m->RemoveBall(m->balllist->GetBall(m->balllist->Count() - 1));
    }
    TTextReader r(*to);
    r.ReadHeaderId();
    auto list = std::make_unique<TBallList>();
    list->LoadFromF(r);
    m->balllist = std::move(list);
  } else if (t.what == TTouch::PolygonsSwapped) {
    if (t.index >= 0 && t.index < m->Count() && t.index2 >= 0 && t.index2 < m->Count()) {
      m->Exchange(t.index, t.index2);
    }
  }
}

void TEditDocument::PutBack(const TStepRecords& records, bool undo) {
  if (step_open_) {
    throw std::logic_error("'" + records.Name() + "' put back inside step '" + step_.name + "'");
  }
  if (!FMazeList || closed_) return;
  TBatch batch(*this);
  if (FDrag) CancelDrag();
  // The selection lets go of everything first (its own colours go back), since any of it may
  // be freed below; the model is then in its clean form, as the records were taken.
  ReleaseSelection();
  FMaze = nullptr;
  const std::vector<TPartRecord>& parts = records.Parts();
  const TSelectionMark& mark = undo ? records.MarkBefore() : records.MarkAfter();
  int show = mark.maze;
  int polygon = -1, ball = -1;
  bool shown_from_part = false;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const TPartRecord& p = parts[undo ? parts.size() - 1 - k : k];
    const auto& from = undo ? p.after : p.before;
    const auto& to = undo ? p.before : p.after;
    if (p.touch.what == TTouch::MazeFields) {
      const auto& fields = undo ? p.fields_before : p.fields_after;
      if (TMaze* m = FMazeList->GetMaze(p.touch.maze); m && fields) fields->ApplyTo(*m);
    } else {
      PutPart(p.touch, from, to);
    }
    // The maze to show: the one this step changed (an added maze once it is back; after a
    // maze went, the one shown at that side of the step).
    const bool maze_level =
        p.touch.what == TTouch::MazeAdded || p.touch.what == TTouch::MazeRemoved;
    if (!shown_from_part && (!maze_level || to)) {
      show = p.touch.maze;
      shown_from_part = true;
    }
    if (to && IsPolygonTouch(p.touch.what)) polygon = p.touch.index;
    if (to && IsBallTouch(p.touch.what)) ball = p.touch.index;
  }
  const int n = FMazeList->Count();
  FillMazeCombo();
  TMaze* m = n > 0 ? FMazeList->GetMaze(std::clamp(show, 0, n - 1)) : nullptr;
  // Not reset: the records hold the animation state as it was at that side of the step.
  ShowMaze(m, false);
  if (m) {
    if (std::find(shown_.begin(), shown_.end(), m) == shown_.end()) shown_.push_back(m);
    const bool same_maze = MazeIndex(m) == mark.maze;
    if (polygon < 0 && ball < 0 && same_maze) {
      polygon = mark.polygon;
      ball = mark.ball;
    }
    TBall* b = ball >= 0 ? m->balllist->GetBall(ball) : nullptr;
    TPolygon* p = polygon >= 0 ? m->GetPolygon(polygon) : nullptr;
    const bool ball_sel = b && (polygon < 0 || (same_maze && mark.ball_sel));
    if (b && !ball_sel) SetBall(b);
    if (p) {
      SetPolygon(p);
      const bool same_corner = same_maze && mark.polygon == polygon;
      if (same_corner && mark.corner >= 0 && mark.corner < p->Count()) {
        SetSide(p->GetSide(mark.corner));
      }
    } else if (polygon >= 0 || ball >= 0) {
      SetPolygon(nullptr);
    }
    if (b && ball_sel) SetBall(b);
  }
  UpdateCaption();
  Notify(ea_Selection | ea_Controls | ea_MazeList | ea_MazeShown | ea_Caption | ea_Tools |
         ea_TrafTabs | ea_Modified);
  Redraw();
}
