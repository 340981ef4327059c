#pragma once
// A minimal benchmark loop: runs an operation in growing batches until a batch takes at least a
// quarter of a second, then prints the time per call and the calls per second.

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace bench {

// Keeps results alive so the compiler cannot drop the work that made them.
inline volatile uint64_t sink = 0;

template <typename Operation>
void run(const char* name, Operation operation) {
  using Clock = std::chrono::steady_clock;
  for (uint64_t iterations = 1000;; iterations *= 2) {
    const auto start = Clock::now();
    for (uint64_t i = 0; i < iterations; ++i) operation(i);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds >= 0.25 || iterations >= (uint64_t{1} << 40)) {
      std::printf("%-40s %10.1f ns/call %14.0f calls/s\n", name, seconds * 1e9 / iterations,
                  iterations / seconds);
      std::fflush(stdout);
      return;
    }
  }
}

}  // namespace bench
