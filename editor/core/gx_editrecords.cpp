// Taking the records of the parts a step touches (see gx_editrecords.h).
#include "gx_editrecords.h"

#include "gx_ball.h"
#include "gx_editdoc.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_polygon.h"
#include "qor_text.h"

namespace {

template <class T>
std::string RecordOf(const T& part) {
  TTextWriter w;
  part.SaveToF(w);
  return w.Bytes();
}

TMaze* MazeAt(const TEditDocument& doc, int i) {
  return doc.MazeList() ? doc.MazeList()->GetMaze(i) : nullptr;
}

std::optional<std::string> PolygonRecord(const TEditDocument& doc, const TTouched& t) {
  const TMaze* m = MazeAt(doc, t.maze);
  const TPolygon* p = m ? m->GetPolygon(t.index) : nullptr;
  if (!p) return std::nullopt;
  return RecordOf(*p);
}

std::optional<std::string> BallRecord(const TEditDocument& doc, const TTouched& t) {
  const TMaze* m = MazeAt(doc, t.maze);
  const TPolygon* b = m ? m->balllist->GetPolygon(t.index) : nullptr;
  if (!b) return std::nullopt;
  return RecordOf(*b);
}

// The record of t's part as it is now; `before` tells which side of the step this is, since
// an added part does not exist before its step and a removed one not after it.
std::optional<std::string> Capture(const TEditDocument& doc, const TTouched& t, bool before) {
  switch (t.what) {
    case TTouch::MazeAdded:
    case TTouch::MazeRemoved: {
      if (before == (t.what == TTouch::MazeAdded)) return std::nullopt;
      const TMaze* m = MazeAt(doc, t.maze);
      if (!m) return std::nullopt;
      return RecordOf(*m);
    }
    case TTouch::Polygon:
      return PolygonRecord(doc, t);
    case TTouch::PolygonAdded:
    case TTouch::PolygonRemoved:
      if (before == (t.what == TTouch::PolygonAdded)) return std::nullopt;
      return PolygonRecord(doc, t);
    case TTouch::Ball:
      return BallRecord(doc, t);
    case TTouch::BallAdded:
    case TTouch::BallRemoved:
      if (before == (t.what == TTouch::BallAdded)) return std::nullopt;
      return BallRecord(doc, t);
    case TTouch::Balls: {
      const TMaze* m = MazeAt(doc, t.maze);
      if (!m) return std::nullopt;
      return RecordOf(*m->balllist);
    }
    case TTouch::MazeFields:
    case TTouch::PolygonsSwapped:
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<TMazeFieldValues> CaptureFields(const TEditDocument& doc, const TTouched& t) {
  if (t.what != TTouch::MazeFields) return std::nullopt;
  const TMaze* m = MazeAt(doc, t.maze);
  if (!m) return std::nullopt;
  return TMazeFieldValues::Of(*m);
}

TSelectionMark MarkOf(const TEditDocument& doc) {
  TSelectionMark s;
  s.maze = doc.MazeIndex(doc.Maze());
  s.polygon = doc.PolygonIndex(doc.Polygon());
  s.corner = doc.Polygon() && doc.Side() ? doc.Polygon()->IndexOf(doc.Side()) : -1;
  s.ball = doc.BallIndex(doc.Ball());
  s.ball_sel = doc.BallSel();
  return s;
}

bool SameRect(const TDRect& a, const TDRect& b) {
  return a.x1 == b.x1 && a.x2 == b.x2 && a.y1 == b.y1 && a.y2 == b.y2;
}

}  // namespace

// --- maze fields ---------------------------------------------------------------------------------

TMazeFieldValues TMazeFieldValues::Of(const TMaze& m) {
  TMazeFieldValues v;
  v.name = m.mazename;
  v.bestdur = m.bestdur;
  v.start = m.Start();
  v.tickunit = m.TickUnit();
  v.incolor = m.incolor;
  v.outcolor = m.outcolor;
  v.linecolor = m.linecolor;
  v.landcolor = m.landcolor;
  return v;
}

void TMazeFieldValues::ApplyTo(TMaze& m) const {
  m.mazename = name;
  m.bestdur = bestdur;
  // The landing zone follows the start zone, as reading the record makes it.
  m.SetStart(start);
  if (m.TickUnit() != tickunit) m.SetTickUnit(tickunit);
  m.incolor = incolor;
  m.outcolor = outcolor;
  m.linecolor = linecolor;
  m.landcolor = landcolor;
}

bool TMazeFieldValues::Same(const TMazeFieldValues& o) const {
  return name == o.name && bestdur == o.bestdur && SameRect(start, o.start) &&
         tickunit == o.tickunit && incolor == o.incolor && outcolor == o.outcolor &&
         linecolor == o.linecolor && landcolor == o.landcolor;
}

// --- the records of a step -----------------------------------------------------------------------

void TStepRecords::Begin(TEditDocument& doc, const TEditStepInfo& step) {
  name_ = step.name;
  parts_.clear();
  parts_.reserve(step.touches.size());
  for (const TTouched& t : step.touches) {
    TPartRecord r;
    r.touch = t;
    r.before = Capture(doc, t, true);
    r.fields_before = CaptureFields(doc, t);
    parts_.push_back(std::move(r));
  }
  before_ = MarkOf(doc);
}

void TStepRecords::End(TEditDocument& doc, const TEditStepInfo& step) {
  for (std::size_t i = 0; i < parts_.size() && i < step.touches.size(); ++i) {
    parts_[i].after = Capture(doc, step.touches[i], false);
    parts_[i].fields_after = CaptureFields(doc, step.touches[i]);
  }
  after_ = MarkOf(doc);
}

bool TStepRecords::Absorb(const TStepRecords& later) {
  if (later.parts_.size() != parts_.size()) return false;
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    if (!(later.parts_[i].touch == parts_[i].touch)) return false;
  }
  for (std::size_t i = 0; i < parts_.size(); ++i) {
    parts_[i].after = later.parts_[i].after;
    parts_[i].fields_after = later.parts_[i].fields_after;
  }
  after_ = later.after_;
  return true;
}

std::size_t TStepRecords::Bytes() const {
  std::size_t n = sizeof(*this) + name_.capacity() + parts_.capacity() * sizeof(TPartRecord);
  for (const TPartRecord& p : parts_) {
    if (p.before) n += p.before->capacity();
    if (p.after) n += p.after->capacity();
  }
  return n;
}

bool TStepRecords::Unchanged() const {
  for (const TPartRecord& p : parts_) {
    if (p.touch.what == TTouch::PolygonsSwapped) return false;
    if (p.before != p.after) return false;
    if (p.fields_before.has_value() != p.fields_after.has_value()) return false;
    if (p.fields_before && !p.fields_before->Same(*p.fields_after)) return false;
  }
  return true;
}
