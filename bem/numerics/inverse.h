// Inverse of a dense real general matrix with singularity and conditioning checks.
#pragma once

#include "../matrix.h"

namespace bem::numerics {

// Routine name shown in this service's messages.
inline constexpr const char* kInverseRoutine = "DLINRG";

// Computes ainv = a^-1 for the n x n matrix a (column-major, leading dimension lda >= n);
// a is left unchanged, ainv (leading dimension ldainv >= n) is overwritten.
//
// Method: P a = L U by Gaussian elimination with scaled partial pivoting (row scale
// 1 / max_j |a_ij|, or 1 when that maximum is below the smallest normalised double; in
// column k the pivot is the first row p >= k maximising s_p |a_pk|). A chosen pivot of
// magnitude <= 2.2250738585072014e-308 marks the matrix singular: fatal condition 2, the
// process ends. Otherwise the reciprocal condition number in the 1-norm is estimated from the
// factors by the LINPACK estimator (Cline, Moler, Stewart and Wilkinson, 1979), the inverse
// is formed as U^-1 L^-1 with the interchanges undone on the columns, and RCOND <= 2^-52
// prints warning 1 with the estimate; the inverse is returned all the same.
// n < 1 and storage that cannot be obtained are terminal conditions 1 and 2.
//
// Returns the RCOND estimate. The result does not depend on the number of threads.
double inverse(index_t n, const double* a, index_t lda, double* ainv, index_t ldainv);

}  // namespace bem::numerics
