#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "run/run_hooks.h"

namespace kerbwise::cli {

// A bar redrawn in place on a terminal's standard error while a long run
// goes on, cleared when it goes out of scope. Off a terminal it draws
// nothing, so scripts and tests see clean output.
class ProgressBar {
 public:
  ProgressBar(std::ostream& err, std::string_view label);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // What a run calls with its share done; empty off a terminal.
  ProgressCallback Callback();

 private:
  void Draw(int percent);

  std::ostream& err_;
  std::string label_;
  bool terminal_;
  bool drawn_ = false;
  int shown_ = 0;  // the share drawn last
};

}  // namespace kerbwise::cli
