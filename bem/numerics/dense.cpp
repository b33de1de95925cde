#include "dense.h"

#include <algorithm>

#include "../parallel.h"
#include "gemm.h"

namespace bem::numerics {

void multiply(index_t n, const double* a, const double* b, double* c) {
  if (n <= 0) return;
  std::fill(c, c + n * n, 0.0);
  const int tasks = detail::useful_tasks(thread_count(), n, n, n);
  const auto buffers = allocate_reals(tasks * detail::gemm_buffer_size(), "multiply");
  detail::gemm_accumulate_split(tasks, false, n, n, n, false, detail::column_major(a, n),
                                detail::column_major(b, n), c, n, buffers.get());
}

}  // namespace bem::numerics
