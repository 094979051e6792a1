// names: the reference of the TCP and UDP port names and ICMP message names
// the rule language accepts, with their numbers, laid out in columns.
//
// Text output: the reference, line by line. JSON output: {"lines": [...]}.

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "output.h"
#include "reference/names_reference.h"

namespace kerbwise::cli {
namespace {

class NamesCommand final : public Command {
 public:
  std::string_view Name() const override { return "names"; }

  std::string_view Description() const override {
    return "List the TCP and UDP port names and ICMP message names with their numbers";
  }

  void RegisterOptions(CLI::App&) override {}

  int Run(const CommandContext& context) override {
    const std::vector<std::string> lines = NamesReference();
    if (context.globals.json) {
      WriteJson(context.out, context.err, Json{{"lines", lines}});
    } else {
      for (const std::string& line : lines) context.out << line << '\n';
    }
    return kExitOk;
  }
};

}  // namespace

std::unique_ptr<Command> MakeNamesCommand() { return std::make_unique<NamesCommand>(); }

}  // namespace kerbwise::cli
