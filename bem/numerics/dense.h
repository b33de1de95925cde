// Dense matrix products.
#pragma once

#include "../matrix.h"

namespace bem::numerics {

// c = a b for n x n column-major matrices (leading dimension n). Every entry is the sum
// sum_k a(i,k) b(k,j) accumulated with k running upwards from 1, so the result is the same
// bit for bit whatever the blocking or the number of threads. c must not alias a or b.
void multiply(index_t n, const double* a, const double* b, double* c);

}  // namespace bem::numerics
