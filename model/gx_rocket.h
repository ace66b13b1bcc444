#pragma once
// The player's rocket: a draw list whose entries are the hull (and the flame while the thrust
// is shown), or 30 tumbling fragments after a crash. Its transform list holds its rotation
// (the heading) followed by its physics (TForce).
#include <memory>
#include <vector>

#include "gx_drawlist.h"

class TBullit;
class TForce;
class TMaze;
class TPolygon;
class TRotate;

class TRocket : public TDrawList {
  QOR_LIST_CLASS(TRocket)
 public:
  TRocket();
  ~TRocket() override;

  // restart(pi/2) and score 0.
  void reset() override;
  // A fresh rocket at startpos pointing at angle a; the score stays.
  void restart(double a);
  // One tick of a run: motion, explosion countdown, ramming, crash or landing, cannon.
  void execute(TMaze& maze, double t);
  // Turns by da (radians, counter-clockwise).
  void rotate(double da);

  double angle() const { return fangle; }
  void SetAngle(double x);
  bool Exploded() const { return FExploded; }
  // Setting true breaks the rocket into fragments.
  void SetExploded(bool v);
  // Whether the flame is shown (an entry of the list).
  bool ThrustOn() const;
  void SetThrustOn(bool v);
  bool ShootOK() const { return FBullitTicks < 1; }
  // True once for each wait of an overheated cannon, when fire is refused during it.
  bool TakeRefusal();

  TForce* Force() const { return FForce; }
  TRotate* Rotation() const { return FRot; }
  // The flame; always exists, an entry only while the thrust is shown.
  TPolygon* Tail() const { return tail; }

  // Does the hull touch a visible, not harmless polygon of dl? p and s: the polygon touched
  // and the corner ending the crossed edge.
  bool CheckHit(TDrawList& dl, TPolygon*& p, TSide*& s) const;
  bool CheckHitLine(TDrawList& dl, const TDRect& l, TPolygon*& p, TSide*& s) const;

  void Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doPoints) override;
  void DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) override;

  // A new bullet from the nose, aimed with its precomputed hit; heats the cannon.
  std::unique_ptr<TBullit> Shoot();

  void MakeShape();
  void MakeDebris();
  std::unique_ptr<TPolygon> MakeFragment(int n);
  // matrix := the transform list's product now.
  void RefreshMatrix();

  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;
  bool SaveToF(TTextWriter& f) const override;

  int FExplTicks = 0;
  int FBullitTicks = 0;
  int FCannonHeat = 0;
  bool FExploded = false;
  TForce* FForce = nullptr;  // owned by the transform list
  TRotate* FRot = nullptr;   // owned by the transform list
  TMaze* maze = nullptr;     // not owned
  tvec2d startpos;
  int score = 0;
  TColor color = 0x00FF00;
  int width = 2;
  double fangle = 0;
  double sx = 0.0859375;
  double sy = 0.03125;
  TPolygon* tail = nullptr;  // owned: by the list while shown, else by tail_owner_
  int health = 1000;
  // Count the times the rocket was put somewhere instead of flying there (every restart and
  // every snap of a landing, also the one that holds a standing rocket on its edge), and the
  // restarts alone (a new run: the whole maze starts again). A picture blended between two
  // ticks must not span one.
  int jumps = 0;
  int restarts = 0;
  // What the sound has been told: the last shot overheated the cannon and its refusal was
  // reported, the rocket stood on a landing edge after the last tick, the flame burns.
  bool FJammed = false;
  bool FRefusalReported = false;
  bool FStanding = true;
  bool FThrustReported = false;

  // The crash test first drops the polygons whose bounding box (in maze coordinates, with a
  // small margin) misses the hull's, then runs the plain loops over the rest in the same
  // order: the results are exactly those of the plain loops, which tests compare by turning
  // this off.
  static inline bool BoxShortcut = true;

 private:
  std::unique_ptr<TPolygon> tail_owner_;
  mutable std::vector<TPolygon*> near_;  // scratch of the crash test, kept to avoid allocating
};

// The bounding box of p's corners mapped through p's matrix, widened by a margin that covers
// the rounding of the segment routines; false when p has no corners or a corner is not a
// finite number (such a polygon must then be tested the plain way).
bool MappedBoundingBox(const TPolygon& p, TDRect& r);
// Whether two boxes (x1 <= x2, y1 <= y2) overlap, edges included.
inline bool BoxesOverlap(const TDRect& a, const TDRect& b) {
  return a.x1 <= b.x2 && b.x1 <= a.x2 && a.y1 <= b.y2 && b.y1 <= a.y2;
}
