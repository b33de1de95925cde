// Stand-in for a library host on the no-element path: calls the report and console pieces in
// the driver's order. Its command-line arguments are left to the report channel, so the
// steps are chosen through the environment:
//   IMPRESSAO_NPINT    internal points (sections written when >= 1), default 0
//   IMPRESSAO_CALLS    number of no-element calls, default 1
//   IMPRESSAO_ELAPSED  fixed elapsed seconds instead of the wall clock
//   IMPRESSAO_PRINT_ARGUMENTS  when set, only print the host arguments, one "[...]" a line
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bem/impressao.h"
#include "bem/platform/platform.h"

namespace {

long environment_integer(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text == nullptr ? fallback : std::strtol(text, nullptr, 10);
}

void no_element_call(long npint) {
  namespace imp = bem::impressao;
  const double t0 = bem::platform::wall_clock();
  if (npint >= 1) imp::internal_point_sections();
  imp::condition_number_line(0.0);
  const char* elapsed = std::getenv("IMPRESSAO_ELAPSED");
  const imp::ProcessingTime time = elapsed != nullptr
                                       ? imp::processing_time(0.0, std::strtod(elapsed, nullptr))
                                       : imp::processing_time(t0, bem::platform::wall_clock());
  imp::write_processing_time(time);
  bem::platform::tone(300, 10);
  imp::closing_prompt_and_pause();
}

}  // namespace

int main() {
  if (std::getenv("IMPRESSAO_PRINT_ARGUMENTS") != nullptr) {
    for (const std::string& argument : bem::platform::host_arguments()) {
      std::printf("[%s]\n", argument.c_str());
    }
    return 0;
  }
  const long calls = environment_integer("IMPRESSAO_CALLS", 1);
  const long npint = environment_integer("IMPRESSAO_NPINT", 0);
  for (long call = 0; call < calls; ++call) no_element_call(npint);
  return 0;
}
