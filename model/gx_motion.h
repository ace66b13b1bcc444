#pragma once
// Smooth motion between ticks. The game ticks every 50 ms, the screen shows a picture every
// few milliseconds: each picture shows the maze between the last two ticks, at the fraction of
// the tick that has elapsed. A snapshot keeps what a picture draws of the maze after a tick
// (the rocket's pose and parts, the animated polygons' matrices, the bullets, the scroll); a
// blend puts the mixture of two snapshots into the maze for the time of one picture and puts
// the exact state back afterwards, so that the game itself never sees it.
//
// Nothing is blended across a jump (a restart, a landing snap, another maze, another run): the
// picture then shows the newest state as it is. Objects are matched by identity and never
// dereferenced through a snapshot, so a snapshot may outlive what it saw.
#include <cstdint>
#include <vector>

#include "qor_matrix.h"

class TMaze;

// Where something is and where it points: maze units, radians counter-clockwise.
struct TPose {
  double x = 0;
  double y = 0;
  double angle = 0;
};

// a at f = 0, b at f = 1 (both exactly), the straight mix between; f outside 0 .. 1 is held
// at the nearer end.
double BlendValue(double a, double b, double f);
// As BlendValue, but along the short arc: from 3 to -3 radians it turns through pi, not
// through 0. The end values are a and b exactly (an accumulated heading keeps its turns).
double BlendAngle(double a, double b, double f);
// Position along the straight line, angle along the short arc.
TPose BlendPose(const TPose& a, const TPose& b, double f);
// The affine matrix between a and b: the point c (in the matrix's own coordinates, a
// polygon's centre) moves along the straight line between its two images, and the rest turns
// about it along the short arc of the rotation between a and b, so that a turning polygon
// keeps its shape; what is left (scaling, shear) is mixed straight. a and b exactly at the ends.
tmat2d BlendMatrix(const tmat2d& a, const tmat2d& b, double f, double cx = 0, double cy = 0);

// What a picture draws of a maze after a tick.
struct TFrameSnapshot {
  struct TPart {
    const void* id = nullptr;  // the polygon; compared only
    tmat2d matrix;
  };
  struct TShot {
    const void* id = nullptr;  // the bullet; compared only
    int age = 0;
    bool exploded = false;
    double x = 0;
    double y = 0;
  };

  bool valid = false;
  const void* maze = nullptr;
  // Ticks run when it was taken (the drawing side's own count).
  std::int64_t tick = 0;
  bool has_rocket = false;
  int rocket_jumps = 0;     // restarts and landing snaps
  int rocket_restarts = 0;  // restarts alone (new runs)
  bool rocket_exploded = false;
  std::uint32_t clock = 0;  // the run's clock (ticks), which a best run's ghost follows
  TPose rocket;       // the rocket's matrix as a pose (translation, heading)
  tmat2d rocket_matrix;
  double scroll_x = 0;  // the rocket's physical position, which the play view centres
  double scroll_y = 0;
  std::vector<TPart> rocket_parts;  // hull and flame, or the fragments
  std::vector<TPart> polygons;      // the maze's polygons, in order
  std::vector<TShot> shots;         // the bullets, in order
};

// The snapshot of maze as it is now, counted as tick.
TFrameSnapshot TakeSnapshot(const TMaze& maze, std::int64_t tick);
// Whether a and b lie on one continuous stretch of play, so that pictures between them may be
// blended: the same maze, and no new run in between. The rocket (and the scroll that follows
// it) is blended only when it was not put anywhere either: RocketContinuous.
bool Continuous(const TFrameSnapshot& a, const TFrameSnapshot& b);
bool RocketContinuous(const TFrameSnapshot& a, const TFrameSnapshot& b);
// Whether maze is still exactly as s saw it (nothing moved it since).
bool StillAsTaken(const TMaze& maze, const TFrameSnapshot& s);

// For the time of one picture: puts the blend of prev and cur at fraction f into maze, when
// maze is still as cur saw it and the two are continuous; otherwise leaves maze as it is.
// The destructor puts back every value it changed, bit for bit.
class TMotionBlend {
 public:
  TMotionBlend(TMaze& maze, const TFrameSnapshot& prev, const TFrameSnapshot& cur, double f);
  ~TMotionBlend();
  TMotionBlend(const TMotionBlend&) = delete;
  TMotionBlend& operator=(const TMotionBlend&) = delete;

  // Whether the picture shows a blend (false: the maze as it is).
  bool Blended() const { return blended_; }

 private:
  struct TSaved {
    tmat2d* where;
    tmat2d value;
  };
  struct TSavedReal {
    double* where;
    double value;
  };
  void Change(tmat2d& where, const tmat2d& value);
  void Change(double& where, double value);

  bool blended_ = false;
  std::vector<TSaved> matrices_;
  std::vector<TSavedReal> reals_;
};
