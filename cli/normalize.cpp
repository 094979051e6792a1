// normalize: cleans a pasted list, numbers it and expands its object groups.
//
// Text output: the normalised list, one entry per line, exactly as the list
// pane shows it (with its leading blanks). An object error goes to standard
// error and the exit status is 2; so does a numbering question that neither
// --renumber nor --keep-numbering answers.
//
// JSON output: one object with the keys name, caption, list, source, header,
// header_index, can_optimize, cancelled, error, error_object, enabled (name,
// objects, analysis, sort, ports_in_set, reflect), name_copy (the three texts
// of the Name button's copy menu; empty when the list has no name) and
// used_objects: {"text": [the definitions of the groups used, line by line],
// "groups": [{"name", "start", "end"} in the order the Objects window lists
// them]}. The JSON is written on an object error too.

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "list_intake.h"
#include "output.h"
#include "presentation/intake_messages.h"

namespace kerbwise::cli {
namespace {

Json UsedObjectsJson(const UsedObjects& used) {
  Json groups = Json::array();
  for (const UsedGroup& record : BuildObjectListing(used).Records) {
    groups.push_back({{"name", record.Name}, {"start", record.StartPos}, {"end", record.EndPos}});
  }
  return {{"text", used.UsdObjText()}, {"groups", std::move(groups)}};
}

Json ResultJson(const NormalizeResult& result, Language language) {
  const ListControls enabled = ControlsAfter(result);
  Json nameCopy = Json::array();
  if (enabled.Name) {
    for (const NameCopyCommand& command : NameCopyCommands(result.AclName, language)) {
      nameCopy.push_back(command.Text);
    }
  }
  Json json;
  json["name"] = result.AclName;
  json["caption"] = ListCaption(result);
  json["list"] = result.ListLines;
  json["source"] = result.SourceLines;
  json["header"] = result.HeaderLine;
  json["header_index"] = result.HeaderIndex;
  json["can_optimize"] = result.CanOptimize;
  json["cancelled"] = result.Cancelled;
  json["error"] = result.Error ? ObjectErrorMessage(*result.Error, language) : std::string();
  json["error_object"] = result.Error ? result.Error->Object : std::string();
  json["enabled"] = {
      {"name", enabled.Name}, {"objects", enabled.Objects},         {"analysis", enabled.Analysis},
      {"sort", enabled.Sort}, {"ports_in_set", enabled.PortsInSet}, {"reflect", enabled.Reflect}};
  json["name_copy"] = std::move(nameCopy);
  json["used_objects"] = UsedObjectsJson(result.Used);
  return json;
}

class NormalizeCommand final : public Command {
 public:
  std::string_view Name() const override { return "normalize"; }

  std::string_view Description() const override {
    return "Clean and number a pasted list and expand its object groups";
  }

  void RegisterOptions(CLI::App& subcommand) override { intake_.RegisterOptions(subcommand); }

  int Run(const CommandContext& context) override {
    const std::optional<NormalizeResult> result = intake_.Normalize(context);
    if (!result) return kExitUsage;
    if (context.globals.json) {
      WriteJson(context.out, context.err, ResultJson(*result, context.globals.check.TextLanguage));
    } else {
      for (const std::string& line : result->ListLines) context.out << line << '\n';
    }
    return ReportObjectError(*result, context) ? kExitUsage : kExitOk;
  }

 private:
  ListIntake intake_;
};

}  // namespace

std::unique_ptr<Command> MakeNormalizeCommand() { return std::make_unique<NormalizeCommand>(); }

}  // namespace kerbwise::cli
