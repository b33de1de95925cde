#include "parallel.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

namespace bem {

int thread_count() {
  if (const char* env = std::getenv("BEM_THREADS")) {
    char* end = nullptr;
    const long v = std::strtol(env, &end, 10);
    if (end != env && *end == '\0' && v > 0) return static_cast<int>(std::min(v, 256L));
  }
  const unsigned hw = std::thread::hardware_concurrency();
  return hw == 0 ? 1 : static_cast<int>(hw);
}

void parallel_for(std::int64_t n, const std::function<void(std::int64_t, std::int64_t)>& body) {
  if (n <= 0) return;
  const std::int64_t workers = std::min<std::int64_t>(thread_count(), n);
  if (workers <= 1) {
    body(0, n);
    return;
  }
  std::vector<std::thread> threads;
  threads.reserve(static_cast<std::size_t>(workers - 1));
  const std::int64_t chunk = n / workers, extra = n % workers;
  std::int64_t begin = 0;
  std::int64_t first_end = 0;
  for (std::int64_t w = 0; w < workers; ++w) {
    const std::int64_t end = begin + chunk + (w < extra ? 1 : 0);
    if (w == 0) {
      first_end = end;
    } else {
      try {
        threads.emplace_back(body, begin, end);
      } catch (...) {
        body(begin, end);  // no thread to be had: do the chunk here
      }
    }
    begin = end;
  }
  body(0, first_end);
  for (auto& t : threads) t.join();
}

}  // namespace bem
