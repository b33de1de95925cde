// Fixed splitting of work into tasks for bem::parallel_for (internal to the core).
//
// A task count is chosen once per call; each task owns a disjoint part of the output and does
// every operation on it in the order the serial algorithm does, so the results do not depend
// on the task count or on how many threads run the tasks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "../matrix.h"
#include "../parallel.h"

namespace bem::numerics::detail {

// Calls task(t) once for each t in [0, tasks); task t may use storage reserved for it.
template <typename Task>
void run_tasks(int tasks, const Task& task) {
  if (tasks <= 1) {
    task(0);
    return;
  }
  parallel_for(tasks, [&](std::int64_t begin, std::int64_t end) {
    for (std::int64_t t = begin; t < end; ++t) task(static_cast<int>(t));
  });
}

// Start of part t when [0, total) is cut into `parts` nearly equal parts whose inner bounds
// are multiples of align (part `parts` starts at total).
inline index_t even_bound(index_t total, int parts, int t, index_t align) {
  if (t >= parts) return total;
  const index_t units = (total + align - 1) / align;
  return std::min(total, units * t / parts * align);
}

// The same for work that falls linearly from row 0 to row total (row i costs total - i):
// part t starts where the cumulative cost reaches t / parts of the whole.
inline index_t falling_bound(index_t total, int parts, int t, index_t align) {
  if (t >= parts) return total;
  const double share = static_cast<double>(t) / parts;
  const double row = static_cast<double>(total) * (1.0 - std::sqrt(1.0 - share));
  const index_t aligned = static_cast<index_t>(row) / align * align;
  return std::min(total, aligned);
}

}  // namespace bem::numerics::detail
