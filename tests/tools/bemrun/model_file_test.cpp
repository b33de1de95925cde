#include "tools/bemrun/model_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/tools/bemrun/model_text.h"

namespace {

using bemrun::InputError;
using bemrun::Mesh;
using bemrun::parse_model;
using bemrun_test::element_row;
using bemrun_test::ModelText;
using bemrun_test::node_row;

// The error message of parsing `model`, or "" when it parses.
std::string parse_error(const ModelText& model) {
  try {
    parse_model(model.text(), "mesh.txt");
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

struct ErrorCase {
  const char* name;
  std::function<void(ModelText&)> edit;
  int line;
  const char* fragment;  // a phrase the message must contain
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
  *os << c.name;
}

class BemrunModelFileErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(BemrunModelFileErrorTest, NamesTheLineAndTheFault) {
  ModelText model;
  GetParam().edit(model);
  const std::string message = parse_error(model);
  ASSERT_FALSE(message.empty()) << "the model parsed";
  EXPECT_EQ(message.rfind("mesh.txt:" + std::to_string(GetParam().line) + ": ", 0), 0u) << message;
  EXPECT_NE(message.find(GetParam().fragment), std::string::npos) << message;
}

const ErrorCase kErrorCases[] = {
    {"NodeCountNotInteger", [](ModelText& m) { m.counts[0] = "4x"; }, 3, "not an integer"},
    {"NodeCountMissing", [](ModelText& m) { m.counts[0] = ""; }, 3, "not an integer"},
    {"ElementCountReal", [](ModelText& m) { m.counts[1] = "4.0"; }, 4, "not an integer"},
    {"ConstraintCountNotInteger", [](ModelText& m) { m.counts[2] = "n/a"; }, 5, "not an integer"},
    {"LoadFaceCountNotInteger", [](ModelText& m) { m.counts[4] = "x"; }, 7, "not an integer"},
    {"BareLabelWithoutCount",
     [](ModelText& m) {
       m.labels[3] = "Direções Carregadas:";
       m.counts[3] = "";
     },
     6, "not an integer"},
    {"NegativeNodeCount", [](ModelText& m) { m.counts[0] = "-4"; }, 3, "negative"},
    {"NoNodes", [](ModelText& m) { m.counts[0] = "0"; }, 3, "no nodes"},
    {"NoElements", [](ModelText& m) { m.counts[1] = "0"; }, 4, "no elements"},
    {"FileEndsBeforeTheCounts", [](ModelText& m) { m.keep_lines = 5; }, 6, "file ends"},
    {"FileEndsInTheNodeRows", [](ModelText& m) { m.keep_lines = 13; }, 14, "file ends"},
    {"FileEndsInTheElementRows", [](ModelText& m) { m.keep_lines = 21; }, 22, "file ends"},
    {"HugeNodeCountOnShortFile", [](ModelText& m) { m.counts[0] = "99999999"; }, 36, "file ends"},
    {"ElementCountLargerThanRows", [](ModelText& m) { m.counts[1] = "5"; }, 24,
     "found an empty line"},
    {"NodeCountSmallerThanRows", [](ModelText& m) { m.counts[0] = "3"; }, 15,
     "is the node count right"},
    {"NodeCountLargerThanRows", [](ModelText& m) { m.counts[0] = "5"; }, 16, "has 0"},
    {"NonNumericCoordinate", [](ModelText& m) { m.nodes[2] = "      30    -1.0  abc  -1.0"; }, 14,
     "y coordinate of node 30 is not a number: 'abc'"},
    {"InfiniteCoordinate", [](ModelText& m) { m.nodes[1] = "      20    inf  -1.0  -1.0"; }, 13,
     "x coordinate of node 20"},
    {"NodeRowMissingField", [](ModelText& m) { m.nodes[1] = "      20    1.0  -1.0"; }, 13,
     "this one has 3"},
    {"NodeRowExtraField", [](ModelText& m) { m.nodes[3] = "      40   -1 -1 1 7"; }, 15,
     "this one has 5"},
    {"NodeNumberNotInteger", [](ModelText& m) { m.nodes[0] = "    10.5   1 1 1"; }, 12,
     "node number is not a positive integer"},
    {"NodeNumberZero", [](ModelText& m) { m.nodes[0] = "       0   1 1 1"; }, 12,
     "node number is not a positive integer"},
    {"DuplicateNodeNumber", [](ModelText& m) { m.nodes[2] = node_row(20, -1, 1, -1); }, 14,
     "node number 20 is repeated (first on line 13)"},
    {"Quadrilateral",
     [](ModelText& m) {
       m.elements[1] = element_row(2, {10, 40, 20, 30});
     },
     21, "element 2 is a quadrilateral"},
    {"FourNodesWithFirstRepeated",
     [](ModelText& m) {
       m.elements[2] = element_row(3, {10, 30, 40, 10});
     },
     22, "element 3 has 4 nodes, but the fourth does not repeat the third"},
    {"FiveNodes",
     [](ModelText& m) {
       m.elements[3] = element_row(4, {20, 40, 30, 30, 30});
     },
     23, "element 4 has 5 nodes"},
    {"TwoNodes",
     [](ModelText& m) {
       m.elements[0] = element_row(1, {10, 20});
     },
     20, "element 1 has 2 nodes"},
    {"MissingColumns", [](ModelText& m) { m.elements[0] = "      1      10      20      30"; }, 20,
     "element 1 has 0 nodes"},
    {"UnknownNode",
     [](ModelText& m) {
       m.elements[2] = element_row(3, {10, 30, 99});
     },
     22, "element 3 names node 99, which has no node row"},
    {"NodeNamedByPositionNotNumber",
     [](ModelText& m) {
       m.elements[0] = element_row(1, {1, 2, 3});
     },
     20, "names node 1"},
    {"NodeFieldNotInteger",
     [](ModelText& m) {
       m.elements[1] = element_row(2, {10, 40, 20}) + "x";
     },
     21, "node field '20x' is not an integer"},
    {"ElementNumberNotInteger",
     [](ModelText& m) {
       m.elements[3] = "     a4" + element_row(4, {20, 40, 30}).substr(7);
     },
     23, "starts with the element number"},
    {"RepeatedCorner",
     [](ModelText& m) {
       m.elements[3] = element_row(4, {20, 40, 20});
     },
     23, "repeats a node"},
    {"CollinearCorners", [](ModelText& m) { m.nodes[3] = node_row(40, 1, -3, -3); }, 21,
     "element 2 has zero area"},
    {"NodeInNoElement",
     [](ModelText& m) {
       m.nodes.insert(m.nodes.begin() + 2, node_row(25, 5, 5, 5));
       m.recount();
     },
     14, "node 25 belongs to no element"},
};

INSTANTIATE_TEST_SUITE_P(Faults,
                         BemrunModelFileErrorTest,
                         testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& p) {
                           return std::string(p.param.name);
                         });

void expect_tetrahedron(const Mesh& mesh) {
  ASSERT_EQ(mesh.npt(), 4);
  ASSERT_EQ(mesh.nelem(), 4);
  EXPECT_EQ(mesh.node_number, (std::vector<int>{10, 20, 30, 40}));
  EXPECT_EQ(mesh.node_line, (std::vector<int>{12, 13, 14, 15}));
  EXPECT_EQ(mesh.element_line, (std::vector<int>{20, 21, 22, 23}));
  // Column-major: all x, then all y, then all z.
  EXPECT_EQ(mesh.coord, (std::vector<double>{1, 1, -1, -1, 1, -1, 1, -1, 1, -1, -1, 1}));
  // Node numbers 10, 20, 30, 40 become points 1..4; column-major: all first nodes, ...
  EXPECT_EQ(mesh.inc, (std::vector<int>{1, 1, 1, 2, 2, 4, 3, 4, 3, 2, 4, 3}));
  EXPECT_EQ(mesh.node(4, 2), 4);
  EXPECT_EQ(mesh.x(3, 2), 1.0);
}

TEST(BemrunModelFileTest, UnixUtf8FileParses) {
  expect_tetrahedron(parse_model(ModelText().text(), "m"));
}

TEST(BemrunModelFileTest, CrLfWindows1252FileParses) {
  ModelText model;
  model.eol = "\r\n";
  model.windows1252 = true;
  const std::string text = model.text();
  ASSERT_NE(text.find("N\xFAmero de N\xF3s"), std::string::npos);  // the fixture is recoded
  expect_tetrahedron(parse_model(text, "m"));
}

TEST(BemrunModelFileTest, TrianglesWithTheLastNodeRepeatedAreAccepted) {
  ModelText model;
  model.elements = {element_row(1, {10, 20, 30, 30}), element_row(2, {10, 40, 20, 20}),
                    element_row(3, {10, 30, 40}), element_row(4, {20, 40, 30, 30})};
  expect_tetrahedron(parse_model(model.text(), "m"));
}

TEST(BemrunModelFileTest, NodesMayBeNumberedInAnyOrder) {
  ModelText model;
  std::swap(model.nodes[0], model.nodes[3]);  // 40, 20, 30, 10
  const Mesh mesh = parse_model(model.text(), "m");
  EXPECT_EQ(mesh.node_number, (std::vector<int>{40, 20, 30, 10}));
  EXPECT_EQ(mesh.inc, (std::vector<int>{4, 4, 4, 2, 2, 1, 3, 1, 3, 2, 1, 3}));
  EXPECT_EQ(mesh.x(1, 1), -1.0);
}

TEST(BemrunModelFileTest, LenientFieldsParse) {
  ModelText model;
  model.counts = {"   4   ", "+4", "0", "0", "0"};
  model.nodes[0] = "10\t1,0 1.0e0 +1";  // tab, comma decimal separator, exponent, sign
  model.trailer = {"", "rows after the elements are not read", "x y z", "1 2 3 4 5"};
  expect_tetrahedron(parse_model(model.text(), "m"));
}

TEST(BemrunModelFileTest, CountsAreReadFromThe21stCharacterNotByte) {
  // In UTF-8 "Número de Nós" is 15 bytes but 13 characters; with a label in plain ASCII of the
  // same 21 characters the count starts at the same character.
  ModelText model;
  model.labels[0] = "Number of nodes    : ";
  expect_tetrahedron(parse_model(model.text(), "m"));
  model.labels[0] = "Número de Nós      :";  // 20 characters: the count starts at the 21st
  model.counts[0] = "4";
  expect_tetrahedron(parse_model(model.text(), "m"));
}

struct OffsetCase {
  const char* name;
  std::string line;
  std::size_t index;
  std::size_t offset;
};

void PrintTo(const OffsetCase& c, std::ostream* os) {
  *os << c.name;
}

class BemrunCharacterOffsetTest : public testing::TestWithParam<OffsetCase> {};

TEST_P(BemrunCharacterOffsetTest, CountsCharacters) {
  EXPECT_EQ(bemrun::character_offset(GetParam().line, GetParam().index), GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(Lines,
                         BemrunCharacterOffsetTest,
                         testing::Values(OffsetCase{"Ascii", "abcdef", 3, 3},
                                         OffsetCase{"Utf8TwoByte", "Nós: 5", 4, 5},
                                         OffsetCase{"Utf8ThreeByte",
                                                    "\xE2\x82\xAC"
                                                    "ab",
                                                    1, 3},
                                         OffsetCase{"Windows1252", "N\xF3s: 5", 4, 4},
                                         OffsetCase{"Windows1252LikeUtf8LeadIsBytes",
                                                    "\xF3\xA0"
                                                    "ab",
                                                    1, 1},
                                         OffsetCase{"OverlongUtf8IsBytes",
                                                    "\xC0\xAF"
                                                    "ab",
                                                    1, 1},
                                         OffsetCase{"ShortLine", "N\xC3\xB3", 20, 3},
                                         OffsetCase{"Empty", "", 20, 0}),
                         [](const testing::TestParamInfo<OffsetCase>& p) {
                           return std::string(p.param.name);
                         });

TEST(BemrunModelFileTest, MissingFileIsAnInputErrorNamingIt) {
  try {
    bemrun::read_model_file("/nonexistent/mesh.txt");
    FAIL() << "no error";
  } catch (const InputError& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent/mesh.txt: cannot open"),
              std::string::npos)
        << error.what();
  }
}

}  // namespace
