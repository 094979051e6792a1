#include "progress_bar.h"

#include <unistd.h>

#include <iostream>

namespace kerbwise::cli {

namespace {

constexpr std::size_t kWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::ostream& err, std::string_view label)
    : err_(err), label_(label), terminal_(&err == &std::cerr && ::isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
  if (drawn_) {
    err_ << '\r' << std::string(label_.size() + kWidth + 10, ' ') << '\r' << std::flush;
  }
}

ProgressCallback ProgressBar::Callback() {
  if (!terminal_) return {};
  return [this](int percent) { Draw(percent); };
}

void ProgressBar::Draw(int percent) {
  // Runs also call while the share stands still; the bar is redrawn only when it moves.
  if (drawn_ && percent == shown_) return;
  shown_ = percent;
  const auto filled = static_cast<std::size_t>(percent) * kWidth / 100;
  err_ << '\r' << label_ << " [" << std::string(filled, '#') << std::string(kWidth - filled, ' ')
       << "] " << percent << '%' << std::flush;
  drawn_ = true;
}

}  // namespace kerbwise::cli
