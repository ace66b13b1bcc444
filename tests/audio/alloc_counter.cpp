// Counts every allocation of the test program, so that a test can show that the audio
// callback's code allocates nothing.
#include <atomic>
#include <cstdlib>
#include <new>

#include "audio_test_support.h"

namespace {
std::atomic<std::int64_t> g_allocations{0};
}

std::int64_t audio_test::Allocations() {
  return g_allocations.load();
}

void* operator new(std::size_t n) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
