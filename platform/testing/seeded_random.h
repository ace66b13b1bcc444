#pragma once
// A seeded generator for tests, installed as the game's generator for the lifetime of the
// object, so that a scripted run gives the same fragments and sparks every time.
#include <cstdint>

#include "gx_random.h"

class TSeededRandom : public TSplitMixRandom {
 public:
  explicit TSeededRandom(std::uint64_t seed) : TSplitMixRandom(seed) {}
};

// Installs a seeded generator as GameRandom() while in scope.
class TScopedGameRandom {
 public:
  explicit TScopedGameRandom(std::uint64_t seed) : rnd_(seed), prev_(GameRandomSlot()) {
    SetGameRandom(&rnd_);
  }
  ~TScopedGameRandom() { SetGameRandom(prev_); }
  TScopedGameRandom(const TScopedGameRandom&) = delete;
  TScopedGameRandom& operator=(const TScopedGameRandom&) = delete;
  TSeededRandom& Random() { return rnd_; }

 private:
  TSeededRandom rnd_;
  TRandomService* prev_;
};
