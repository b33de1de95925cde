// Reading a model data file into the arrays of a library call.
#ifndef VELDRA_TOOLS_BEMRUN_MODEL_FILE_H
#define VELDRA_TOOLS_BEMRUN_MODEL_FILE_H

#include <string>
#include <string_view>
#include <vector>

#include "tools/bemrun/errors.h"

namespace bemrun {

// A boundary element mesh in the layout of the library call: every node is a boundary point
// (ncont = npt, npint = 0), points are numbered 1..npt in the order of the node rows.
struct Mesh {
  std::vector<int> node_number;   // npt: the file's node number of point i (index i - 1)
  std::vector<int> node_line;     // npt: line of point i's node row
  std::vector<double> coord;      // npt x 3, column-major: all x1, then all x2, then all x3
  std::vector<int> inc;           // nelem x 3, column-major: point numbers 1..npt
  std::vector<int> element_line;  // nelem: line of element e's row

  int npt() const { return static_cast<int>(node_number.size()); }
  int nelem() const { return static_cast<int>(element_line.size()); }
  double x(int point, int k) const;        // point 1..npt, direction k 1..3
  int node(int element, int local) const;  // element 1..nelem, local node 1..3 -> point
};

// Reads the model data file layout by line numbers (lines counted from 1):
//   lines 3..7       counts nn, ne, nd, nf, ns: the text from the 21st character on, an integer
//   lines 12..11+nn  node rows: node number, x, y, z (whitespace-separated)
//   line 12+nn       empty; lines 13+nn..15+nn are labels
//   lines nn+16..nn+15+ne  element rows: element number, five columns, then the nodes
// Labels are never read; they may be Windows-1252 or UTF-8 (the 21st character is counted in
// characters, not bytes, for UTF-8 lines). Lines end with LF or CR LF. Decimal separators may
// be points or commas. An element lists 3 nodes, or 4 with the fourth equal to the third (a
// triangle exported as a degenerate quadrilateral). Everything after the element rows is ignored.
//
// Throws InputError naming `file_name` and the line for: a count that is not a non-negative
// integer, a file shorter than its counts, a malformed node row, a duplicate node number, an
// element row with a quadrilateral, a wrong node count, a repeated or unknown node or zero area,
// a node that belongs to no element, and a mesh without nodes or without elements.
Mesh parse_model(std::string_view text, const std::string& file_name);

// Reads the file and parses it; a file that cannot be read is an InputError.
Mesh read_model_file(const std::string& path);

// Byte offset of the character at 0-based position `index` of a line: characters are UTF-8
// code points when the line is valid UTF-8, else single bytes (Windows-1252). Returns the line
// length when the line has fewer characters.
std::size_t character_offset(std::string_view line, std::size_t index);

}  // namespace bemrun

#endif
