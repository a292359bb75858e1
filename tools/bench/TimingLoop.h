#pragma once
// The timing loop of the Windows benchmarks: runs a body repeatedly, then prints the median and the
// worst time in milliseconds and whether the median keeps within its limit. "--quick" runs a few
// rounds only (CTest's check that the benchmark still works).

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace timing {

inline bool Quick(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--quick") == 0) return true;
  return false;
}

// The times of Rounds runs of the body (after one warm-up run), sorted, in milliseconds.
template <class Body>
std::vector<double> Times(int Rounds, Body&& body) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  body();  // warm-up: caches, scratch bitmaps
  std::vector<double> times;
  for (int i = 0; i < Rounds; ++i) {
    QueryPerformanceCounter(&start);
    body();
    QueryPerformanceCounter(&end);
    times.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times;
}

// Returns true when the median is within LimitMs; Median receives it when given.
template <class Body>
bool Run(const char* Name, int Rounds, double LimitMs, Body&& body, double* Median = nullptr) {
  const std::vector<double> times = Times(Rounds, body);
  const double median = times[times.size() / 2], worst = times.back();
  std::printf("%-60s median %7.3f ms  worst %7.3f ms  (limit %.1f ms)%s\n", Name, median, worst, LimitMs,
              median <= LimitMs ? "" : "  OVER");
  std::fflush(stdout);
  if (Median) *Median = median;
  return median <= LimitMs;
}

// Handles what this thread has queued (paints, layout messages) before the next measured step.
inline void ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace timing
