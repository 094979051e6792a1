#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

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

// The lines of `text`: split at LF, CR LF or a lone CR, as a text pane splits
// pasted text. A final line without a line end counts; nothing follows a
// final line end.
std::vector<std::string> SplitLines(std::string_view text);

// The options through which commands take the pasted access list and the
// object-group definitions; `path` stays empty when the option is absent.
CLI::Option* AddAclOption(CLI::App& subcommand, std::string& path);
CLI::Option* AddObjectsOption(CLI::App& subcommand, std::string& path);

}  // namespace kerbwise::cli
