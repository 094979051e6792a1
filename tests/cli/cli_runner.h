#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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

// A run that ends with `status` and writes `out` on standard output.
inline void ExpectRun(const CliOutcome& outcome, int status, const std::string& out) {
  EXPECT_EQ(outcome.status, status) << outcome.err;
  EXPECT_EQ(outcome.out, out);
}

// A run turned down as an error of use or of input: status 2, nothing on
// standard output, and standard error saying `mention`.
inline void ExpectRefused(const CliOutcome& outcome, const std::string& mention) {
  EXPECT_EQ(outcome.status, 2) << mention;
  EXPECT_EQ(outcome.out, "") << mention;
  EXPECT_NE(outcome.err.find(mention), std::string::npos) << outcome.err;
}

// A path in the test program's own temporary folder. The folder is made on
// first use and removed with everything in it when the program ends, so test
// programs running side by side never share a file and none is left behind.
inline std::string TempPath(const std::string& name) {
  static const struct Folder {
    std::filesystem::path path =
        std::filesystem::path(::testing::TempDir()) / ("kerbwise_" + std::to_string(::getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } folder;
  return (folder.path / name).string();
}

// Writes `text` to a file of the test program's temporary folder and gives its path.
inline std::string WriteTempFile(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace kerbwise::testing
