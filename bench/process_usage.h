#pragma once

#include <sys/resource.h>

namespace kerbwise::bench {

// The process's peak resident memory so far, in megabytes: run a case alone
// (--benchmark_filter) to read its own peak.
inline double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Processor time of the whole process, every thread, in seconds.
inline double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace kerbwise::bench
