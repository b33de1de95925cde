// The report file and the console text of the no-element path, byte for byte, from a child
// process (impressao_host) with a given command line and standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "bem/impressao.h"
#include "child_process.h"

namespace {

// Test names from the table rows.
template <typename Case>
std::string case_name(const ::testing::TestParamInfo<Case>& row) {
  return row.param.name;
}

namespace fs = std::filesystem;
using bem::testing::ChildResult;
using bem::testing::read_file;
using bem::testing::write_file;

const char* const kSections =
    " ----- deslocamentos dos pontos internos -----\n"
    " \n"
    "\n"
    " +-------------------------------------------------+\n"
    " | ponto    desloc. x     desloc. y     desloc. z  |\n"
    " +-------------------------------------------------+\n"
    " \n"
    "\n"
    " \n"
    "\n"
    "  ----- tensoes nos pontos internos -----\n"
    " \n"
    "\n"
    " +-------------------------------------------------------------------------------------------"
    "------+\n"
    " | ponto      sigma x        sigma y        sigma z        tau xy         tau xz         tau "
    "yz    |\n"
    " +-------------------------------------------------------------------------------------------"
    "------+\n"
    " \n"
    "\n"
    " \n"
    "\n";

const char* const kConditionNumber =
    "\n"
    " Condition number:                   0.\n"
    "\n";

const char* const kHashes = "##############################################################\n";

const char* const kQuestion = "File name missing or blank - please enter file name\n";

// The report lines of one call after the optional sections.
std::string report_tail(const std::string& time_line) {
  return kConditionNumber + std::string(" \n") + kHashes + "\n" + time_line + "\n \n" + kHashes;
}

// The console lines of one call, up to and including the pause prompt.
std::string console_block(const std::string& time_line) {
  return "\n" + time_line +
         "\n"
         " aperte a tecla <enter> para finalizar\n"
         "Pause - Please enter a blank line (to continue) or a DOS command.\n";
}

const std::string k4s7 = " Tempo de processamento:  0h  0m  4s  7cent.";

// A scratch root holding the child's working folder "work" and a folder "bin" on its PATH
// with two commands, "x" and "xy", each appending its name to the file "ran" in "work".
class ImpressaoHost : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(work());
    fs::create_directory(bin());
    for (const std::string name : {"x", "xy"}) {
      write_file(bin() / name, "#!/bin/sh\necho " + name + " >> ran\n");
      fs::permissions(bin() / name, fs::perms::owner_all);
    }
  }

  fs::path work() const { return root_.path() / "work"; }
  fs::path bin() const { return root_.path() / "bin"; }

  ChildResult run(const std::vector<std::string>& arguments,
                  const std::string& input,
                  std::vector<std::string> environment = {"IMPRESSAO_ELAPSED=4.07"}) {
    const char* path = std::getenv("PATH");
    environment.push_back("PATH=" + bin().string() + ":" + (path ? path : "/usr/bin:/bin"));
    return bem::testing::run_child(IMPRESSAO_HOST, arguments, input, environment, work(),
                                   root_.path());
  }

  // Names in the working folder, sorted.
  std::vector<std::string> work_files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(work())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  bem::testing::TemporaryFolder root_;
};

// Finished before the deadline (no hang) and returned normally.
void expect_clean_exit(const ChildResult& result) {
  EXPECT_TRUE(result.finished) << "killed at the deadline";
  EXPECT_EQ(result.exit_code, 0);
}

// ---------------------------------------------------------------------------------------
// The whole no-element path with a blank reply to the pause.

struct PathCase {
  const char* name;
  const char* npint;
  const char* elapsed;
  const char* time_line;
};

void PrintTo(const PathCase& row, std::ostream* out) {
  *out << row.name;
}

class ImpressaoNoElementPath : public ImpressaoHost,
                               public ::testing::WithParamInterface<PathCase> {};

TEST_P(ImpressaoNoElementPath, ReportAndConsoleAreExact) {
  const PathCase& c = GetParam();
  const ChildResult result = run(
      {"rep.txt"}, "\n",
      {std::string("IMPRESSAO_NPINT=") + c.npint, std::string("IMPRESSAO_ELAPSED=") + c.elapsed});
  expect_clean_exit(result);
  const std::string sections = std::string(c.npint) == "0" ? "" : kSections;
  EXPECT_EQ(read_file(work() / "rep.txt"), sections + report_tail(c.time_line));
  EXPECT_EQ(result.out, console_block(c.time_line));
  EXPECT_EQ(work_files(), std::vector<std::string>{"rep.txt"});
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ImpressaoNoElementPath,
                         ::testing::Values(PathCase{"NoInternalPoints", "0", "4.07",
                                                    " Tempo de processamento:  0h  0m  4s  7cent."},
                                           PathCase{"ThreeInternalPoints", "3", "3725.996",
                                                    " Tempo de processamento:  1h  2m  5s100cent."},
                                           PathCase{"OneInternalPoint", "1", "59.999",
                                                    " Tempo de processamento:  0h  0m 59s100cent."},
                                           PathCase{"HoursBeyondThreeColumns", "0", "3600000",
                                                    " Tempo de processamento:***h  0m  0s  0cent."},
                                           PathCase{
                                               "ClockSetBackwards", "0", "-4.07",
                                               " Tempo de processamento:  0h  0m -4s -7cent."}),
                         case_name<PathCase>);

TEST_F(ImpressaoHost, WallClockTimeIsTheSameOnConsoleAndInReport) {
  const ChildResult result = run({"rep.txt"}, "\n", {});
  expect_clean_exit(result);
  // A few microseconds pass between the two readings of the clock: some hundredths at most.
  const std::string prefix = "\n Tempo de processamento:  0h  0m  0s";
  ASSERT_EQ(result.out.compare(0, prefix.size(), prefix), 0) << result.out;
  const std::string hundredths = result.out.substr(prefix.size(), 3);
  EXPECT_EQ(hundredths, bem::impressao::format_i3(std::atoi(hundredths.c_str())));
  EXPECT_LT(std::atoi(hundredths.c_str()), 50);
  const std::string time_line = prefix.substr(1) + hundredths + "cent.";
  EXPECT_EQ(result.out, console_block(time_line));
  EXPECT_EQ(read_file(work() / "rep.txt"), report_tail(time_line));
}

// ---------------------------------------------------------------------------------------
// The reply to the pause: what runs and what is ignored ("x" and "xy" log to "ran").

struct PauseCase {
  const char* name;
  std::string input;
  std::string ran;  // contents of "ran" afterwards; empty: no command ran
};

void PrintTo(const PauseCase& row, std::ostream* out) {
  *out << row.name;
}

class ImpressaoPause : public ImpressaoHost, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(ImpressaoPause, ReplyRunsOnlyWhenTwoOrMoreCharactersRemain) {
  const PauseCase& c = GetParam();
  const ChildResult result = run({"rep.txt"}, c.input);
  expect_clean_exit(result);
  EXPECT_EQ(result.out, console_block(k4s7));
  EXPECT_EQ(read_file(work() / "rep.txt"), report_tail(k4s7));
  EXPECT_EQ(read_file(work() / "ran"), c.ran);
  EXPECT_EQ(fs::exists(work() / "ran"), !c.ran.empty());
}

const std::string kPad(128 - 12, ' ');  // "echo abc>ran" padded to the 128-character limit

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ImpressaoPause,
    ::testing::Values(PauseCase{"BlankLine", "\n", ""},
                      PauseCase{"EndOfInput", "", ""},
                      PauseCase{"OneCharacter", "x\n", ""},
                      PauseCase{"OneCharacterAndTrailingBlanksAndTabs", "x \t \t\n", ""},
                      PauseCase{"TwoCharacters", "xy\n", "xy\n"},
                      PauseCase{"LeadingBlankCounts", " x\n", "x\n"},
                      PauseCase{"CrLfLineEnd", "xy\r\n", "xy\n"},
                      PauseCase{"LastLineWithoutLineEnd", "xy", "xy\n"},
                      PauseCase{"ShellCommandLine", "echo hi>ran\n", "hi\n"},
                      PauseCase{"ExactlyTheLimit", "echo " + std::string(119, 'a') + ">ran\n",
                                std::string(119, 'a') + "\n"},
                      PauseCase{"BeyondTheLimitIsCut", "echo abc>ran" + kPad + "XYZ\n", "abc\n"}),
    case_name<PauseCase>);

TEST_F(ImpressaoHost, RestOfOverlongPauseLineIsNotReadByTheNextPause) {
  const ChildResult result = run({"rep.txt"}, "echo abc>ran" + kPad + "echo leak>>ran\nxy\n",
                                 {"IMPRESSAO_CALLS=2", "IMPRESSAO_ELAPSED=4.07"});
  expect_clean_exit(result);
  EXPECT_EQ(read_file(work() / "ran"), "abc\nxy\n");
}

// ---------------------------------------------------------------------------------------
// Connecting the report channel.

TEST_F(ImpressaoHost, TwoCallsAppendToOneConnection) {
  const ChildResult result =
      run({"rep.txt", "second.txt"}, "\n\n", {"IMPRESSAO_CALLS=2", "IMPRESSAO_ELAPSED=4.07"});
  expect_clean_exit(result);
  EXPECT_EQ(read_file(work() / "rep.txt"), report_tail(k4s7) + report_tail(k4s7));
  EXPECT_EQ(result.out, console_block(k4s7) + console_block(k4s7));
  EXPECT_EQ(work_files(), std::vector<std::string>{"rep.txt"});
}

TEST_F(ImpressaoHost, ExistingFileIsOverwrittenAtConnection) {
  write_file(work() / "rep.txt",
             "an earlier run's report, longer than the new one " + std::string(1000, '.') + "\n");
  const ChildResult result = run({"rep.txt"}, "\n");
  expect_clean_exit(result);
  EXPECT_EQ(read_file(work() / "rep.txt"), report_tail(k4s7));
}

TEST_F(ImpressaoHost, NameIsAskedWhenNoArgumentIsLeftAndBlankAnswersRepeatTheQuestion) {
  const ChildResult result = run({}, "\n \t\nasked.txt\n\n");
  expect_clean_exit(result);
  EXPECT_EQ(result.out, kQuestion + std::string("UNIT 2? UNIT 2? UNIT 2? ") + console_block(k4s7));
  EXPECT_EQ(read_file(work() / "asked.txt"), report_tail(k4s7));
  EXPECT_EQ(work_files(), std::vector<std::string>{"asked.txt"});
}

TEST_F(ImpressaoHost, BlankArgumentIsUsedUpAndTheNameIsAsked) {
  const ChildResult result = run({"  "}, "asked.txt\n\n");
  expect_clean_exit(result);
  EXPECT_EQ(result.out, kQuestion + std::string("UNIT 2? ") + console_block(k4s7));
  EXPECT_EQ(read_file(work() / "asked.txt"), report_tail(k4s7));
}

TEST_F(ImpressaoHost, EndOfInputAtTheQuestionDiscardsTheReportWithoutAskingAgain) {
  const ChildResult result = run({}, "", {"IMPRESSAO_CALLS=2", "IMPRESSAO_ELAPSED=4.07"});
  expect_clean_exit(result);
  EXPECT_EQ(result.out,
            kQuestion + std::string("UNIT 2? \n") + console_block(k4s7) + console_block(k4s7));
  EXPECT_TRUE(work_files().empty());
}

TEST_F(ImpressaoHost, UnopenableNameDiscardsTheReportAndSaysSo) {
  const ChildResult result = run({"no_such_folder/rep.txt"}, "\n");
  expect_clean_exit(result);
  EXPECT_EQ(result.out, console_block(k4s7));
  EXPECT_NE(result.err.find("no_such_folder/rep.txt"), std::string::npos) << result.err;
  EXPECT_TRUE(work_files().empty());
}

// ---------------------------------------------------------------------------------------
// The platform layer's view of the host's command line.

TEST_F(ImpressaoHost, HostArgumentsAreTheProcessArgumentsWithoutItsName) {
  const ChildResult result =
      run({"a b", "", "\xc3\xa7", "--flag", "last"}, "", {"IMPRESSAO_PRINT_ARGUMENTS=1"});
  expect_clean_exit(result);
  EXPECT_EQ(result.out, "[a b]\n[]\n[\xc3\xa7]\n[--flag]\n[last]\n");
}

TEST_F(ImpressaoHost, NoHostArgumentsGiveAnEmptyList) {
  const ChildResult result = run({}, "", {"IMPRESSAO_PRINT_ARGUMENTS=1"});
  expect_clean_exit(result);
  EXPECT_EQ(result.out, "");
}

}  // namespace
