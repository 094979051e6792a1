#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "rules/primitives.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace kerbwise::cli {

// Reading of the texts commands work on. Everything is read whole and byte
// for byte; failures throw UsageError with a one-line message that names the
// input (`what`, e.g. "--template file") and the reason.

// The contents of the file at `path`.
std::string ReadFileText(const std::string& path, std::string_view what);

// Everything left in `in`.
std::string ReadStreamText(std::istream& in, std::string_view what);

// The file at `path`, or `in` when `path` is empty or "-".
std::string ReadInputText(const std::string& path, std::istream& in, std::string_view what);

// The lines of a text, split as the desktop splits its panes.
using kerbwise::SplitLines;

// The options through which commands take the pasted access list and the
// object-group definitions; `path` stays empty when the option is absent.
CLI::Option* AddAclOption(CLI::App& subcommand, std::string& path);
CLI::Option* AddObjectsOption(CLI::App& subcommand, std::string& path);

}  // namespace kerbwise::cli
