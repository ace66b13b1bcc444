// One animation tick of a maze with 1,000 animated polygons, each turning and pulsing.
#include <benchmark/benchmark.h>

#include <memory>

#include "gx_drawlist.h"
#include "gx_polygon.h"
#include "gx_rotate.h"
#include "gx_scale.h"
#include "gx_traflist.h"

namespace {

std::unique_ptr<TDrawList> AnimatedMaze(int polygons) {
  auto maze = std::make_unique<TDrawList>();
  for (int i = 0; i < polygons; ++i) {
    const double x = i % 40, y = i / 40;
    auto p = TPolygon::CreateCircle(x, y, 0.4, 0.3, 0, 6, clWhite);
    auto r = std::make_unique<TRotate>();
    r->init(0, x, y, 40 + i % 17);
    r->SetSwing(i % 2 == 0);
    r->SetA1(-0.5);
    r->SetA2(0.5);
    p->SetRot(std::move(r));
    p->TrafList()->AddScale(x, y, 0.8, 0.9, 1.2, 1.1, 60 + i % 13);
    p->Scale()->SetAniType(i % 3 == 0 ? at_sinusoidal : at_linear);
    maze->AddPolygon(std::move(p));
  }
  maze->reset();
  return maze;
}

void BM_AnimationTick1000Polygons(benchmark::State& state) {
  auto maze = AnimatedMaze(1000);
  for (auto _ : state) {
    maze->Execute(1);
    benchmark::DoNotOptimize(maze->GetPolygon(999)->matrix.mat[0][2]);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_AnimationTick1000Polygons)->Unit(benchmark::kMicrosecond);

}  // namespace
