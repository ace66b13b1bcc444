#pragma once
// Point-mass physics as a transform: thrust of adjustable size and direction, constant gravity,
// linear friction and a mass, integrated tick by tick (semi-implicit Euler) into a position
// that the matrix translates to. The rocket and each of its fragments carry one.
//
// Units: positions in maze units, velocities per tick, accelerations per tick squared; forces
// divided by the mass give accelerations. Each quantity has a current value and an initial
// value (suffix o) that reset returns to; the record stores only the initial values.
#include "gx_transform.h"

class TForce : public TTransform {
  QOR_CLASS(TForce)
 public:
  // Mass 1, everything else 0 (the initial mass too).
  TForce();

  // Stores the initial values and resets to them.
  void init(double force, double mass, double friction, double angle, double gravx, double gravy,
            double accx, double accy, double velx, double vely, double posx, double posy);

  // Direction of the thrust in radians; writing also updates its sine, cosine and components.
  double a() const { return Ffa; }
  void SetA(double x);
  // Size of the thrust; writing also updates its components.
  double f() const { return Ff; }
  void SetF(double x);

  // Plain access to the current values (writing touches nothing else).
  double fr() const { return Ffr; }
  void SetFr(double v) { Ffr = v; }
  double m() const { return Fm; }
  void SetM(double v) { Fm = v; }
  double gx() const { return Fgx; }
  void SetGx(double v) { Fgx = v; }
  double gy() const { return Fgy; }
  void SetGy(double v) { Fgy = v; }
  double ax() const { return Fax; }
  void SetAx(double v) { Fax = v; }
  double ay() const { return Fay; }
  void SetAy(double v) { Fay = v; }
  double vx() const { return Fvx; }
  void SetVx(double v) { Fvx = v; }
  double vy() const { return Fvy; }
  void SetVy(double v) { Fvy = v; }
  double px() const { return Fpx; }
  void SetPx(double v) { Fpx = v; }
  double py() const { return Fpy; }
  void SetPy(double v) { Fpy = v; }

  // Back to the initial values; the matrix translates to the initial position.
  void reset() override;
  // One integration step of length t.
  void settime(double t) override;
  // A force has no marker.
  void DrawRefImage(TCanvas& cv, int x, int y) override;

  // Only the initial values are read and written; loading does not reset.
  bool LoadFromF(TTextReader& f) override;
  bool SaveToF(TTextWriter& f) const override;

  double Ffr = 0, Ffro = 0;
  double Ffa = 0, Ffao = 0;
  double Fcosa = 0, Fsina = 0;
  double Ff = 0, Ffo = 0;
  double FFx = 0, FFy = 0;
  double Fgx = 0, Fgy = 0;
  double Fgxo = 0, Fgyo = 0;
  double Fm = 1.0, Fmo = 0;
  double Fax = 0, Fay = 0;
  double Faxo = 0, Fayo = 0;
  double Fvx = 0, Fvy = 0;
  double Fvxo = 0, Fvyo = 0;
  double Fpx = 0, Fpy = 0;
  double Fpxo = 0, Fpyo = 0;
};
