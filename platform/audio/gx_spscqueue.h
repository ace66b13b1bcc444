#pragma once
// A fixed-size queue for one producer thread and one consumer thread, without locks and
// without allocating after construction: the game thread posts, the audio callback takes.
#include <array>
#include <atomic>
#include <cstddef>

template <typename T, std::size_t N>
class TSpscQueue {
  static_assert(N >= 2 && (N & (N - 1)) == 0, "the capacity is a power of two");

 public:
  // False when the queue is full (the item is dropped).
  bool Push(const T& item) {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head - tail_.load(std::memory_order_acquire) >= N) return false;
    items_[head & (N - 1)] = item;
    head_.store(head + 1, std::memory_order_release);
    return true;
  }
  bool Pop(T& item) {
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail == head_.load(std::memory_order_acquire)) return false;
    item = items_[tail & (N - 1)];
    tail_.store(tail + 1, std::memory_order_release);
    return true;
  }

 private:
  std::array<T, N> items_{};
  alignas(64) std::atomic<std::size_t> head_{0};
  alignas(64) std::atomic<std::size_t> tail_{0};
};
