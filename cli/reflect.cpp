// reflect: normalises a list as normalize does, then writes its reflection,
// the rules that match the return traffic of the list's entries.
//
// Text output: one line per line of the normalised list, in its order; lines
// that are not rules come out marked ("-remark ", "-not recognized: ...",
// "-template error: ...") in the chosen language. An object error, or a
// numbering question that neither --renumber nor --keep-numbering answers,
// goes to standard error and the exit status is 2.
//
// JSON output: {"lines": [...]}, the same lines.

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "list_intake.h"
#include "output.h"
#include "reflect/reflect_acl.h"

namespace kerbwise::cli {
namespace {

class ReflectCommand final : public Command {
 public:
  std::string_view Name() const override { return "reflect"; }

  std::string_view Description() const override {
    return "Mirror a list for the return traffic: sides and ports swapped, ICMP replies";
  }

  void RegisterOptions(CLI::App& subcommand) override { intake_.RegisterOptions(subcommand); }

  int Run(const CommandContext& context) override {
    std::optional<NormalizeResult> list = intake_.Normalize(context);
    if (!list) return kExitUsage;
    if (ReportObjectError(*list, context)) return kExitUsage;
    ReleaseAllButList(*list);

    if (context.globals.json) {
      WriteJson(context.out, context.err,
                Json{{"lines", ReflectACL(list->ListLines, context.globals.check)}});
      return kExitOk;
    }
    // Written as it goes: a long list's reflection is never held whole.
    LineRecognizer recognizer;
    recognizer.SetCaching(false);
    for (const std::string_view line : list->ListLines) {
      context.out << ReflectListLine(line, context.globals.check, recognizer) << '\n';
    }
    return kExitOk;
  }

 private:
  ListIntake intake_;
};

}  // namespace

std::unique_ptr<Command> MakeReflectCommand() { return std::make_unique<ReflectCommand>(); }

}  // namespace kerbwise::cli
