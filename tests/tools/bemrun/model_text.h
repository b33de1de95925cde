// Model data file texts for the tests, built row by row as the manager writes them.
#ifndef VELDRA_TESTS_TOOLS_BEMRUN_MODEL_TEXT_H
#define VELDRA_TESTS_TOOLS_BEMRUN_MODEL_TEXT_H

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace bemrun_test {

inline std::string node_row(int node, double x, double y, double z) {
  char row[128];
  std::snprintf(row, sizeof row, "%8d    %20.8f %20.8f %20.8f", node, x, y, z);
  return row;
}

// Element number, the five 12-wide columns TS, Te, 0, 0, F/Dir, then the nodes with the first
// widened to 12 characters (fields 8 wide in the export).
inline std::string element_row(int element, std::initializer_list<int> nodes) {
  char text[96];
  std::snprintf(text, sizeof text, "%7d%12s%12s%12d%12d%12s", element, "1", "1", 0, 0, "1");
  std::string row = text;
  bool first = true;
  for (int n : nodes) {
    std::snprintf(text, sizeof text, first ? "%12d" : "%8d", n);
    row += text;
    first = false;
  }
  return row;
}

// UTF-8 text with characters up to U+00FF recoded as single Windows-1252 bytes.
inline std::string to_windows1252(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      const auto d = static_cast<unsigned char>(utf8[i + 1]);
      out.push_back(static_cast<char>(((c & 0x1F) << 6) | (d & 0x3F)));
      ++i;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

// A regular tetrahedron centred at the origin, vertices (1,1,1), (1,-1,-1), (-1,1,-1),
// (-1,-1,1) numbered 10, 20, 30, 40, faces counter-clockwise seen from outside. Lines: counts
// 3..7, node rows 12..15, the empty line 16, element rows 20..23.
struct ModelText {
  std::string title = "Arquivo de Dados - ANSYS®";
  std::array<std::string, 5> labels = {
      "Número de Nós      : ", "Número de Elementos: ", "Direções Restritas : ",
      "Direções Carregadas: ", "Elementos Carreg.  : "};
  std::array<std::string, 5> counts = {"4", "4", "0", "0", "0"};
  std::vector<std::string> nodes = {node_row(10, 1, 1, 1), node_row(20, 1, -1, -1),
                                    node_row(30, -1, 1, -1), node_row(40, -1, -1, 1)};
  std::vector<std::string> elements = {element_row(1, {10, 20, 30}), element_row(2, {10, 40, 20}),
                                       element_row(3, {10, 30, 40}), element_row(4, {20, 40, 30})};
  std::vector<std::string> trailer = {
      "", "Vinculação dos Nós:",       "", "       Nó  Dir.             Desloc.",
      "", "Carregamento Nodal:",       "", "      Nó  Dir.             Carreg.",
      "", "Carregamento Distribuído:", "", "  Elem.   NAN   NAN             Carreg."};
  std::string eol = "\n";
  bool windows1252 = false;
  std::size_t keep_lines = static_cast<std::size_t>(-1);  // cut the text after this many lines

  // Sets the counts to the rows present.
  ModelText& recount() {
    counts[0] = std::to_string(nodes.size());
    counts[1] = std::to_string(elements.size());
    return *this;
  }

  std::vector<std::string> lines() const {
    std::vector<std::string> all = {title, ""};
    for (std::size_t i = 0; i < 5; ++i) all.push_back(labels[i] + counts[i]);
    all.insert(all.end(),
               {"", "Coordenadas dos Nós:", "",
                "      Nó                 Coord.X              Coord.Y              Coord.Z"});
    all.insert(all.end(), nodes.begin(), nodes.end());
    all.insert(all.end(),
               {"", "Conectividade dos Elementos:", "",
                "  Elem.          TS          Te         NAN         NAN       F/Dir         Nós"});
    all.insert(all.end(), elements.begin(), elements.end());
    all.insert(all.end(), trailer.begin(), trailer.end());
    if (all.size() > keep_lines) all.resize(keep_lines);
    return all;
  }

  std::string text() const {
    std::string out;
    for (const std::string& line : lines()) out += line + eol;
    return windows1252 ? to_windows1252(out) : out;
  }
};

}  // namespace bemrun_test

#endif
