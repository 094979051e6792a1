#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "run_cli.h"

namespace kerbwise::testing {

// What one in-process run of kerbwise-cli gave.
struct CliOutcome {
  int status;
  std::string out;
  std::string err;
};

inline CliOutcome RunCommand(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = kerbwise::cli::RunCli(std::move(args), in, out, err);
  return {status, out.str(), err.str()};
}

// Writes `text` to a file of the test's temporary folder and gives its path.
inline std::string WriteTempFile(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace kerbwise::testing
