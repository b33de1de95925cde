#include "lu.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "gemm.h"
#include "tasks.h"

namespace bem::numerics::detail {
namespace {

// Panel columns factored by plain elimination at the bottom of the recursion.
constexpr index_t kLeafColumns = 8;

template <typename T>
bool obtain_array(std::unique_ptr<T[]>& p, index_t count) {
  p.reset(new (std::nothrow) T[static_cast<std::size_t>(std::max<index_t>(count, 1))]);
  return p != nullptr;
}

// s_i = 1 / max_j |a_ij|, or 1 when that maximum is below the smallest normalised double.
void compute_row_scales(index_t n, const double* a, index_t lda, double* scales) {
  std::fill(scales, scales + n, 0.0);
  for (index_t j = 0; j < n; ++j) {
    const double* col = a + j * lda;
    for (index_t i = 0; i < n; ++i) scales[i] = std::max(scales[i], std::abs(col[i]));
  }
  for (index_t i = 0; i < n; ++i) scales[i] = scales[i] < kSmallestNormal ? 1.0 : 1.0 / scales[i];
}

// Applies the interchanges pivots[k_begin], ..., pivots[k_end - 1], in this order, to the
// rows of columns [c_begin, c_end).
void interchange_rows(double* a,
                      index_t lda,
                      const index_t* pivots,
                      index_t k_begin,
                      index_t k_end,
                      index_t c_begin,
                      index_t c_end) {
  for (index_t j = c_begin; j < c_end; ++j) {
    double* col = a + j * lda;
    for (index_t k = k_begin; k < k_end; ++k) {
      if (pivots[k] != k) std::swap(col[k], col[pivots[k]]);
    }
  }
}

// First row p >= k maximising scales[p] |col[p]|.
index_t select_pivot(index_t n, const double* col, const double* scales, index_t k) {
  index_t p = k;
  double best = scales[k] * std::abs(col[k]);
  for (index_t i = k + 1; i < n; ++i) {
    const double v = scales[i] * std::abs(col[i]);
    if (v > best) {
      best = v;
      p = i;
    }
  }
  return p;
}

// Plain right-looking elimination of columns [c0, c0 + w), rows [c0, n).
index_t factor_leaf(
    index_t n, double* a, index_t lda, index_t c0, index_t w, index_t* pivots, double* scales) {
  index_t singular = 0;
  for (index_t k = c0; k < c0 + w; ++k) {
    double* col = a + k * lda;
    const index_t p = select_pivot(n, col, scales, k);
    pivots[k] = p;
    if (p != k) {
      for (index_t j = c0; j < c0 + w; ++j) std::swap(a[k + j * lda], a[p + j * lda]);
      std::swap(scales[k], scales[p]);
    }
    const double pivot = col[k];
    if (std::abs(pivot) <= kSmallestNormal) {
      ++singular;
      std::fill(col + k + 1, col + n, 0.0);
      continue;
    }
    for (index_t i = k + 1; i < n; ++i) col[i] /= pivot;
    for (index_t j = k + 1; j < c0 + w; ++j) {
      double* cj = a + j * lda;
      const double u = cj[k];
      for (index_t i = k + 1; i < n; ++i) cj[i] -= col[i] * u;
    }
  }
  return singular;
}

// Rows [k0, k0 + kb) of columns [j_begin, j_end): B = L11^-1 B with L11 the unit lower
// triangle at (k0, k0), by columns with k ascending.
void solve_unit_lower(
    double* a, index_t lda, index_t k0, index_t kb, index_t j_begin, index_t j_end) {
  for (index_t j = j_begin; j < j_end; ++j) {
    double* col = a + j * lda;
    for (index_t k = k0; k < k0 + kb; ++k) {
      const double u = col[k];
      const double* lk = a + k * lda;
      for (index_t i = k + 1; i < k0 + kb; ++i) col[i] -= lk[i] * u;
    }
  }
}

// Recursive factorisation of the panel of columns [c0, c0 + w) (Toledo, "Locality of
// reference in LU decomposition with partial pivoting", SIAM J. Matrix Anal. Appl. 18, 1997),
// rows [c0, n). Interchanges reach only the panel's columns.
index_t factor_panel(
    index_t n, double* a, index_t lda, index_t c0, index_t w, index_t* pivots, LuWorkspace& ws) {
  if (w <= kLeafColumns) return factor_leaf(n, a, lda, c0, w, pivots, ws.scales());
  const index_t h = w / 2, c1 = c0 + h, c2 = c0 + w;
  index_t singular = factor_panel(n, a, lda, c0, h, pivots, ws);
  interchange_rows(a, lda, pivots, c0, c1, c1, c2);
  solve_unit_lower(a, lda, c0, h, c1, c2);
  const index_t m = n - c1;
  const int tasks = useful_tasks(ws.tasks(), m, c2 - c1, h);
  gemm_accumulate_split(tasks, true, m, c2 - c1, h, true, column_major(a + c1 + c0 * lda, lda),
                        column_major(a + c0 + c1 * lda, lda), a + c1 + c1 * lda, lda,
                        ws.product_buffer(0));
  singular += factor_panel(n, a, lda, c1, w - h, pivots, ws);
  interchange_rows(a, lda, pivots, c1, c2, c0, c1);
  return singular;
}

// Columns [k0 + kb, n) after the panel at k0: interchanges, U12 = L11^-1 A12 and
// A22 -= L21 U12, cut by columns over the tasks.
void update_trailing(index_t n,
                     double* a,
                     index_t lda,
                     index_t k0,
                     index_t kb,
                     const index_t* pivots,
                     LuWorkspace& ws) {
  const index_t j_first = k0 + kb, cols = n - j_first, m = n - j_first;
  if (cols <= 0) return;
  const int tasks = useful_tasks(ws.tasks(), m + kb, cols, kb);
  run_tasks(tasks, [&](int t) {
    const index_t j_begin = j_first + even_bound(cols, tasks, t, 4);
    const index_t j_end = j_first + even_bound(cols, tasks, t + 1, 4);
    if (j_begin == j_end) return;
    interchange_rows(a, lda, pivots, k0, j_first, j_begin, j_end);
    solve_unit_lower(a, lda, k0, kb, j_begin, j_end);
    gemm_accumulate(m, j_end - j_begin, kb, true, column_major(a + j_first + k0 * lda, lda),
                    column_major(a + k0 + j_begin * lda, lda), a + j_first + j_begin * lda, lda,
                    ws.product_buffer(t));
  });
}

}  // namespace

bool LuWorkspace::obtain(index_t n, int tasks) {
  n_ = n;
  tasks_ = std::max(tasks, 1);
  return obtain_array(pivots_, n) && obtain_array(scales_, n) && obtain_array(vector_, n) &&
         obtain_array(block_, n * kLuBlock) &&
         obtain_array(product_buffers_, tasks_ * gemm_buffer_size());
}

double* LuWorkspace::product_buffer(int task) {
  return product_buffers_.get() + task * gemm_buffer_size();
}

index_t lu_factor(index_t n, double* a, index_t lda, index_t* pivots, LuWorkspace& ws) {
  compute_row_scales(n, a, lda, ws.scales());
  index_t singular = 0;
  for (index_t k0 = 0; k0 < n; k0 += kLuBlock) {
    const index_t kb = std::min(kLuBlock, n - k0);
    singular += factor_panel(n, a, lda, k0, kb, pivots, ws);
    interchange_rows(a, lda, pivots, k0, k0 + kb, 0, k0);
    update_trailing(n, a, lda, k0, kb, pivots, ws);
  }
  return singular;
}

}  // namespace bem::numerics::detail
