// The command line of bemrun.
#ifndef VELDRA_TOOLS_BEMRUN_OPTIONS_H
#define VELDRA_TOOLS_BEMRUN_OPTIONS_H

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/bemrun/errors.h"

namespace bemrun {

struct Options {
  std::string library;  // a path, or bemfull, bemdeep, bemsurf
  std::string model;    // the model data file
  std::optional<std::string> output;
  int opcao = 1;
  std::optional<double> fator;
  double emod = 1.0;
  double pois = 0.25;
  bool check = false;
  bool help = false;

  // --fator when given, else 0.5 under opcao 2 and 0 under opcao 1.
  double fator_value() const;
  // -o when given, else the model's base name with ".npy" in the current folder.
  std::filesystem::path output_path() const;
};

// Parses the arguments after the program name: options (as "--name VALUE" or "--name=VALUE")
// and the two operands LIBRARY MODEL. Throws UsageError naming the fault: an unknown option, a
// missing or non-numeric value, opcao other than 1 or 2, fator not above 0 under opcao 2, emod
// not above 0, pois outside (-1, 0.5), or not exactly two operands. With --help the operands may
// be left out.
Options parse_options(const std::vector<std::string>& arguments);

std::string usage_text();

}  // namespace bemrun

#endif
