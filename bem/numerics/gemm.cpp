#include "gemm.h"

#include <algorithm>
#include <cstring>

#include "tasks.h"

namespace bem::numerics::detail {
namespace {

// Goto and van de Geijn, "Anatomy of high-performance matrix multiplication" (2008): a
// kKC x kNC panel of b and a kMC x kKC block of a are copied into contiguous slivers, and a
// kMR x kNR tile of c stays in registers while p runs over the panel.
constexpr index_t kMR = 4;
constexpr index_t kNR = 4;
constexpr index_t kKC = 256;
constexpr index_t kMC = 128;
constexpr index_t kNC = 512;

// Two doubles handled by one instruction. Each lane is an ordinary IEEE double operation, so
// the results are those of scalar code.
typedef double Pair __attribute__((vector_size(16)));

constexpr index_t round_up(index_t v, index_t m) {
  return (v + m - 1) / m * m;
}

constexpr index_t kPackedA = round_up(kMC, kMR) * kKC;
constexpr index_t kPackedB = 2 * kKC * round_up(kNC, kNR);

double element(StridedView v, index_t i, index_t p) {
  return v.data[i * v.row_stride + p * v.col_stride];
}

// Sliver r of ap holds rows i0 + r kMR ... of a, p-major: ap[r kMR kc + p kMR + ii]; rows past
// mc are zero. The sign is applied here (negation is exact).
void pack_a(
    index_t mc, index_t kc, StridedView a, index_t i0, index_t p0, bool negate, double* ap) {
  for (index_t ir = 0; ir < mc; ir += kMR) {
    const index_t mr = std::min(kMR, mc - ir);
    double* sliver = ap + ir * kc;
    for (index_t p = 0; p < kc; ++p) {
      for (index_t ii = 0; ii < kMR; ++ii) {
        const double v = ii < mr ? element(a, i0 + ir + ii, p0 + p) : 0.0;
        sliver[p * kMR + ii] = negate ? -v : v;
      }
    }
  }
}

// Sliver s of bp holds columns j0 + s kNR ... of b, p-major, each value stored twice so that
// one load gives it in both lanes; columns past nc are zero.
void pack_b(index_t kc, index_t nc, StridedView b, index_t p0, index_t j0, double* bp) {
  for (index_t jr = 0; jr < nc; jr += kNR) {
    const index_t nr = std::min(kNR, nc - jr);
    double* sliver = bp + 2 * jr * kc;
    for (index_t jj = 0; jj < kNR; ++jj) {
      for (index_t p = 0; p < kc; ++p) {
        const double v = jj < nr ? element(b, p0 + p, j0 + jr + jj) : 0.0;
        sliver[2 * (p * kNR + jj)] = v;
        sliver[2 * (p * kNR + jj) + 1] = v;
      }
    }
  }
}

// c(0:kMR, 0:kNR) += ap(:, p) bp(p, :) for p = 0 ... kc - 1, one rounded product and one
// rounded sum per term.
void micro_kernel(index_t kc,
                  const double* __restrict ap,
                  const double* __restrict bp,
                  double* __restrict c,
                  index_t ldc) {
  constexpr index_t kPairs = kMR / 2;
  Pair acc[kNR][kPairs];
  for (index_t j = 0; j < kNR; ++j) {
    for (index_t i = 0; i < kPairs; ++i) std::memcpy(&acc[j][i], c + 2 * i + j * ldc, 16);
  }
  for (index_t p = 0; p < kc; ++p) {
    Pair a[kPairs];
    for (index_t i = 0; i < kPairs; ++i) std::memcpy(&a[i], ap + p * kMR + 2 * i, 16);
    const double* b = bp + 2 * p * kNR;
    for (index_t j = 0; j < kNR; ++j) {
      Pair bj;
      std::memcpy(&bj, b + 2 * j, 16);
      for (index_t i = 0; i < kPairs; ++i) acc[j][i] += a[i] * bj;
    }
  }
  for (index_t j = 0; j < kNR; ++j) {
    for (index_t i = 0; i < kPairs; ++i) std::memcpy(c + 2 * i + j * ldc, &acc[j][i], 16);
  }
}

// A partial tile goes through a full local tile, so its entries see the same operations.
void edge_kernel(index_t kc,
                 const double* ap,
                 const double* bp,
                 double* c,
                 index_t ldc,
                 index_t mr,
                 index_t nr) {
  double tile[kNR * kMR] = {};
  for (index_t j = 0; j < nr; ++j) {
    for (index_t i = 0; i < mr; ++i) tile[i + j * kMR] = c[i + j * ldc];
  }
  micro_kernel(kc, ap, bp, tile, kMR);
  for (index_t j = 0; j < nr; ++j) {
    for (index_t i = 0; i < mr; ++i) c[i + j * ldc] = tile[i + j * kMR];
  }
}

void macro_kernel(index_t mc,
                  index_t nc,
                  index_t kc,
                  const double* ap,
                  const double* bp,
                  double* c,
                  index_t ldc) {
  for (index_t jr = 0; jr < nc; jr += kNR) {
    const index_t nr = std::min(kNR, nc - jr);
    const double* b_sliver = bp + 2 * jr * kc;
    for (index_t ir = 0; ir < mc; ir += kMR) {
      const index_t mr = std::min(kMR, mc - ir);
      double* tile = c + ir + jr * ldc;
      if (mr == kMR && nr == kNR) {
        micro_kernel(kc, ap + ir * kc, b_sliver, tile, ldc);
      } else {
        edge_kernel(kc, ap + ir * kc, b_sliver, tile, ldc, mr, nr);
      }
    }
  }
}

}  // namespace

index_t gemm_buffer_size() {
  return kPackedA + kPackedB;
}

void gemm_accumulate(index_t m,
                     index_t n,
                     index_t k,
                     bool subtract,
                     StridedView a,
                     StridedView b,
                     double* c,
                     index_t ldc,
                     double* buffer) {
  if (m <= 0 || n <= 0 || k <= 0) return;
  double* ap = buffer;
  double* bp = buffer + kPackedA;
  for (index_t jc = 0; jc < n; jc += kNC) {
    const index_t nc = std::min(kNC, n - jc);
    for (index_t pc = 0; pc < k; pc += kKC) {
      const index_t kc = std::min(kKC, k - pc);
      pack_b(kc, nc, b, pc, jc, bp);
      for (index_t ic = 0; ic < m; ic += kMC) {
        const index_t mc = std::min(kMC, m - ic);
        pack_a(mc, kc, a, ic, pc, subtract, ap);
        macro_kernel(mc, nc, kc, ap, bp, c + ic + jc * ldc, ldc);
      }
    }
  }
}

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
                           double* buffers) {
  run_tasks(tasks, [&](int t) {
    double* buffer = buffers + t * gemm_buffer_size();
    if (by_rows) {
      const index_t r0 = even_bound(m, tasks, t, kMR), r1 = even_bound(m, tasks, t + 1, kMR);
      const StridedView part{a.data + r0 * a.row_stride, a.row_stride, a.col_stride};
      gemm_accumulate(r1 - r0, n, k, subtract, part, b, c + r0, ldc, buffer);
    } else {
      const index_t j0 = even_bound(n, tasks, t, kNR), j1 = even_bound(n, tasks, t + 1, kNR);
      const StridedView part{b.data + j0 * b.col_stride, b.row_stride, b.col_stride};
      gemm_accumulate(m, j1 - j0, k, subtract, a, part, c + j0 * ldc, ldc, buffer);
    }
  });
}

int useful_tasks(int available, index_t rows, index_t cols, index_t depth) {
  constexpr double kPerTask = 2.0e6;  // about 0.1 ms of work, several times a thread start
  const double multiply_adds =
      static_cast<double>(rows) * static_cast<double>(cols) * static_cast<double>(depth);
  const double worth = std::max(1.0, std::floor(multiply_adds / kPerTask));
  return worth < available ? static_cast<int>(worth) : std::max(available, 1);
}

}  // namespace bem::numerics::detail
