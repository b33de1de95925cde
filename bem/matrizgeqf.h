// The traction-to-force matrix mtrans and the result matrix
// rigidez = mtrans g^-1 h (or mtrans g^-1 without h), by two inversions and the products
// W1 = mtrans^-1, W2 = g W1, W2 = W2^-1, rigidez = W2 h.
#pragma once

#include "problem.h"

namespace bem {

// mtrans: the integral of N_a N_b over every element, in each direction, scattered by the
// elements' point numbers (area/6 where a = b, area/12 where a != b).
Matrix mtrans(const Problem& p);

// Writes every entry of rigidez (ngl x ngl, column-major). g and h are released on the way to
// keep the peak storage at four matrices of order ngl. A singular matrix ends the process.
void matrizgeqf(const Problem& p, Matrix& g, Matrix& h, bool h_in_rigidez, double* rigidez);

}  // namespace bem
