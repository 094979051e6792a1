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

// The test program's own folder in the temporary folder: made on first use,
// removed with everything in it when the program ends. Test programs running
// side by side never share a file, and none is left behind.
class TestTempFolder {
 public:
  TestTempFolder()
      : path_(std::filesystem::path(::testing::TempDir()) /
              ("kerbwise_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~TestTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestTempFolder(const TestTempFolder&) = delete;
  TestTempFolder& operator=(const TestTempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A path in the test program's temporary folder.
inline std::string TempPath(const std::string& name) {
  static const TestTempFolder folder;
  return (folder.Path() / name).string();
}

// Writes `text` to a file of the test program's temporary folder and gives its path.
inline std::string WriteTempFile(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace kerbwise::testing
