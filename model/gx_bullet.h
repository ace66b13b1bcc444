#pragma once
// Bullets of the rocket's cannon and the list of bullets in flight.
#include <memory>
#include <vector>

#include "canvas.h"
#include "gx_geometry.h"
#include "gx_side.h"
#include "qor_utils.h"

class TMaze;
class TPolygon;
class TRocket;

// A bullet is a point (the inherited `pos`) with a velocity. Its meeting with a fixed obstacle
// is worked out when it is fired (TicksTillExpl); moving polygons are tested on every tick.
// When its time is up it bursts into sparks stuck to the polygon it hit. Never written to a
// file.
class TBullit : public TSide {
  QOR_CLASS(TBullit)
 public:
  TBullit();

  // Index 0 pos.x, 1 pos.y, 2 Vel.x, 3 Vel.y; other indices read 0 and write nothing.
  double GetCoord(int index) const override;
  void SetCoord(int index, double value) override;
  double vx() const { return GetCoord(2); }
  double vy() const { return GetCoord(3); }
  void SetVx(double v) { SetCoord(2, v); }
  void SetVy(double v) { SetCoord(3, v); }

  // The current brightness: full when fired, fading to 0 at the end of its life.
  double Force() const;
  void SetForce(double v) { FForce = v; }
  // Not burst yet, and its time to burst has come.
  bool EndOfTravel() const { return !Exploded && Age >= TicksTillExpl; }
  // Its life or travel is over and no burst is running: the list may drop it.
  bool EndOfLife() const { return (Age >= LifeTime || Age >= TicksTillExpl) && FExplTicks <= 0; }

  // One tick of flight or burst; t is not used.
  void Execute(int t);
  // Tests the stretch just flown against the maze's animated polygons.
  void HitAnimatedObjects(TMaze& maze);
  // Aims at (x, y) of pol (maze coordinates): the burst will sit there on pol, in pol's own
  // coordinates so that it moves with pol (in maze coordinates when pol's matrix has no
  // inverse).
  void SetImpact(TPolygon* pol, double x, double y);
  void Explode();
  // A fading dot while flying, sparks while bursting (on the struck polygon).
  void Draw(const TControl& f, TCanvas& cv, const tmat2d& m);

  double FForce = 1.0;
  int FExplTicks = 0;
  tvec2d Vel;
  int Age = 0;
  double Explx = 0;
  double Exply = 0;
  // The polygon (or ball) hit or to be hit; not owned. Bullets live only within one run of
  // one maze, and the maze clears them before its polygons can go.
  TPolygon* Polygon = nullptr;
  bool Exploded = false;
  int TicksTillExpl = 0;
  int LifeTime = 0;
};

// The bullets in flight; owns them.
class TBullitList : public TQorList {
  QOR_LIST_CLASS(TBullitList)
 public:
  TBullitList() = default;
  // The bullet at index, or null outside 0 .. Count - 1.
  TBullit* Bullits(int index) const;
  int AddBullit(std::unique_ptr<TBullit> b);
  // One tick for every bullet: flight, hits on moving polygons, bursts, scoring, removal.
  void Execute(TMaze& maze, TRocket& rkt, int t);
  // Re-aims the bullets that were flying at the ball b has just destroyed.
  void RecomputeBallHits(TMaze& maze, TBullit* b);
  void Draw(const TControl& f, TCanvas& cv, const tmat2d& m);

  // Each tick, the moving polygons' bounding boxes are taken once, and a bullet tests only
  // those whose box meets the stretch it has just flown, in list order; aiming (firing and
  // re-aiming) skips the fixed polygons and balls whose box its ray misses. The results are
  // exactly those of the plain searches, which tests compare by turning this off.
  static inline bool BoxShortcut = true;

 private:
  struct TBox {
    TPolygon* p;
    TDRect r;
    bool always;  // no usable box: always tested
  };
  void TakeMovingBoxes(TMaze& maze);
  void HitMovingBoxes(TBullit& b) const;
  std::vector<TBox> moving_;  // scratch, kept to avoid allocating every tick
};

// One burst of six random lines of half-length r through p, in colour c.
void DrawSparks(TCanvas& cv, TPoint p, int r, TColor c);
