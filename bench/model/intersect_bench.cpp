// Hit tests of a segment against a large polygon: the per-edge cost of the crash test and of
// the bullets' nearest-hit search, which run for every polygon on every tick.
#include <benchmark/benchmark.h>

#include <numbers>

#include "gx_polygon.h"

namespace {

constexpr int kCorners = 1000;

// A 1,000-corner circle of radius 10 under a small rotation, so that every corner is mapped.
std::unique_ptr<TPolygon> BigPolygon() {
  auto p = TPolygon::CreateCircle(0, 0, 10, 10, 0, kCorners, 0xFFFFFF);
  p->matrix = tmat2d::rot(0.1);
  return p;
}

// A short segment near the centre: it crosses no edge, so every edge is tested.
void BM_IntersectMiss(benchmark::State& state) {
  auto p = BigPolygon();
  const TDRect l{-0.5, 0.5, 0.25, -0.25};
  TSide* s = nullptr;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p->Intersect(l, s));
  }
  state.SetItemsProcessed(state.iterations() * kCorners);  // edges tested
}
BENCHMARK(BM_IntersectMiss);

// A segment crossing the outline at the last edge tested: the whole loop and one hit.
void BM_IntersectLastEdge(benchmark::State& state) {
  auto p = BigPolygon();
  p->matrix.reset();
  // Corners run clockwise from (10, 0): only the closing edge, from just above the x axis down
  // to corner 0, crosses y = 0.01.
  const TDRect l{9, 11, 0.01, 0.01};
  TSide* s = nullptr;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p->Intersect(l, s));
  }
  state.SetItemsProcessed(state.iterations() * kCorners);
}
BENCHMARK(BM_IntersectLastEdge);

// A ray from the centre: one edge is hit, every edge is tested.
void BM_GetNearestIntersectionPoint(benchmark::State& state) {
  auto p = BigPolygon();
  const TDRect ray{0, 1, 0, 0.3};
  TPolygon* pol = nullptr;
  for (auto _ : state) {
    double x = 0, y = 0, t = -1;
    benchmark::DoNotOptimize(p->GetNearestIntersectionPoint(ray, false, pol, x, y, t));
    benchmark::DoNotOptimize(t);
  }
  state.SetItemsProcessed(state.iterations() * kCorners);
}
BENCHMARK(BM_GetNearestIntersectionPoint);

}  // namespace
