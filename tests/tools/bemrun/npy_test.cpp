#include "tools/bemrun/npy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "tests/tools/bemrun/test_files.h"

namespace {

using bemrun::npy_header;
using bemrun_test::read_bytes;
using bemrun_test::TemporaryFolder;
using bemrun_test::write_bytes;

struct ParsedHeader {
  std::string magic;
  int major = 0;
  int minor = 0;
  std::size_t header_length = 0;
  std::string dict;  // without the padding and the newline
  std::size_t data_offset = 0;
};

ParsedHeader parse_header(const std::string& bytes) {
  ParsedHeader h;
  h.magic = bytes.substr(0, 6);
  h.major = static_cast<unsigned char>(bytes[6]);
  h.minor = static_cast<unsigned char>(bytes[7]);
  h.header_length =
      static_cast<unsigned char>(bytes[8]) + 256u * static_cast<unsigned char>(bytes[9]);
  h.data_offset = 10 + h.header_length;
  std::string text = bytes.substr(10, h.header_length);
  EXPECT_EQ(text.back(), '\n');
  text.pop_back();
  while (!text.empty() && text.back() == ' ') text.pop_back();
  h.dict = text;
  return h;
}

struct ShapeCase {
  std::size_t rows;
  std::size_t cols;
};

class BemrunNpyHeaderTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(BemrunNpyHeaderTest, IsVersion1FortranFloat64PaddedTo64Bytes) {
  const auto [rows, cols] = GetParam();
  const std::string header = npy_header(rows, cols);
  EXPECT_EQ(header.size() % 64, 0u);
  const ParsedHeader h = parse_header(header);
  EXPECT_EQ(h.magic, "\x93NUMPY");
  EXPECT_EQ(h.major, 1);
  EXPECT_EQ(h.minor, 0);
  EXPECT_EQ(h.data_offset, header.size());
  EXPECT_EQ(h.dict, "{'descr': '<f8', 'fortran_order': True, 'shape': (" + std::to_string(rows) +
                        ", " + std::to_string(cols) + "), }");
  // Only blanks pad the dictionary up to its newline.
  EXPECT_EQ(header.find_first_not_of(' ', 10 + h.dict.size()), header.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(Shapes,
                         BemrunNpyHeaderTest,
                         testing::Values(ShapeCase{1, 1},
                                         ShapeCase{2, 3},
                                         ShapeCase{486, 486},
                                         ShapeCase{1926, 1926},
                                         ShapeCase{123456789, 987654321}),
                         [](const testing::TestParamInfo<ShapeCase>& p) {
                           return std::to_string(p.param.rows) + "x" + std::to_string(p.param.cols);
                         });

TEST(BemrunNpyHeaderTest, LengthFieldIsLittleEndian) {
  // 10 bytes of preamble and a 58-byte dictionary for (2, 3) with its newline need 128 bytes.
  const std::string header = npy_header(2, 3);
  ASSERT_EQ(header.size(), 128u);
  EXPECT_EQ(header.substr(0, 10), std::string("\x93NUMPY\x01\x00\x76\x00", 10));
}

TEST(BemrunNpyWriteTest, DataFollowsTheHeaderColumnByColumn) {
  TemporaryFolder folder;
  // a(r, c) = 10 r + c, stored column-major as the library stores rigidez.
  const std::vector<double> a = {11, 21, 12, 22, 13, 23};
  bemrun::write_npy(folder / "a.npy", a.data(), 2, 3);
  const std::string bytes = read_bytes(folder / "a.npy");
  const ParsedHeader h = parse_header(bytes);
  EXPECT_EQ(h.dict, "{'descr': '<f8', 'fortran_order': True, 'shape': (2, 3), }");
  ASSERT_EQ(bytes.size(), h.data_offset + 6 * 8);
  for (std::size_t i = 0; i < 6; ++i) {
    std::uint64_t bits = 0;
    for (std::size_t b = 0; b < 8; ++b) {
      bits |= std::uint64_t{static_cast<unsigned char>(bytes[h.data_offset + 8 * i + b])}
              << (8 * b);
    }
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    EXPECT_EQ(value, a[i]) << "value " << i;
  }
}

TEST(BemrunNpyWriteTest, ReplacesAnEarlierLargerFileWhole) {
  TemporaryFolder folder;
  write_bytes(folder / "a.npy", std::string(10000, 'x'));
  const std::vector<double> a = {1.5};
  bemrun::write_npy(folder / "a.npy", a.data(), 1, 1);
  EXPECT_EQ(read_bytes(folder / "a.npy").size(), 128u + 8u);
}

TEST(BemrunNpyWriteTest, ReplacesTheFileByRenameNotInPlace) {
  TemporaryFolder folder;
  // A second name of the earlier file keeps the earlier content: the new file is a new inode.
  write_bytes(folder / "a.npy", "earlier");
  std::filesystem::create_hard_link(folder / "a.npy", folder / "earlier.npy");
  const std::vector<double> a = {1.5};
  bemrun::write_npy(folder / "a.npy", a.data(), 1, 1);
  EXPECT_EQ(read_bytes(folder / "earlier.npy"), "earlier");
  EXPECT_EQ(read_bytes(folder / "a.npy").size(), 128u + 8u);
}

std::vector<std::string> folder_entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(BemrunNpyWriteTest, FailedRenameLeavesTheTargetAndNoTemporaryFile) {
  TemporaryFolder folder;
  // A non-empty folder cannot be replaced by a file: the rename fails after the data is written.
  std::filesystem::create_directory(folder / "a.npy");
  write_bytes(folder / "a.npy" / "keep", "earlier");
  const std::vector<double> a = {1, 2, 3, 4};
  EXPECT_THROW(bemrun::write_npy(folder / "a.npy", a.data(), 2, 2), std::runtime_error);
  EXPECT_EQ(folder_entries(folder.path()), std::vector<std::string>{"a.npy"});
  EXPECT_EQ(read_bytes(folder / "a.npy" / "keep"), "earlier");
}

TEST(BemrunNpyWriteTest, MissingFolderIsAnErrorNamingThePath) {
  TemporaryFolder folder;
  const std::vector<double> a = {1};
  try {
    bemrun::write_npy(folder / "missing" / "a.npy", a.data(), 1, 1);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("missing/a.npy"), std::string::npos) << error.what();
  }
}

TEST(BemrunNpyCheckWritableTest, LeavesNothingBehindAndRefusesAMissingFolder) {
  TemporaryFolder folder;
  bemrun::check_writable(folder / "a.npy");
  EXPECT_TRUE(folder_entries(folder.path()).empty());
  EXPECT_THROW(bemrun::check_writable(folder / "missing" / "a.npy"), std::runtime_error);
}

}  // namespace
