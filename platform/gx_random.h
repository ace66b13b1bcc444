#pragma once
// The game's random numbers: one generator behind an interface, seeded from the clock in the
// game and by the test in tests, so that a scripted run can be replayed exactly.
#include <chrono>
#include <cstdint>

class TRandomService {
 public:
  virtual ~TRandomService() = default;
  // Uniform integer in 0 .. n - 1; 0 when n <= 0.
  virtual int RandomInt(int n) = 0;
  // Uniform real in [0, 1).
  virtual double RandomReal() = 0;
};

// A small, fully specified generator (splitmix64): the same seed gives the same numbers on
// every platform and standard library, which std:: distributions do not promise.
class TSplitMixRandom : public TRandomService {
 public:
  explicit TSplitMixRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double RandomReal() override { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  int RandomInt(int n) override {
    if (n <= 0) return 0;
    // Multiply-high keeps the result in range without a modulo bias worth speaking of.
    return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }

 private:
  std::uint64_t state_;
};

// The generator the game draws from. Until SetGameRandom installs another one it is a
// generator seeded from the clock; the caller keeps ownership of what it installs and
// reinstalls null (the clock-seeded one) before destroying it.
inline TRandomService*& GameRandomSlot() {
  static TRandomService* slot = nullptr;
  return slot;
}
inline TRandomService& GameRandom() {
  static TSplitMixRandom clock_seeded(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  TRandomService* r = GameRandomSlot();
  return r ? *r : clock_seeded;
}
inline void SetGameRandom(TRandomService* r) {
  GameRandomSlot() = r;
}

// What drawing draws from (the sparks of a bursting bullet): a generator of its own, so that
// however often a frame is painted the game's own numbers, and with them the run, stay the
// same. The play view seeds one for each frame from the tick it shows, so that the frames
// between two ticks show the same sparks. Same rules of ownership as SetGameRandom.
inline TRandomService*& DrawRandomSlot() {
  static TRandomService* slot = nullptr;
  return slot;
}
inline TRandomService& DrawRandom() {
  static TSplitMixRandom clock_seeded(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      0x5DEECE66Dull);
  TRandomService* r = DrawRandomSlot();
  return r ? *r : clock_seeded;
}
inline void SetDrawRandom(TRandomService* r) {
  DrawRandomSlot() = r;
}
