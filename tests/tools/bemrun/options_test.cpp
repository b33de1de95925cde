#include "tools/bemrun/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bemrun::Options;
using bemrun::parse_options;
using Arguments = std::vector<std::string>;

TEST(BemrunOptionsTest, DefaultsForOpcao1) {
  const Options o = parse_options({"bemfull", "examples/sphere-162.txt"});
  EXPECT_EQ(o.library, "bemfull");
  EXPECT_EQ(o.model, "examples/sphere-162.txt");
  EXPECT_EQ(o.opcao, 1);
  EXPECT_EQ(o.fator_value(), 0.0);
  EXPECT_EQ(o.emod, 1.0);
  EXPECT_EQ(o.pois, 0.25);
  EXPECT_FALSE(o.check);
  EXPECT_EQ(o.output_path(), "sphere-162.npy");  // the base name, in the current folder
}

TEST(BemrunOptionsTest, Opcao2DefaultsFatorToOneHalf) {
  EXPECT_EQ(parse_options({"--opcao", "2", "lib.so", "m.txt"}).fator_value(), 0.5);
  EXPECT_EQ(parse_options({"--opcao=2", "--fator=0.25", "lib.so", "m.txt"}).fator_value(), 0.25);
}

TEST(BemrunOptionsTest, EveryOptionInBothSpellings) {
  for (const Arguments& args :
       {Arguments{"-o", "out/k.npy", "--opcao", "2", "--fator", "0.1", "--emod", "2.5e3", "--pois",
                  "-0.2", "--check", "./libx.so", "/data/mesh.model.txt"},
        Arguments{"./libx.so", "--check", "-o", "out/k.npy", "--opcao=2", "--fator=0.1",
                  "--emod=2.5e3", "--pois=-0.2", "/data/mesh.model.txt"}}) {
    const Options o = parse_options(args);
    EXPECT_EQ(o.library, "./libx.so");
    EXPECT_EQ(o.model, "/data/mesh.model.txt");
    EXPECT_EQ(o.output_path(), "out/k.npy");
    EXPECT_EQ(o.opcao, 2);
    EXPECT_EQ(o.fator_value(), 0.1);
    EXPECT_EQ(o.emod, 2500.0);
    EXPECT_EQ(o.pois, -0.2);
    EXPECT_TRUE(o.check);
  }
}

TEST(BemrunOptionsTest, DefaultOutputDropsOnlyTheLastExtension) {
  EXPECT_EQ(parse_options({"bemfull", "/data/mesh.model.txt"}).output_path(), "mesh.model.npy");
  EXPECT_EQ(parse_options({"bemfull", "mesh"}).output_path(), "mesh.npy");
}

TEST(BemrunOptionsTest, HelpNeedsNoOperands) {
  EXPECT_TRUE(parse_options({"--help"}).help);
  EXPECT_TRUE(parse_options({"-h", "x"}).help);
}

TEST(BemrunOptionsTest, DoubleDashEndsTheOptions) {
  const Options o = parse_options({"--", "-lib.so", "-m.txt"});
  EXPECT_EQ(o.library, "-lib.so");
  EXPECT_EQ(o.model, "-m.txt");
}

struct UsageCase {
  const char* name;
  Arguments arguments;
  const char* fragment;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
  *os << c.name;
}

class BemrunOptionsUsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(BemrunOptionsUsageErrorTest, IsRefusedWithAReason) {
  try {
    parse_options(GetParam().arguments);
    FAIL() << "accepted";
  } catch (const bemrun::UsageError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().fragment), std::string::npos)
        << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines,
    BemrunOptionsUsageErrorTest,
    testing::Values(
        UsageCase{"NoOperands", {}, "got 0 operands"},
        UsageCase{"OneOperand", {"bemfull"}, "got 1 operand"},
        UsageCase{"ThreeOperands", {"bemfull", "a.txt", "b.txt"}, "got 3 operands"},
        UsageCase{"UnknownOption", {"--opcoes", "1", "bemfull", "m.txt"}, "unknown option"},
        UsageCase{"OpcaoThree", {"--opcao", "3", "bemfull", "m.txt"}, "--opcao is 1"},
        UsageCase{"OpcaoNotNumber", {"--opcao=one", "bemfull", "m.txt"}, "--opcao is 1"},
        UsageCase{"MissingValueAtEnd", {"bemfull", "m.txt", "--emod"}, "--emod needs a value"},
        UsageCase{"EmodNotNumber", {"--emod", "1e", "bemfull", "m.txt"}, "--emod needs a number"},
        UsageCase{"EmodInfinite", {"--emod", "inf", "bemfull", "m.txt"}, "needs a number"},
        UsageCase{"EmodZero", {"--emod", "0", "bemfull", "m.txt"}, "--emod"},
        UsageCase{"PoisAboveOneHalf", {"--pois", "0.51", "bemfull", "m.txt"}, "--pois"},
        UsageCase{"PoisMinusOne", {"--pois", "-1", "bemfull", "m.txt"}, "--pois"},
        UsageCase{"FatorZeroUnderOpcao2",
                  {"--opcao", "2", "--fator", "0", "bemfull", "m.txt"},
                  "--fator must be above 0"},
        UsageCase{"FatorWithComma", {"--fator", "0,5", "bemfull", "m.txt"}, "needs a number"},
        UsageCase{"EmptyOutput", {"-o", "", "bemfull", "m.txt"}, "-o needs a file name"},
        UsageCase{"CheckWithValue", {"--check=yes", "bemfull", "m.txt"}, "takes no value"}),
    [](const testing::TestParamInfo<UsageCase>& p) { return std::string(p.param.name); });

}  // namespace
