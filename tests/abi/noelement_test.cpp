// The no-element path through the exported symbol: the report and console texts of two calls
// in one process, with the report file named by the host's first argument.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Outcome {
  int status;
  std::string console;
};

Outcome run_host(const std::string& report, int npint, const std::string& input) {
  const std::string in_path = report + ".stdin";
  std::ofstream(in_path, std::ios::binary) << input;
  const std::string cmd = std::string("'") + NOELEMENT_HOST + "' '" + report + "' '" +
                          BEMFULL_PATH + "' " + std::to_string(npint) + " < '" + in_path + "'";
  FILE* pipe = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Replaces the time fields (four I3 fields with their units, 20 characters), which depend on
// the machine, after checking their units are where they belong.
std::string mask_time(std::string s) {
  const std::string label = "Tempo de processamento:";
  for (std::size_t at = s.find(label); at != std::string::npos; at = s.find(label, at + 1)) {
    const std::size_t fields = at + label.size();
    const std::string t = s.substr(fields, 20);
    const bool units = t.size() == 20 && t[3] == 'h' && t[7] == 'm' && t[11] == 's' &&
                       t.compare(15, 5, "cent.") == 0;
    if (units) s.replace(fields, 20, "<time>");
  }
  return s;
}

const std::string kTimeRecord = "\n Tempo de processamento:<time>\n";
const std::string kHashes = " \n" + std::string(62, '#') + "\n";
const std::string kReportTail =
    "\n Condition number: " + std::string(18, ' ') + "0.\n\n" + kHashes + kTimeRecord + kHashes;
const std::string kConsole = kTimeRecord + " aperte a tecla <enter> para finalizar\n" +
                             "Pause - Please enter a blank line (to continue) or a DOS command.\n";

std::string internal_sections() {
  const std::string blank2 = " \n\n";
  const std::string f49 = " +" + std::string(49, '-') + "+\n";
  const std::string f97 = " +" + std::string(97, '-') + "+\n";
  return " ----- deslocamentos dos pontos internos -----\n" + blank2 + f49 +
         " | ponto    desloc. x     desloc. y     desloc. z  |\n" + f49 + blank2 + blank2 +
         "  ----- tensoes nos pontos internos -----\n" + blank2 + f97 +
         " | ponto      sigma x        sigma y        sigma z        tau xy         tau xz"
         "         tau yz    |\n" +
         f97 + blank2 + blank2;
}

TEST(NoElementPath, ReportAndConsoleOfTwoCallsWithoutInternalPoints) {
  const std::string report = testing::TempDir() + "noelement_report_0.txt";
  std::remove(report.c_str());
  const Outcome o = run_host(report, 0, "\n\n");
  EXPECT_EQ(o.status, 0) << "rigidez written or fator not reset";
  EXPECT_EQ(mask_time(read_file(report)), kReportTail + kReportTail);
  EXPECT_EQ(mask_time(o.console), kConsole + kConsole);
}

TEST(NoElementPath, InternalPointSectionsAndEndOfInputAtThePause) {
  const std::string report = testing::TempDir() + "noelement_report_3.txt";
  std::remove(report.c_str());
  const Outcome o = run_host(report, 3, "");  // standard input at its end: no hang
  EXPECT_EQ(o.status, 0);
  const std::string once = internal_sections() + kReportTail;
  EXPECT_EQ(mask_time(read_file(report)), once + once);
  EXPECT_EQ(mask_time(o.console), kConsole + kConsole);
}

TEST(NoElementPath, ACommandReplyRunsThroughTheCommandInterpreter) {
  const std::string report = testing::TempDir() + "noelement_report_cmd.txt";
  const std::string marker = testing::TempDir() + "noelement_marker";
  std::remove(marker.c_str());
  const Outcome o = run_host(report, 0, "touch '" + marker + "'  \t\nx\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_TRUE(std::ifstream(marker).good()) << o.console;
}

}  // namespace
