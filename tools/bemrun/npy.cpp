#include "tools/bemrun/npy.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace bemrun {
namespace {

constexpr std::size_t kAlignment = 64;
constexpr std::size_t kPreamble = 10;  // magic (6), version (2), header length (2)

std::filesystem::path temporary_beside(const std::filesystem::path& path) {
  std::random_device seed;
  std::uniform_int_distribution<std::uint64_t> draw;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".tmp-%016llx", static_cast<unsigned long long>(draw(seed)));
  std::filesystem::path tmp = path;
  tmp += suffix;
  return tmp;
}

[[noreturn]] void fail(const std::filesystem::path& path, const std::string& what) {
  throw std::runtime_error(path.string() + ": " + what);
}

void write_little_endian(std::ofstream& out, const double* data, std::size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    out.write(reinterpret_cast<const char*>(data),
              static_cast<std::streamsize>(count * sizeof(double)));
  } else {
    std::vector<char> buffer(sizeof(double));
    for (std::size_t i = 0; i < count; ++i) {
      const auto bits = std::bit_cast<std::uint64_t>(data[i]);
      for (std::size_t b = 0; b < sizeof(double); ++b) {
        buffer[b] = static_cast<char>((bits >> (8 * b)) & 0xFF);
      }
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    }
  }
}

}  // namespace

std::string npy_header(std::size_t rows, std::size_t cols) {
  std::string dict = "{'descr': '<f8', 'fortran_order': True, 'shape': (" + std::to_string(rows) +
                     ", " + std::to_string(cols) + "), }";
  const std::size_t unpadded = kPreamble + dict.size() + 1;
  const std::size_t total = (unpadded + kAlignment - 1) / kAlignment * kAlignment;
  dict.append(total - unpadded, ' ');
  dict.push_back('\n');
  const std::size_t length = dict.size();
  std::string header("\x93NUMPY\x01\x00", 8);
  header.push_back(static_cast<char>(length & 0xFF));
  header.push_back(static_cast<char>((length >> 8) & 0xFF));
  return header + dict;
}

void write_npy(const std::filesystem::path& path,
               const double* data,
               std::size_t rows,
               std::size_t cols) {
  const std::filesystem::path tmp = temporary_beside(path);
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) fail(path, std::string("cannot create the output file: ") + std::strerror(errno));
    const std::string header = npy_header(rows, cols);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    write_little_endian(out, data, rows * cols);
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(tmp, ignored);
      fail(path, "cannot write the output file");
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(tmp, ignored);
    fail(path, "cannot replace the output file: " + ec.message());
  }
}

void check_writable(const std::filesystem::path& path) {
  const std::filesystem::path tmp = temporary_beside(path);
  std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
  if (!out) fail(path, std::string("cannot create the output file: ") + std::strerror(errno));
  out.close();
  std::error_code ignored;
  std::filesystem::remove(tmp, ignored);
}

}  // namespace bemrun
