#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
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

// The standard output of a run, read as JSON.
inline nlohmann::json RunJson(std::vector<std::string> args, const std::string& input = "") {
  return nlohmann::json::parse(RunCommand(std::move(args), input).out);
}

// A path in the temporary folder that no other test process uses, so that
// test programs running side by side never share a file.
inline std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "kerbwise_" + std::to_string(::getpid()) + "_" + name;
}

// Writes `text` to a file of the test's temporary folder and gives its path.
inline std::string WriteTempFile(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace kerbwise::testing
