#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kerbwise::cli {

// Runs kerbwise-cli with `args` (the arguments after the program name) and
// returns the exit status: 0 when the command ran, 2 for an error of use or
// input (one line on `err`), 1 when the output could not be written. Help
// goes to `out` with status 0; without a command the help goes to `err` with
// status 2. Nothing escapes as an exception.
int RunCli(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kerbwise::cli
