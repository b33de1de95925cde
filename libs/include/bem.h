/* The boundary element libraries' entry points.
 *
 * Each library exports exactly one of these functions. Every argument is passed by address,
 * as a Fortran caller passes it. Arrays are column-major with the stated extents:
 *   coord   npt x 3 reals (npt = ncont + npint): all x1, then all x2, then all x3
 *   tipo    npt integers, read and without effect
 *   inc     nelem x 3 integers, point numbers 1..npt of nodes 1, 2, 3 of each element
 *   rigidez ngl x ngl reals (ngl = 3 npt), written only when nelem >= 1
 * fator is reset to 0.0 when opcao = 1. The function returns nothing: bad input or a singular
 * matrix prints a message on the console and ends the process.
 *
 * On 32-bit Windows the functions use the standard calling convention and are exported as
 * _mindlin3d@44, _boussinesq_cerruti3d@44 and _kelvin3d@44.
 */
#ifndef VELDRA_BEM_H
#define VELDRA_BEM_H

#if defined(_WIN32)
#define BEM_CALL __stdcall
#else
#define BEM_CALL
#endif

#if defined(BEM_BUILDING_LIBRARY)
#if defined(_WIN32)
/* Not dllexport: MinGW would export the __stdcall function as kelvin3d@44, without the
 * leading underscore. Each DLL's .def file names its export exactly. */
#define BEM_API
#else
#define BEM_API __attribute__((visibility("default")))
#endif
#else
#define BEM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Mindlin half-space (libbemdeep). */
BEM_API void BEM_CALL mindlin3d(const int* opcao,
                                const int* ncont,
                                const int* npint,
                                const int* nelem,
                                double* fator,
                                const double* emod,
                                const double* pois,
                                const double* coord,
                                const int* tipo,
                                const int* inc,
                                double* rigidez);

/* Boussinesq-Cerruti surface (libbemsurf). */
BEM_API void BEM_CALL boussinesq_cerruti3d(const int* opcao,
                                           const int* ncont,
                                           const int* npint,
                                           const int* nelem,
                                           double* fator,
                                           const double* emod,
                                           const double* pois,
                                           const double* coord,
                                           const int* tipo,
                                           const int* inc,
                                           double* rigidez);

/* Kelvin full space (libbemfull). */
BEM_API void BEM_CALL kelvin3d(const int* opcao,
                               const int* ncont,
                               const int* npint,
                               const int* nelem,
                               double* fator,
                               const double* emod,
                               const double* pois,
                               const double* coord,
                               const int* tipo,
                               const int* inc,
                               double* rigidez);

/* Pointer type for run-time loading (dlsym, GetProcAddress). */
typedef void(BEM_CALL* bem_entry_fn)(const int* opcao,
                                     const int* ncont,
                                     const int* npint,
                                     const int* nelem,
                                     double* fator,
                                     const double* emod,
                                     const double* pois,
                                     const double* coord,
                                     const int* tipo,
                                     const int* inc,
                                     double* rigidez);

#ifdef __cplusplus
}
#endif

#endif
