#include "inverse.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "../parallel.h"
#include "errors.h"
#include "lu.h"

namespace bem::numerics {
namespace {

// Largest relative spacing of doubles, 2^-52: RCOND at or below it is reported.
constexpr double kRelativeSpacing = 2.220446049250313e-16;

double one_norm(index_t n, const double* a, index_t lda) {
  double norm = 0.0;
  for (index_t j = 0; j < n; ++j) {
    const double* col = a + j * lda;
    double sum = 0.0;
    for (index_t i = 0; i < n; ++i) sum += std::abs(col[i]);
    norm = std::max(norm, sum);
  }
  return norm;
}

}  // namespace

double inverse(index_t n, const double* a, index_t lda, double* ainv, index_t ldainv) {
  if (n < 1) {
    stop(Severity::terminal, 1, kInverseRoutine,
         fill_placeholders("The order of the matrix must be positive while N = %(i1) is given.",
                           static_cast<long long>(n)));
  }
  assert(lda >= n && ldainv >= n);
  detail::LuWorkspace ws;
  if (!ws.obtain(n, thread_count())) {
    stop(Severity::terminal, 2, kInverseRoutine,
         fill_placeholders("The required storage cannot be allocated.  The workspace is based "
                           "on N, where N = %(i1).",
                           static_cast<long long>(n)));
  }

  const double anorm = one_norm(n, a, lda);
  for (index_t j = 0; j < n; ++j) std::copy(a + j * lda, a + j * lda + n, ainv + j * ldainv);
  if (detail::lu_factor(n, ainv, ldainv, ws.pivots(), ws) > 0) {
    stop(Severity::fatal, 2, kInverseRoutine,
         "The input matrix is singular.  Some of the diagonal elements of the upper triangular "
         "matrix U of the LU factorization are close to zero.");
  }
  const double rcond = detail::lu_rcond(n, ainv, ldainv, ws.pivots(), anorm, ws);
  detail::lu_invert(n, ainv, ldainv, ws.pivots(), ws);

  if (rcond <= kRelativeSpacing) {
    print_condition(Severity::warning, 1, kInverseRoutine,
                    fill_placeholders("The matrix is too ill-conditioned. An estimate of the "
                                      "reciprocal of its L1 condition number is RCOND = %(D1).  "
                                      "The inverse might not be accurate.",
                                      rcond));
  }
  return rcond;
}

}  // namespace bem::numerics
