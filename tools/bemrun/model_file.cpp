#include "tools/bemrun/model_file.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <unordered_map>

namespace bemrun {
namespace {

constexpr int kFirstNodeLine = 12;
constexpr int kElementColumns = 6;  // element number, TS, Te, 0, 0, F/Dir

std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> split_fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && is_blank(line[i])) ++i;
    std::size_t start = i;
    while (i < line.size() && !is_blank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

bool parse_int(std::string_view s, long long& value) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return ec == std::errc() && end == s.data() + s.size();
}

// A fixed or exponent real with a point or a comma as decimal separator.
bool parse_real(std::string_view s, double& value) {
  std::string text(s);
  if (text.find('.') == std::string::npos) {
    std::size_t comma = text.find(',');
    if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos) {
      text[comma] = '.';
    }
  }
  std::size_t start = (!text.empty() && text.front() == '+') ? 1 : 0;
  if (start == text.size()) return false;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  return ec == std::errc() && end == last && std::isfinite(value);
}

std::string quoted(std::string_view s) {
  std::string text;
  text.reserve(s.size() + 2);
  text.push_back('\'');
  text.append(s);
  text.push_back('\'');
  return text;
}

class Parser {
 public:
  Parser(std::string_view text, const std::string& file_name)
      : lines_(split_lines(text)), file_(file_name) {}

  Mesh run();

 private:
  [[noreturn]] void fail(long long line, const std::string& what) const {
    throw InputError(file_ + ":" + std::to_string(line) + ": " + what);
  }
  std::string_view line(long long number, const std::string& needed_for) const;
  long long count(int number, const char* what);
  void node_row(long long number,
                int point,
                Mesh& mesh,
                std::unordered_map<int, int>& point_of) const;
  void element_row(long long number,
                   int element,
                   Mesh& mesh,
                   const std::unordered_map<int, int>& point_of) const;
  void check_element_area(long long number,
                          int element,
                          const std::string& name,
                          const Mesh& mesh) const;

  std::vector<std::string_view> lines_;
  std::string file_;
};

std::string_view Parser::line(long long number, const std::string& needed_for) const {
  if (number > static_cast<long long>(lines_.size())) {
    fail(static_cast<long long>(lines_.size()) + 1,
         "the file ends after " + std::to_string(lines_.size()) + " lines, before line " +
             std::to_string(number) + " (" + needed_for + ")");
  }
  return lines_[static_cast<std::size_t>(number - 1)];
}

long long Parser::count(int number, const char* what) {
  std::string_view text = line(number, std::string("the count of ") + what);
  std::string_view value = trim(text.substr(character_offset(text, 20)));
  long long n = 0;
  if (!parse_int(value, n)) {
    fail(number, std::string("the count of ") + what +
                     " (from the 21st character on) is not an integer: " + quoted(value));
  }
  if (n < 0) fail(number, std::string("the count of ") + what + " is negative: " + quoted(value));
  // Every point gives 3 degrees of freedom, and the library takes the counts as 32-bit integers.
  if (n > std::numeric_limits<int>::max() / 3) {
    fail(number, std::string("the count of ") + what + " is too large: " + quoted(value));
  }
  return n;
}

void Parser::node_row(long long number,
                      int point,
                      Mesh& mesh,
                      std::unordered_map<int, int>& point_of) const {
  const int npt = static_cast<int>(mesh.node_number.size());
  std::string_view text = line(number, "node row " + std::to_string(point) + " of " +
                                           std::to_string(npt) + " announced on line 3");
  std::vector<std::string_view> fields = split_fields(text);
  if (fields.size() != 4) {
    fail(number, "a node row has 4 fields (node number, x, y, z); this one has " +
                     std::to_string(fields.size()));
  }
  long long node = 0;
  if (!parse_int(fields[0], node) || node <= 0 || node > std::numeric_limits<int>::max()) {
    fail(number, "the node number is not a positive integer: " + quoted(fields[0]));
  }
  static constexpr std::array<const char*, 3> kAxis = {"x", "y", "z"};
  for (int k = 0; k < 3; ++k) {
    double value = 0.0;
    if (!parse_real(fields[static_cast<std::size_t>(k) + 1], value)) {
      fail(number, std::string("the ") + kAxis[static_cast<std::size_t>(k)] +
                       " coordinate of node " + std::to_string(node) +
                       " is not a number: " + quoted(fields[static_cast<std::size_t>(k) + 1]));
    }
    mesh.coord[static_cast<std::size_t>(point - 1) + static_cast<std::size_t>(npt) * k] = value;
  }
  auto [it, inserted] = point_of.emplace(static_cast<int>(node), point);
  if (!inserted) {
    fail(number, "node number " + std::to_string(node) + " is repeated (first on line " +
                     std::to_string(mesh.node_line[static_cast<std::size_t>(it->second - 1)]) +
                     ")");
  }
  mesh.node_number[static_cast<std::size_t>(point - 1)] = static_cast<int>(node);
  mesh.node_line[static_cast<std::size_t>(point - 1)] = static_cast<int>(number);
}

void Parser::element_row(long long number,
                         int element,
                         Mesh& mesh,
                         const std::unordered_map<int, int>& point_of) const {
  const int nelem = static_cast<int>(mesh.element_line.size());
  std::string_view text = line(number, "element row " + std::to_string(element) + " of " +
                                           std::to_string(nelem) + " announced on line 4");
  std::vector<std::string_view> fields = split_fields(text);
  long long id = 0;
  if (fields.empty() || !parse_int(fields[0], id)) {
    fail(number, "an element row starts with the element number; found " +
                     (fields.empty() ? std::string("an empty line") : quoted(fields[0])));
  }
  const std::string name = "element " + std::to_string(id);
  const std::size_t nodes = fields.size() > kElementColumns ? fields.size() - kElementColumns : 0;
  std::vector<long long> node(nodes);
  for (std::size_t a = 0; a < nodes; ++a) {
    if (!parse_int(fields[kElementColumns + a], node[a])) {
      fail(number,
           name + ": node field " + quoted(fields[kElementColumns + a]) + " is not an integer");
    }
  }
  if (nodes == 4 && node[3] != node[2]) {
    const bool distinct = node[0] != node[1] && node[0] != node[2] && node[0] != node[3] &&
                          node[1] != node[2] && node[1] != node[3];
    fail(number, name +
                     (distinct ? " is a quadrilateral (4 distinct nodes)"
                               : " has 4 nodes, but the fourth does not repeat the third") +
                     "; only triangles are supported, written with 3 nodes or with 4 whose "
                     "last repeats the third");
  }
  if (nodes != 3 && nodes != 4) {
    fail(number, name + " has " + std::to_string(nodes) +
                     " nodes after the element number and the five columns; a triangle has 3, "
                     "or 4 with the last repeated");
  }
  for (int a = 0; a < 3; ++a) {
    auto it = node[a] > 0 && node[a] <= std::numeric_limits<int>::max()
                  ? point_of.find(static_cast<int>(node[a]))
                  : point_of.end();
    if (it == point_of.end()) {
      fail(number, name + " names node " + std::to_string(node[a]) + ", which has no node row");
    }
    mesh.inc[static_cast<std::size_t>(element - 1) + static_cast<std::size_t>(nelem) * a] =
        it->second;
  }
  if (node[0] == node[1] || node[1] == node[2] || node[2] == node[0]) {
    fail(number, name + " repeats a node among its three corners");
  }
  mesh.element_line[static_cast<std::size_t>(element - 1)] = static_cast<int>(number);
  check_element_area(number, element, name, mesh);
}

void Parser::check_element_area(long long number,
                                int element,
                                const std::string& name,
                                const Mesh& mesh) const {
  std::array<double, 3> a{}, b{};
  for (int k = 1; k <= 3; ++k) {
    const double p1 = mesh.x(mesh.node(element, 1), k);
    a[static_cast<std::size_t>(k - 1)] = mesh.x(mesh.node(element, 2), k) - p1;
    b[static_cast<std::size_t>(k - 1)] = mesh.x(mesh.node(element, 3), k) - p1;
  }
  const double n1 = a[1] * b[2] - a[2] * b[1];
  const double n2 = a[2] * b[0] - a[0] * b[2];
  const double n3 = a[0] * b[1] - a[1] * b[0];
  const double cross = std::sqrt(n1 * n1 + n2 * n2 + n3 * n3);
  const double sides = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]) *
                       std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
  // The library divides by the area; a sliver this thin has no usable normal.
  if (!(cross > 1e-12 * sides)) {
    fail(number, name + " has zero area: its corners are collinear");
  }
}

Mesh Parser::run() {
  const long long nn = count(3, "nodes");
  const long long ne = count(4, "elements");
  count(5, "constrained directions");
  count(6, "loaded directions");
  count(7, "loaded element faces");
  if (nn == 0) fail(3, "the mesh has no nodes (the node count is 0)");
  if (ne == 0) {
    fail(4,
         "the mesh has no elements (the element count is 0); a boundary element mesh of "
         "triangles is needed");
  }

  const long long separator = kFirstNodeLine + nn;
  const long long first_element = nn + 16;
  // Check the length first so that an absurd count does not allocate.
  line(first_element + ne - 1,
       "the last of the " + std::to_string(ne) + " element rows announced on line 4");

  Mesh mesh;
  const auto npt = static_cast<std::size_t>(nn);
  mesh.node_number.resize(npt);
  mesh.node_line.resize(npt);
  mesh.coord.resize(3 * npt);
  mesh.inc.resize(3 * static_cast<std::size_t>(ne));
  mesh.element_line.resize(static_cast<std::size_t>(ne));

  std::unordered_map<int, int> point_of;
  point_of.reserve(npt);
  for (int point = 1; point <= nn; ++point) {
    node_row(kFirstNodeLine + point - 1, point, mesh, point_of);
  }
  if (!trim(line(separator, "the empty line after the node rows")).empty()) {
    fail(separator, "expected the empty line that follows the " + std::to_string(nn) +
                        " node rows announced on line 3; is the node count right?");
  }
  for (int element = 1; element <= ne; ++element) {
    element_row(first_element + element - 1, element, mesh, point_of);
  }

  std::vector<bool> used(npt, false);
  for (int v : mesh.inc) used[static_cast<std::size_t>(v - 1)] = true;
  for (std::size_t i = 0; i < npt; ++i) {
    if (!used[i]) {
      fail(mesh.node_line[i], "node " + std::to_string(mesh.node_number[i]) +
                                  " belongs to no element; every node must be a corner of an "
                                  "element");
    }
  }
  return mesh;
}

bool is_valid_utf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    std::uint32_t min = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      min = 0x10000;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    std::uint32_t code = c & (0x3Fu >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      code = (code << 6) | (d & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

double Mesh::x(int point, int k) const {
  return coord[static_cast<std::size_t>(point - 1) + node_number.size() * (k - 1)];
}

int Mesh::node(int element, int local) const {
  return inc[static_cast<std::size_t>(element - 1) + element_line.size() * (local - 1)];
}

std::size_t character_offset(std::string_view line, std::size_t index) {
  if (!is_valid_utf8(line)) return std::min(index, line.size());
  std::size_t offset = 0;
  for (std::size_t n = 0; n < index && offset < line.size(); ++n) {
    ++offset;
    while (offset < line.size() && (static_cast<unsigned char>(line[offset]) & 0xC0) == 0x80) {
      ++offset;
    }
  }
  return offset;
}

Mesh parse_model(std::string_view text, const std::string& file_name) {
  return Parser(text, file_name).run();
}

Mesh read_model_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError(path + ": cannot open the model data file: " + std::strerror(errno));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw InputError(path + ": cannot read the model data file");
  return parse_model(content.str(), path);
}

}  // namespace bemrun
