// Matrix-product kernel shared by the dense services (internal to the core).
#pragma once

#include "../matrix.h"

namespace bem::numerics::detail {

// A read-only strided view: element (i, p) lies at data[i * row_stride + p * col_stride].
// Strides may be negative, so a view can read a block transposed or with p running backwards.
struct StridedView {
  const double* data;
  index_t row_stride;
  index_t col_stride;
};

// Column-major view of leading dimension ld starting at element (0, 0) of `data`.
inline StridedView column_major(const double* data, index_t ld) {
  return {data, 1, ld};
}

// Doubles of packing storage one call of gemm_accumulate needs (one per concurrent caller).
index_t gemm_buffer_size();

// c(i, j) += sign * a(i, p) * b(p, j) for p = 0, 1, ..., k - 1 in this order, where sign is
// -1 when `subtract` is set and +1 otherwise. Every product and every sum is rounded on its
// own, so each entry of c goes through exactly the operations of the plain triple loop with
// p innermost, whatever the blocking; two calls on disjoint parts of c (or of its rows and
// columns) may run concurrently. c (m x n, leading dimension ldc) must not alias a or b.
// buffer holds gemm_buffer_size() doubles.
void gemm_accumulate(index_t m,
                     index_t n,
                     index_t k,
                     bool subtract,
                     StridedView a,
                     StridedView b,
                     double* c,
                     index_t ldc,
                     double* buffer);

// gemm_accumulate with c cut into `tasks` parts of nearly equal numbers of rows (by_rows) or
// of columns, run by bem::parallel_for; task t uses buffers + t * gemm_buffer_size(). The
// result is that of one call.
void gemm_accumulate_split(int tasks,
                           bool by_rows,
                           index_t m,
                           index_t n,
                           index_t k,
                           bool subtract,
                           StridedView a,
                           StridedView b,
                           double* c,
                           index_t ldc,
                           double* buffers);

// Tasks worth starting for about rows x cols x depth multiply-add pairs when `available` are
// to be had: each task should have enough work to repay starting a thread.
int useful_tasks(int available, index_t rows, index_t cols, index_t depth);

}  // namespace bem::numerics::detail
