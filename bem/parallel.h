// Splitting independent work over threads without changing any result.
#pragma once

#include <cstdint>
#include <functional>

namespace bem {

// Number of worker threads: BEM_THREADS when set to a positive integer, otherwise the
// hardware concurrency (at least 1).
int thread_count();

// Calls body(begin, end) on contiguous chunks that cover [0, n) exactly once, on up to
// thread_count() threads, and returns when all are done. The body must write disjoint
// outputs for disjoint indices; then the results do not depend on the thread count.
void parallel_for(std::int64_t n, const std::function<void(std::int64_t, std::int64_t)>& body);

}  // namespace bem
