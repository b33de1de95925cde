#include "tools/bemrun/options.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace bemrun {
namespace {

double parse_number(const std::string& option, const std::string& text) {
  double value = 0.0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last || !std::isfinite(value)) {
    throw UsageError(option + " needs a number; got '" + text + "'");
  }
  return value;
}

int parse_opcao(const std::string& text) {
  if (text == "1") return 1;
  if (text == "2") return 2;
  throw UsageError("--opcao is 1 (source points on the boundary) or 2 (outside); got '" + text +
                   "'");
}

void check_values(const Options& options) {
  if (options.opcao == 2 && !(options.fator_value() > 0.0)) {
    throw UsageError(
        "--fator must be above 0 under --opcao 2 (it scales the distance of the "
        "source points from the boundary)");
  }
  if (!(options.emod > 0.0)) throw UsageError("--emod (Young's modulus) must be above 0");
  if (!(options.pois > -1.0 && options.pois <= 0.5)) {
    throw UsageError("--pois (Poisson's ratio) must lie in (-1, 0.5]");
  }
}

}  // namespace

double Options::fator_value() const {
  if (fator) return *fator;
  return opcao == 2 ? 0.5 : 0.0;
}

std::filesystem::path Options::output_path() const {
  if (output) return *output;
  std::filesystem::path name = std::filesystem::path(model).stem();
  name += ".npy";
  return name;
}

Options parse_options(const std::vector<std::string>& arguments) {
  Options options;
  std::vector<std::string> operands;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      operands.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    std::string name = argument;
    std::optional<std::string> inline_value;
    if (const std::size_t eq = argument.find('=');
        argument.starts_with("--") && eq != argument.npos) {
      name = argument.substr(0, eq);
      inline_value = argument.substr(eq + 1);
    }
    if (name == "--help" || name == "-h" || name == "--check") {
      if (inline_value) throw UsageError(name + " takes no value");
      (name == "--check" ? options.check : options.help) = true;
      continue;
    }
    if (name != "-o" && name != "--opcao" && name != "--fator" && name != "--emod" &&
        name != "--pois") {
      throw UsageError("unknown option '" + argument + "'");
    }
    std::string value;
    if (inline_value) {
      value = *inline_value;
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
    if (name == "-o") {
      if (value.empty()) throw UsageError("-o needs a file name");
      options.output = value;
    } else if (name == "--opcao") {
      options.opcao = parse_opcao(value);
    } else if (name == "--fator") {
      options.fator = parse_number(name, value);
    } else if (name == "--emod") {
      options.emod = parse_number(name, value);
    } else {
      options.pois = parse_number(name, value);
    }
  }
  if (options.help) return options;
  if (operands.size() != 2) {
    throw UsageError("expected LIBRARY and MODEL.txt; got " + std::to_string(operands.size()) +
                     " operand" + (operands.size() == 1 ? "" : "s"));
  }
  options.library = operands[0];
  options.model = operands[1];
  check_values(options);
  return options;
}

std::string usage_text() {
  return R"(usage: bemrun [options] LIBRARY MODEL.txt

Loads a boundary element library, calls its entry point with the triangle mesh of a model
data file and writes the matrix rigidez (3 npt x 3 npt) as a NumPy .npy file.

LIBRARY    path of a shared library, or bemfull, bemdeep, bemsurf: found as lib<name>.so in
           $BEM_LIBRARY_PATH, then <bemrun folder>/../../libs/<name>/, then bemrun's folder
MODEL.txt  model data file; every node is a boundary point

options:
  -o FILE.npy   output file (default: MODEL's base name + .npy in the current folder)
  --opcao 1|2   1: source points on the boundary points; 2: moved outside (default 1)
  --fator F     outside-point multiplier (default 0.5 under --opcao 2; reset to 0 under 1)
  --emod E      Young's modulus (default 1.0)
  --pois NU     Poisson's ratio (default 0.25)
  --check       print the rigid translation and uniform dilatation checks
  --help        print this text

exit status: 0 done, 1 input error, 2 usage error
)";
}

}  // namespace bemrun
