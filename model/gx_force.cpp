#include "gx_force.h"

#include <cmath>

TForce::TForce() {
  FId = 12;
}

void TForce::init(double force, double mass, double friction, double angle, double gravx,
                  double gravy, double accx, double accy, double velx, double vely, double posx,
                  double posy) {
  Ffo = force;
  Fmo = mass;
  Ffro = friction;
  Ffao = angle;
  Fgxo = gravx;
  Fgyo = gravy;
  Faxo = accx;
  Fayo = accy;
  Fvxo = velx;
  Fvyo = vely;
  Fpxo = posx;
  Fpyo = posy;
  reset();
}

void TForce::SetA(double x) {
  Ffa = x;
  Fcosa = std::cos(x);
  Fsina = std::sin(x);
  FFx = Ff * Fcosa;
  FFy = Ff * Fsina;
}

void TForce::SetF(double x) {
  Ff = x;
  FFx = x * Fcosa;
  FFy = x * Fsina;
}

void TForce::reset() {
  SetF(Ffo);
  Ffr = Ffro;
  Fm = Fmo;
  Fgx = Fgxo;
  Fgy = Fgyo;
  Fax = Faxo;
  Fay = Fayo;
  Fvx = Fvxo;
  Fvy = Fvyo;
  Fpx = Fpxo;
  Fpy = Fpyo;
  SetA(Ffao);
  matrix.mat[0][2] = Fpx;
  matrix.mat[1][2] = Fpy;
}

void TForce::settime(double t) {
  TTransform::settime(t);
  // A mass of 0 comes only from a hand-made file; such a body has no defined motion, so it
  // stays where it is rather than dividing by zero.
  if (Fm == 0) return;
  const double fx = Ff * Fcosa;
  const double fy = Ff * Fsina;
  Fax = (fx + Fgx - Ffr * Fvx) / Fm;
  Fay = (fy + Fgy - Ffr * Fvy) / Fm;
  // Semi-implicit Euler: the new velocity moves the position.
  Fvx = Fvx + t * Fax;
  Fvy = Fvy + t * Fay;
  Fpx = Fpx + t * Fvx;
  Fpy = Fpy + t * Fvy;
  matrix.mat[0][2] = Fpx;
  matrix.mat[1][2] = Fpy;
}

void TForce::DrawRefImage(TCanvas&, int, int) {}

bool TForce::LoadFromF(TTextReader& f) {
  Ffao = f.ReadReal();
  Ffo = f.ReadReal();
  Ffro = f.ReadReal();
  Fmo = f.ReadReal();
  f.ReadLn();
  Fgxo = f.ReadReal();
  Fgyo = f.ReadReal();
  f.ReadLn();
  Faxo = f.ReadReal();
  Fayo = f.ReadReal();
  f.ReadLn();
  Fvxo = f.ReadReal();
  Fvyo = f.ReadReal();
  f.ReadLn();
  Fpxo = f.ReadReal();
  Fpyo = f.ReadReal();
  f.ReadLn();
  f.ReadLn();  // the base record's header line
  return TTransform::LoadFromF(f);
}

bool TForce::SaveToF(TTextWriter& f) const {
  f.Header(FId, ClassName());
  f.RealsLine({Ffao, Ffo, Ffro, Fmo});
  f.RealsLine({Fgxo, Fgyo});
  f.RealsLine({Faxo, Fayo});
  f.RealsLine({Fvxo, Fvyo});
  f.RealsLine({Fpxo, Fpyo});
  return TTransform::SaveToF(f);
}
