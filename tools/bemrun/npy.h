// Writing a matrix as a NumPy .npy file (format version 1.0).
#ifndef VELDRA_TOOLS_BEMRUN_NPY_H
#define VELDRA_TOOLS_BEMRUN_NPY_H

#include <cstddef>
#include <filesystem>
#include <string>

namespace bemrun {

// The complete header of a version 1.0 file for a little-endian float64 matrix stored in
// Fortran (column-major) order: the magic "\x93NUMPY", the version bytes 1 0, the header length
// as a little-endian 16-bit integer and the dictionary
//   {'descr': '<f8', 'fortran_order': True, 'shape': (rows, cols), }
// padded with blanks and ended by '\n' so that the data starts at a multiple of 64 bytes.
std::string npy_header(std::size_t rows, std::size_t cols);

// Writes `data` (rows x cols, column-major, rows * cols values) to `path`. The file is written
// under a temporary name in the same folder and renamed onto `path` only when complete, so a
// failure leaves neither a partial file nor a changed earlier one. Throws std::runtime_error
// naming the path on failure; the temporary file is removed.
void write_npy(const std::filesystem::path& path,
               const double* data,
               std::size_t rows,
               std::size_t cols);

// Creates and removes a temporary file beside `path`, so that an output folder that cannot be
// written is reported before a long computation. Throws std::runtime_error as write_npy.
void check_writable(const std::filesystem::path& path);

}  // namespace bemrun

#endif
