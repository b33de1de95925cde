// Mindlin's solution for a unit point force inside an elastic half-space with a traction-free
// plane surface (R. D. Mindlin, "Force at a point in the interior of a semi-infinite solid",
// Physics 7 (1936) 195-202).
#pragma once

#include "kernel.h"

namespace bem::kernels {

// Frame: x3 is the depth below the free surface x3 = 0, positive into the solid. The source
// lies at depth c, the field point at depth z; r = field point minus source point (so
// r3 = z - c), zc = z + c and R = rimg is the distance from the field point to the image of
// the source, (s1, s2, -c). First index the force direction at the source, second the
// component at the field point.
//
// U(l, m) = A * (Mindlin displacement m due to a unit force along l), A = cteu.
// P(l, m) = S_l(m, 1) n1 + S_l(m, 2) n2 + S_l(m, 3) n3 with S_l = B * T_l the symmetric stress
// of the displacement column U(l, .) under Hooke's law when A = J/(16 pi G (1 - nu)) and
// B = ctep = 2 G A. S_l(1, 3), S_l(2, 3) and S_l(3, 3) vanish on x3 = 0.
//
// The combinations cnu1 = 1 - nu, cnu12 = 1 - 2nu, cnu34 = 3 - 4nu, cnu32 = 3 - 2nu and
// cnu54 = 5 - 4nu are used as passed; the results are those of Mindlin's solution only when
// they match nu. Undefined for r = 0 or R + zc = 0; meaningless for points with x3 < 0.
// All nine entries of ufund and pfund (column-major, (l, m) at [(l-1) + 3(m-1)]) are written.
struct Mindlin {
  static inline void solfund(double nu,
                             double r,
                             double r1,
                             double r2,
                             double r3,
                             double rimg,
                             double zc,
                             double c,
                             double z,
                             double cnu1,
                             double cnu12,
                             double cnu34,
                             double cnu32,
                             double cnu54,
                             double cteu,
                             double ctep,
                             double* ufund,
                             double* pfund,
                             double n1,
                             double n2,
                             double n3) {
    const Terms t = terms(r, rimg, zc, c, z, cnu1, cnu12, cnu34);

    // Displacements. U(1,3) and U(3,1) differ in the signs of their last two terms: the
    // horizontal displacement under a vertical force is not the vertical displacement under a
    // horizontal force.
    const double u12 =
        r1 * r2 * (1.0 / t.r3p + t.a / t.R3p - 6.0 * t.cz / t.R5p - t.K / (t.R * t.Rz * t.Rz));
    const double common3 = r3 / t.r3p + t.a * r3 / t.R3p;
    const double image3 = 6.0 * t.cz * zc / t.R5p - t.K / (t.R * t.Rz);
    ufund[0] = cteu * horizontal_diagonal(t, r1);  // U(1,1)
    ufund[1] = cteu * u12;                         // U(2,1)
    ufund[2] = cteu * (r1 * (common3 + image3));   // U(3,1)
    ufund[3] = cteu * u12;                         // U(1,2)
    ufund[4] = cteu * horizontal_diagonal(t, r2);  // U(2,2)
    ufund[5] = cteu * (r2 * (common3 + image3));   // U(3,2)
    ufund[6] = cteu * (r1 * (common3 - image3));   // U(1,3)
    ufund[7] = cteu * (r2 * (common3 - image3));   // U(2,3)
    ufund[8] = cteu * (t.a / r + r3 * r3 / t.r3p + 8.0 * cnu1 * cnu1 / t.R - t.a / t.R +
                       t.a * zc * zc / t.R3p - 2.0 * t.cz / t.R3p + 6.0 * t.cz * zc * zc / t.R5p);

    // Tractions, row by row. The force along x2 gives the stresses of the force along x1 with
    // the axes 1 and 2 exchanged.
    const Stress s1 = horizontal_stress(t, r1, r2, r3, zc, c, z, cnu32, cnu54);
    store_traction(pfund, 0, ctep, s1.pp, s1.qq, s1.s33, s1.pq, s1.p3, s1.q3, n1, n2, n3);
    const Stress s2 = horizontal_stress(t, r2, r1, r3, zc, c, z, cnu32, cnu54);
    store_traction(pfund, 1, ctep, s2.qq, s2.pp, s2.s33, s2.pq, s2.q3, s2.p3, n1, n2, n3);
    const Stress s3 = vertical_stress(t, nu, r1, r2, r3, zc, c, z);
    store_traction(pfund, 2, ctep, s3.pp, s3.qq, s3.s33, s3.pq, s3.p3, s3.q3, n1, n2, n3);
  }

 private:
  // Powers of the two distances and the material shorthands K = 4(1 - nu)(1 - 2nu),
  // a = 3 - 4nu, b = 1 - 2nu.
  struct Terms {
    double r, r3p, r5p;            // r, r^3, r^5
    double R, R2p, R3p, R5p, R7p;  // R, R^2, R^3, R^5, R^7
    double Rz;                     // R + zc
    double cz;                     // c z
    double K, a, b;
  };

  // Stresses of one force direction: for a horizontal force along axis p, with q the other
  // horizontal axis, (p,p), (q,q), (3,3), (p,q), (p,3), (q,3). For the vertical force p = 1,
  // q = 2.
  struct Stress {
    double pp, qq, s33, pq, p3, q3;
  };

  static inline Terms terms(
      double r, double R, double zc, double c, double z, double cnu1, double cnu12, double cnu34) {
    Terms t{};
    t.r = r;
    t.r3p = r * r * r;
    t.r5p = t.r3p * r * r;
    t.R = R;
    t.R2p = R * R;
    t.R3p = t.R2p * R;
    t.R5p = t.R3p * t.R2p;
    t.R7p = t.R5p * t.R2p;
    t.Rz = R + zc;
    t.cz = c * z;
    t.K = cnu12 * cnu1 * 4.0;
    t.a = cnu34;
    t.b = cnu12;
    return t;
  }

  // U(1,1) / A with p = r1; U(2,2) / A with p = r2.
  static inline double horizontal_diagonal(const Terms& t, double p) {
    const double pp = p * p;
    return t.a / t.r + pp / t.r3p + 1.0 / t.R + t.a * pp / t.R3p +
           (2.0 * t.cz / t.R3p) * (1.0 - 3.0 * pp / t.R2p) +
           (t.K / t.Rz) * (1.0 - pp / (t.R * t.Rz));
  }

  // T for the force along axis p (p = r1, q = r2 for l = 1; p = r2, q = r1 for l = 2).
  static inline Stress horizontal_stress(const Terms& t,
                                         double p,
                                         double q,
                                         double r3,
                                         double zc,
                                         double c,
                                         double z,
                                         double cnu32,
                                         double cnu54) {
    const double a = t.a, b = t.b, K = t.K, R = t.R, Rz = t.Rz;
    const double pp = p * p, qq = q * q;
    const double kr = K / (R * Rz * Rz);
    const double w = (3.0 * R + zc) / (t.R2p * Rz);
    Stress s{};
    s.pp = p * (-b / t.r3p - 3.0 * pp / t.r5p + b * cnu54 / t.R3p - 3.0 * a * pp / t.R5p -
                kr * (3.0 - pp * w) +
                (6.0 * c / t.R5p) * (3.0 * c - cnu32 * zc + 5.0 * z * pp / t.R2p));
    s.qq = p * (b / t.r3p - 3.0 * qq / t.r5p + b * a / t.R3p - 3.0 * a * qq / t.R5p -
                kr * (1.0 - qq * w) + (6.0 * c / t.R5p) * (c - b * zc + 5.0 * z * qq / t.R2p));
    s.s33 = p * (b / t.r3p - 3.0 * r3 * r3 / t.r5p - b / t.R3p - 3.0 * a * zc * zc / t.R5p +
                 (6.0 * c / t.R5p) * (c + b * zc + 5.0 * z * zc * zc / t.R2p));
    s.pq = q * (-b / t.r3p - 3.0 * pp / t.r5p + b / t.R3p - 3.0 * a * pp / t.R5p -
                kr * (1.0 - pp * w) - (6.0 * t.cz / t.R5p) * (1.0 - 5.0 * pp / t.R2p));
    s.p3 = -b * r3 / t.r3p - 3.0 * pp * r3 / t.r5p + b * r3 / t.R3p - 3.0 * a * pp * zc / t.R5p -
           (6.0 * c / t.R5p) * (z * zc - b * pp - 5.0 * pp * z * zc / t.R2p);
    s.q3 =
        p * q *
        (-3.0 * r3 / t.r5p - 3.0 * a * zc / t.R5p + (6.0 * c / t.R5p) * (b + 5.0 * z * zc / t.R2p));
    return s;
  }

  // T for the vertical force.
  static inline Stress vertical_stress(
      const Terms& t, double nu, double r1, double r2, double r3, double zc, double c, double z) {
    const double a = t.a, b = t.b, K = t.K, R = t.R, Rz = t.Rz;
    const auto diagonal = [&](double p) {
      const double pp = p * p;
      return b * r3 / t.r3p - 3.0 * pp * r3 / t.r5p - 3.0 * a * pp * r3 / t.R5p +
             b * (3.0 * r3 - nu * 4.0 * zc) / t.R3p -
             (K / (R * Rz)) * (1.0 - pp / t.R2p - pp / (R * Rz)) +
             (6.0 * c * zc / t.R5p) * (b * z - 2.0 * nu * c - 5.0 * z * pp / t.R2p);
    };
    const double shear3 = -b / t.r3p - 3.0 * r3 * r3 / t.r5p + b / t.R3p -
                          3.0 * a * z * zc / t.R5p - 30.0 * t.cz * zc * zc / t.R7p +
                          (3.0 * c / t.R5p) * (3.0 * z + c);
    Stress s{};
    s.pp = diagonal(r1);
    s.qq = diagonal(r2);
    s.s33 = -b * r3 / t.r3p - 3.0 * r3 * r3 * r3 / t.r5p + b * r3 / t.R3p -
            3.0 * a * z * zc * zc / t.R5p - 30.0 * t.cz * zc * zc * zc / t.R7p +
            (3.0 * c * zc / t.R5p) * (5.0 * z - c);
    s.pq = r1 * r2 *
           (-3.0 * r3 / t.r5p - 3.0 * a * r3 / t.R5p + (K / (t.R2p * Rz)) * (1.0 / Rz + 1.0 / R) -
            30.0 * t.cz * zc / t.R7p);
    s.p3 = r1 * shear3;
    s.q3 = r2 * shear3;
    return s;
  }

  // P(l, m) = B [T(m, 1) n1 + T(m, 2) n2 + T(m, 3) n3] for row l (0-based) from the six T.
  static inline void store_traction(double* pfund,
                                    int l,
                                    double B,
                                    double s11,
                                    double s22,
                                    double s33,
                                    double s12,
                                    double s13,
                                    double s23,
                                    double n1,
                                    double n2,
                                    double n3) {
    pfund[l] = B * s11 * n1 + B * s12 * n2 + B * s13 * n3;
    pfund[l + 3] = B * s12 * n1 + B * s22 * n2 + B * s23 * n3;
    pfund[l + 6] = B * s13 * n1 + B * s23 * n2 + B * s33 * n3;
  }
};

}  // namespace bem::kernels
