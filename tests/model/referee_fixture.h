#pragma once
// Small mazes and a headless player for the referee's tests.
//
// The test cave (maze units, y up):
//
//   y 1.5 .. 2.0   ceiling slab from x -2 to 2 (plain edges: flying into it is a crash)
//   (0, 0.8)       the target ball, straight above the start
//   (1.7, 0.5)     a spare ball out of the way, so that destroying the target does not end
//                  the run (only with `two_balls`)
//   y -0.5 .. 0    floor slab; its top edge, from (-2, 0) to (2, 0), is a landing edge and
//                  the start zone, so an upright rocket starts standing on it at x = 0
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "scripted_keys.h"
#include "seeded_random.h"

namespace referee_test {

inline std::unique_ptr<TPolygon> Slab(double x1, double y1, double x2, double y2,
                                      bool landing_top) {
  auto p = std::make_unique<TPolygon>();
  p->SetColor(0xC0C0C0);
  p->fillcolor = 0x404040;
  p->AddSide(x1, y1, st_normal, 0xC0C0C0);
  p->AddSide(x1, y2, st_normal, 0xC0C0C0);
  p->AddSide(x2, y2, landing_top ? st_landing : st_normal, 0x00FFFF);  // edge (x1,y2)-(x2,y2)
  p->AddSide(x2, y1, st_normal, 0xC0C0C0);
  return p;
}

struct TCaveOptions {
  bool target_ball = true;
  bool two_balls = true;
};

inline std::unique_ptr<TMaze> MakeCave(const TCaveOptions& o = {}) {
  auto maze = std::make_unique<TMaze>();
  maze->mazename = "Cave";
  maze->incolor = 0x404040;
  maze->linecolor = 0xC0C0C0;
  maze->landcolor = 0x00FFFF;
  auto floor = Slab(-2, -0.5, 2, 0, true);
  TPolygon* fl = floor.get();
  maze->AddPolygon(std::move(floor));
  maze->AddPolygon(Slab(-2, 1.5, 2, 2.0, false));
  maze->SetStart(TMaze::SideRect(*fl, *fl->GetSide(2)));
  if (o.target_ball) maze->AddBall(0, 0.8, 0x0000FF);
  if (o.two_balls) maze->AddBall(1.7, 0.5, 0x00FF00);
  maze->SetTickUnit(50);
  return maze;
}

// A maze with its rocket, its scripted keys and a seeded generator: one headless game.
class TGame {
 public:
  explicit TGame(std::unique_ptr<TMaze> m, std::uint64_t seed = 1)
      : random(seed), maze(std::move(m)) {
    maze->SetKeyService(&keys);
    maze->SetRocket(&rocket);
    maze->reset();
  }
  ~TGame() {
    // The maze goes first: it detaches the rocket.
    maze.reset();
  }

  // One timer tick; the script's events for this tick happen just before it.
  bool Tick() {
    script.Apply(tick, keys);
    ++tick;
    return maze->TickTime(1);
  }
  // n ticks; true when any of them set a record.
  bool Ticks(int n) {
    bool record = false;
    for (int i = 0; i < n; ++i) record = Tick() || record;
    return record;
  }
  // Taps a key and runs one tick.
  bool TapTick(std::uint8_t vk) {
    keys.Tap(vk);
    return Tick();
  }
  // Left Control tapped: the run starts, the rocket stays on the floor.
  void Start() { TapTick(vk::LControl); }

  TForce& Force() { return *rocket.FForce; }

  TScopedGameRandom random;
  TScriptedKeys keys;
  TKeyScript script;
  TRocket rocket;
  std::unique_ptr<TMaze> maze;
  int tick = 0;
};

// FNV-1a over the bytes of plain values.
class THash {
 public:
  template <typename T>
  THash& Add(const T& v) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    for (unsigned char c : b) h_ = (h_ ^ c) * 0x100000001B3ull;
    return *this;
  }
  THash& Add(const std::string& s) {
    for (unsigned char c : s) h_ = (h_ ^ c) * 0x100000001B3ull;
    return *this;
  }
  std::uint64_t Value() const { return h_; }

 private:
  std::uint64_t h_ = 0xCBF29CE484222325ull;
};

}  // namespace referee_test
