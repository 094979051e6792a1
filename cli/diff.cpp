// diff: what a new version of a list does differently from the old one.
//
//   kerbwise-cli diff --acl OLD --other NEW [--objects FILE] [--other-objects FILE]
//                     [--list NAME] [--other-list NAME]
//
// Both lists are normalised as normalize does, their object groups expanded
// (--objects serves both lists unless --other-objects is given for the new
// one; --list chooses the list of a paste that holds several, for both files
// unless --other-list chooses the new one's). Entries are compared by what
// they say: renumbering, remarks and the numbering questions (answered by
// renumbering) change nothing.
//
// Text output: "the lists do the same", or the newly permitted and the newly
// denied traffic, a few example packets each, every one with the entry that
// decides it in the old and in the new list (or the implicit deny).
//
// JSON output: {"same": bool, "message": "...", "newly_permitted": [...],
// "newly_denied": [...]}; each example is {"protocol", "source",
// "destination", "source_port", "destination_port", "icmp_type",
// "icmp_code" (null where the protocol has none), "old", "new"}, where "old"
// and "new" are {"line": 1-based, "text": the list line, "permits": bool},
// or {"line": null, "text": "implicit deny at the end", "permits": false}.
//
// Exit status: 0 the same, 1 different, 2 an error of use or input (a line
// that cannot be read, an object error, the diagram size cap).

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "input.h"
#include "list_intake.h"
#include "output.h"
#include "packets/list_diff.h"
#include "packets/list_diff_text.h"

namespace kerbwise::cli {
namespace {

// Entries are compared by what they say, so a question about the numbering
// is answered the way that keeps every entry: renumber.
class RenumberAnswers final : public AnswerSource {
 public:
  bool Ask(const YesNoQuestion&) override { return true; }
};

Json Optional(const auto& value) { return value ? Json(*value) : Json(nullptr); }

Json DecidingJson(const std::optional<std::size_t>& line, bool permits,
                  const std::vector<std::string>& lines, Language language) {
  return Json{{"line", line ? Json(*line + 1) : Json(nullptr)},
              {"text", DecidingEntryText(line, lines, language)},
              {"permits", permits}};
}

Json ExamplesJson(const std::vector<ExamplePacket>& examples,
                  const std::vector<std::string>& oldLines,
                  const std::vector<std::string>& newLines, Language language) {
  Json listed = Json::array();
  for (const ExamplePacket& example : examples) {
    listed.push_back(
        Json{{"protocol", example.Protocol},
             {"source", example.Source},
             {"destination", example.Destination},
             {"source_port", Optional(example.SourcePort)},
             {"destination_port", Optional(example.DestinationPort)},
             {"icmp_type", Optional(example.IcmpType)},
             {"icmp_code", Optional(example.IcmpCode)},
             {"old", DecidingJson(example.OldEntry, example.OldPermits, oldLines, language)},
             {"new", DecidingJson(example.NewEntry, example.NewPermits, newLines, language)}});
  }
  return listed;
}

class DiffCommand final : public Command {
 public:
  std::string_view Name() const override { return "diff"; }

  std::string_view Description() const override {
    return "Show the traffic a new version of a list permits or denies unlike the old one";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    AddAclOption(subcommand, oldPath_);
    AddObjectsOption(subcommand, objectsPath_);
    subcommand.add_option("--other", newPath_, "The new list, compared with the --acl list")
        ->required()
        ->type_name("FILE");
    subcommand
        .add_option("--other-objects", newObjectsPath_,
                    "Object groups of the new list (default: those of --objects)")
        ->type_name("FILE");
    subcommand
        .add_option("--list", oldListName_,
                    "The list to compare when a paste holds several (its name or number)")
        ->type_name("NAME");
    subcommand
        .add_option("--other-list", newListName_, "The list of the --other paste (default: --list)")
        ->type_name("NAME");
    subcommand.footer(
        "Exit status:\n  " + std::to_string(kExitOk) + "  the lists do the same\n  " +
        std::to_string(kExitFailure) + "  they differ, or the output could not be written\n  " +
        std::to_string(kExitUsage) + "  a line could not be read, or an error of use or input");
  }

  int Run(const CommandContext& context) override {
    const std::string objects =
        objectsPath_.empty() ? std::string() : ReadFileText(objectsPath_, "--objects file");
    const std::string newObjects =
        newObjectsPath_.empty() ? objects : ReadFileText(newObjectsPath_, "--other-objects file");
    const std::string newSource = ReadFileText(newPath_, "--other file");
    RenumberAnswers answers;
    const std::optional<NormalizeResult> oldList =
        NormalizeChosenList(ReadInputText(oldPath_, context.in, "access list"), objects,
                            oldListName_, answers, context);
    if (!oldList || ReportObjectError(*oldList, context)) return kExitUsage;
    const std::optional<NormalizeResult> newList =
        NormalizeChosenList(newSource, newObjects,
                            newListName_.empty() ? oldListName_ : newListName_, answers, context);
    if (!newList || ReportObjectError(*newList, context)) return kExitUsage;

    const Language language = context.globals.check.TextLanguage;
    const std::vector<std::string> oldLines = oldList->ListLines.ToStrings();
    const std::vector<std::string> newLines = newList->ListLines.ToStrings();
    const ListDiff diff = DiffLists(oldLines, newLines, context.globals.check);
    if (diff.Error) {
      context.err << kProgramName << ": " << EscapeForLine(*diff.Error) << '\n';
      return kExitUsage;
    }
    if (context.globals.json) {
      const std::vector<std::string> report = ListDiffReport(diff, oldLines, newLines, language);
      WriteJson(
          context.out, context.err,
          Json{{"same", diff.Same},
               {"message", diff.Same ? report.front() : std::string()},
               {"newly_permitted", ExamplesJson(diff.NewlyPermitted, oldLines, newLines, language)},
               {"newly_denied", ExamplesJson(diff.NewlyDenied, oldLines, newLines, language)}});
    } else {
      for (const std::string& line : ListDiffReport(diff, oldLines, newLines, language)) {
        context.out << line << '\n';
      }
    }
    return diff.Same ? kExitOk : kExitFailure;
  }

 private:
  std::string oldPath_;
  std::string newPath_;
  std::string objectsPath_;
  std::string newObjectsPath_;
  std::string oldListName_;
  std::string newListName_;
};

}  // namespace

std::unique_ptr<Command> MakeDiffCommand() { return std::make_unique<DiffCommand>(); }

}  // namespace kerbwise::cli
