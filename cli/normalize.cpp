// normalize: cleans a pasted list, numbers it and expands its object groups.
//
// Text output: a short report in lines that begin with "# " (what the list
// is called, how many lines became entries, how they were numbered, which
// entries object groups expanded), then the normalised list, one entry per
// line, exactly as the list pane shows it (with its leading blanks). The
// report lines hold a "#", which the normaliser drops as a prompt line, so
// the output reads back as its list alone. An object error goes to standard
// error, with no report, and the exit status is 2; so does a numbering
// question that neither --renumber nor --keep-numbering answers.
//
// JSON output: one object with the keys name, caption, list, source, header,
// header_index, numbering (as-written, given or renumbered), can_optimize,
// cancelled, error, error_object, enabled (name, objects, analysis, sort,
// ports_in_set, reflect), name_copy (the three texts of the Name button's
// copy menu; empty when the list has no name), used_objects: {"text": [the
// definitions of the groups used, line by line], "groups": [{"name",
// "start", "end"} in the order the Objects window lists them]} and counts
// (dropped, headers, entries, expanded_entries, derived_entries: the lines
// each step met), kind (extended or standard), hits (per list line, the
// counter show output printed after its entry, null where none) and lists
// (every list of the paste: {"name", "kind", "entries"}, kind being
// extended, standard, or for a list that is not read what its header calls
// it). The JSON is written on an object error too.

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

std::string_view NumberingName(Numbering numbering) {
  switch (numbering) {
    case Numbering::Given:
      return "given";
    case Numbering::Renumbered:
      return "renumbered";
    case Numbering::AsWritten:
      break;
  }
  return "as-written";
}

Json CountsJson(const IntakeCounts& counts) {
  return {{"dropped", counts.Dropped},
          {"headers", counts.Headers},
          {"entries", counts.Entries},
          {"expanded_entries", counts.ExpandedEntries},
          {"derived_entries", counts.DerivedEntries}};
}

Json ResultJson(const NormalizeResult& result, Language language) {
  const ListControls enabled = ControlsAfter(result);
  Json nameCopy = Json::array();
  if (enabled.Name) {
    for (const NameCopyCommand& command : NameCopyCommands(result.AclName, language, result.Kind)) {
      nameCopy.push_back(command.Text);
    }
  }
  Json json;
  json["name"] = result.AclName;
  json["caption"] = ListCaption(result);
  json["list"] = result.ListLines.ToStrings();
  json["source"] = result.SourceLines.ToStrings();
  json["header"] = result.HeaderLine;
  json["header_index"] = result.HeaderIndex;
  json["numbering"] = NumberingName(result.NumberedAs);
  json["can_optimize"] = result.CanOptimize;
  json["cancelled"] = result.Cancelled;
  json["error"] = result.Error ? ObjectErrorMessage(*result.Error, language) : std::string();
  json["error_object"] = result.Error ? result.Error->Object : std::string();
  json["enabled"] = {
      {"name", enabled.Name}, {"objects", enabled.Objects},         {"analysis", enabled.Analysis},
      {"sort", enabled.Sort}, {"ports_in_set", enabled.PortsInSet}, {"reflect", enabled.Reflect}};
  json["name_copy"] = std::move(nameCopy);
  json["used_objects"] = UsedObjectsJson(result.Used);
  json["counts"] = CountsJson(result.Counts);
  json["kind"] = result.Kind == ListKind::Standard ? "standard" : "extended";
  Json hits = Json::array();
  for (const std::optional<std::uint64_t>& count : result.Hits) {
    hits.push_back(count ? Json(*count) : Json(nullptr));
  }
  json["hits"] = std::move(hits);
  Json lists = Json::array();
  for (const FoundList& list : result.Lists) {
    lists.push_back({{"name", list.Name}, {"kind", ListKindName(list)}, {"entries", list.Entries}});
  }
  json["lists"] = std::move(lists);
  return json;
}

// "1 entry", "3 entries".
std::string Entries(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

std::string NumberingReport(const NormalizeResult& result) {
  switch (result.NumberedAs) {
    case Numbering::Given:
      return "given: 10, 20, 30, ...";
    case Numbering::Renumbered:
      return "renumbered: 10, 20, 30, ...";
    case Numbering::AsWritten:
      break;
  }
  if (result.CanOptimize) return "as written";
  return "kept as written, lines without a number got 0; the list cannot be analysed or sorted";
}

void WriteReport(const NormalizeResult& result, std::ostream& out) {
  if (!result.Ran) {
    out << "# The list is blank\n";
    return;
  }
  const IntakeCounts& counts = result.Counts;
  out << "# List " << (result.HasHeader() ? result.AclName : "without a name") << ": "
      << Entries(counts.Entries) << " from "
      << counts.Dropped + counts.Headers + counts.Entries + counts.Elsewhere << " lines ("
      << counts.Headers << (counts.Headers == 1 ? " header, " : " headers, ") << counts.Dropped
      << " dropped";
  if (counts.Elsewhere > 0) out << ", " << counts.Elsewhere << " of other lists and object groups";
  out << ")\n";
  out << "# Numbering: " << NumberingReport(result) << '\n';
  if (counts.ExpandedEntries > 0) {
    out << "# Object groups: " << Entries(counts.ExpandedEntries) << " expanded into "
        << Entries(counts.DerivedEntries) << ", using";
    for (const std::string& name : BuildObjectListing(result.Used).Names) out << ' ' << name;
    out << '\n';
  }
  for (const std::string_view line : result.ListLines) out << line << '\n';
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
    } else if (!result->Error) {
      WriteReport(*result, context.out);
    }
    return ReportObjectError(*result, context) ? kExitUsage : kExitOk;
  }

 private:
  ListIntake intake_{true};
};

}  // namespace

std::unique_ptr<Command> MakeNormalizeCommand() { return std::make_unique<NormalizeCommand>(); }

}  // namespace kerbwise::cli
