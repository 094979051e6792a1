#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

#include "rules/check_options.h"

namespace CLI {
class App;
}

namespace kerbwise::cli {

inline constexpr std::string_view kProgramName = "kerbwise-cli";

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // output could not be written, or an internal fault
inline constexpr int kExitUsage = 2;    // an error of use or of input

// The options every command understands, whether written before or after the
// command name.
struct GlobalOptions {
  CheckOptions check;  // MaskType and Russian come from the command line
  bool json = false;   // one JSON document on the output instead of text
};

// What a command runs with: the global options and the three streams.
struct CommandContext {
  const GlobalOptions& globals;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// An error of use or of input found while a command runs (an unreadable file,
// say). The message is one line without the program name; RunCli prints it
// and ends with kExitUsage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One subcommand of kerbwise-cli. A fresh set of commands is made for every
// run, so a command keeps the values of its options in its own members.
class Command {
 public:
  virtual ~Command() = default;

  virtual std::string_view Name() const = 0;
  // One line for the command list of the help text.
  virtual std::string_view Description() const = 0;
  // Adds the command's own options and arguments to its subcommand.
  virtual void RegisterOptions(CLI::App& subcommand) = 0;
  // Runs after a successful parse; returns the exit status. May throw
  // UsageError.
  virtual int Run(const CommandContext& context) = 0;
};

}  // namespace kerbwise::cli
