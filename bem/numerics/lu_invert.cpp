// A^-1 from P A = L U, in place, in the order of LAPACK's dgetri: U^-1 first (by block
// columns left to right, as dtrtri), then X L = U^-1 for X (by block columns right to left),
// then the row interchanges undone as column interchanges in reverse order. The block
// column steps are cut by rows over the tasks: every row of a block column is independent.
#include <algorithm>
#include <utility>

#include "gemm.h"
#include "lu.h"
#include "tasks.h"

namespace bem::numerics::detail {
namespace {

// Rows of a block column handled at one time inside a task (kept in cache).
constexpr index_t kRowStep = 64;

// out(r0:r1, 0:jb) = X(r0:r1, :) b with X the upper triangle of `x` in rows and columns
// [0, j0); each entry is summed over k from its row upwards, starting from zero.
void upper_times_block(const double* x,
                       index_t ldx,
                       index_t r0,
                       index_t r1,
                       index_t j0,
                       const double* b,
                       index_t ldb,
                       index_t jb,
                       double* out,
                       index_t ldout,
                       double* buffer) {
  for (index_t c = 0; c < jb; ++c) {
    double* oc = out + c * ldout;
    std::fill(oc + r0, oc + r1, 0.0);
    for (index_t k = r0; k < r1; ++k) {
      const double bk = b[k + c * ldb];
      const double* xk = x + k * ldx;
      for (index_t i = r0; i <= k; ++i) oc[i] += xk[i] * bk;
    }
  }
  gemm_accumulate(r1 - r0, jb, j0 - r1, false, column_major(x + r0 + r1 * ldx, ldx),
                  column_major(b + r1, ldb), out + r0, ldout, buffer);
}

// y U = -y for rows [r0, r1) of the jb columns of y, U the upper triangle at (j0, j0).
void solve_upper_from_right(
    const double* a, index_t lda, index_t j0, index_t jb, index_t r0, index_t r1, double* y) {
  for (index_t c = 0; c < jb; ++c) {
    double* yc = y + c * lda;
    for (index_t i = r0; i < r1; ++i) yc[i] = -yc[i];
    const double* uc = a + j0 + (j0 + c) * lda;
    for (index_t k = 0; k < c; ++k) {
      const double* yk = y + k * lda;
      const double u = uc[k];
      for (index_t i = r0; i < r1; ++i) yc[i] -= yk[i] * u;
    }
    const double d = uc[c];
    for (index_t i = r0; i < r1; ++i) yc[i] /= d;
  }
}

// Inverts the upper triangle of the diagonal block at (j0, j0) in place (LAPACK dtrti2):
// column c becomes -x_cc X(j0:c, j0:c) u(j0:c, c) with x_cc = 1 / u_cc.
void invert_diagonal_block(double* a, index_t lda, index_t j0, index_t jb) {
  for (index_t c = j0; c < j0 + jb; ++c) {
    double* col = a + c * lda;
    col[c] = 1.0 / col[c];
    const double minus_inverse = -col[c];
    for (index_t k = j0; k < c; ++k) {
      const double t = col[k];
      const double* xk = a + k * lda;
      for (index_t i = j0; i < k; ++i) col[i] += t * xk[i];
      col[k] = t * xk[k];
    }
    for (index_t i = j0; i < c; ++i) col[i] *= minus_inverse;
  }
}

// Block column [j0, j0 + jb) of U^-1, the columns before it already inverted.
void invert_upper_block_column(
    index_t n, double* a, index_t lda, index_t j0, index_t jb, LuWorkspace& ws) {
  if (j0 > 0) {
    double* copy = ws.block();  // U(0:j0, J) as it was
    for (index_t c = 0; c < jb; ++c) {
      std::copy(a + (j0 + c) * lda, a + (j0 + c) * lda + j0, copy + c * n);
    }
    const int tasks = useful_tasks(ws.tasks(), j0 / 2, j0, jb);
    run_tasks(tasks, [&](int t) {
      const index_t begin = falling_bound(j0, tasks, t, 4);
      const index_t end = falling_bound(j0, tasks, t + 1, 4);
      for (index_t r0 = begin; r0 < end; r0 += kRowStep) {
        const index_t r1 = std::min(end, r0 + kRowStep);
        upper_times_block(a, lda, r0, r1, j0, copy, n, jb, a + j0 * lda, lda, ws.product_buffer(t));
        solve_upper_from_right(a, lda, j0, jb, r0, r1, a + j0 * lda);
      }
    });
  }
  invert_diagonal_block(a, lda, j0, jb);
}

// X(:, c) -= X(:, k) l(k, c) for k from n - 1 down to c + 1, for the columns c of the block at
// j0 and rows [r0, r1); w holds the block's multipliers (leading dimension n).
void solve_unit_lower_from_right(index_t n,
                                 double* a,
                                 index_t lda,
                                 index_t j0,
                                 index_t jb,
                                 const double* w,
                                 index_t r0,
                                 index_t r1,
                                 double* buffer) {
  const index_t after = j0 + jb;
  const StridedView x_backwards{a + r0 + (n - 1) * lda, 1, -lda};
  const StridedView w_backwards{w + (n - 1), -1, n};
  gemm_accumulate(r1 - r0, jb, n - after, true, x_backwards, w_backwards, a + r0 + j0 * lda, lda,
                  buffer);
  for (index_t s0 = r0; s0 < r1; s0 += kRowStep) {
    const index_t s1 = std::min(r1, s0 + kRowStep);
    for (index_t c = jb - 1; c >= 0; --c) {
      double* xc = a + (j0 + c) * lda;
      for (index_t k = jb - 1; k > c; --k) {
        const double l = w[j0 + k + c * n];
        const double* xk = a + (j0 + k) * lda;
        for (index_t i = s0; i < s1; ++i) xc[i] -= xk[i] * l;
      }
    }
  }
}

// Block column [j0, j0 + jb) of X with X L = U^-1, the columns after it already done.
void multiply_by_lower_inverse(
    index_t n, double* a, index_t lda, index_t j0, index_t jb, LuWorkspace& ws) {
  double* w = ws.block();
  for (index_t c = 0; c < jb; ++c) {
    double* col = a + (j0 + c) * lda;
    for (index_t i = j0 + c + 1; i < n; ++i) {
      w[i + c * n] = col[i];
      col[i] = 0.0;
    }
  }
  const int tasks = useful_tasks(ws.tasks(), n, n - j0, jb);
  run_tasks(tasks, [&](int t) {
    const index_t r0 = even_bound(n, tasks, t, 4), r1 = even_bound(n, tasks, t + 1, 4);
    if (r0 < r1) solve_unit_lower_from_right(n, a, lda, j0, jb, w, r0, r1, ws.product_buffer(t));
  });
}

void undo_interchanges(index_t n, double* a, index_t lda, const index_t* pivots, LuWorkspace& ws) {
  const int tasks = useful_tasks(ws.tasks(), n, n, 1);
  run_tasks(tasks, [&](int t) {
    const index_t r0 = even_bound(n, tasks, t, 4), r1 = even_bound(n, tasks, t + 1, 4);
    for (index_t k = n - 1; k >= 0; --k) {
      if (pivots[k] == k) continue;
      double* ck = a + k * lda;
      double* cp = a + pivots[k] * lda;
      for (index_t i = r0; i < r1; ++i) std::swap(ck[i], cp[i]);
    }
  });
}

}  // namespace

void lu_invert(index_t n, double* lu, index_t lda, const index_t* pivots, LuWorkspace& ws) {
  for (index_t j0 = 0; j0 < n; j0 += kLuBlock) {
    invert_upper_block_column(n, lu, lda, j0, std::min(kLuBlock, n - j0), ws);
  }
  for (index_t j0 = (n - 1) / kLuBlock * kLuBlock; j0 >= 0; j0 -= kLuBlock) {
    multiply_by_lower_inverse(n, lu, lda, j0, std::min(kLuBlock, n - j0), ws);
  }
  undo_interchanges(n, lu, lda, pivots, ws);
}

}  // namespace bem::numerics::detail
