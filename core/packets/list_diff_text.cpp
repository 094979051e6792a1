#include "packets/list_diff_text.h"

#include "text/diff_texts.h"
#include "text/phrase.h"

namespace kerbwise {
namespace {

std::string Side(const std::string& address, const std::optional<std::uint16_t>& port,
                 Language language) {
  if (!port) return address;
  return Fill(texts::kExamplePort.In(language), {address, std::to_string(*port)});
}

void AddExamples(std::vector<std::string>& report, const Phrase& heading,
                 const std::vector<ExamplePacket>& examples,
                 const std::vector<std::string>& oldLines, const std::vector<std::string>& newLines,
                 Language language) {
  if (examples.empty()) return;
  if (!report.empty()) report.emplace_back();
  report.emplace_back(heading.In(language));
  for (const ExamplePacket& example : examples) {
    report.push_back("  " + ExamplePacketText(example, language));
    report.push_back("    " + Fill(texts::kOldDecides.In(language),
                                   {DecidingEntryText(example.OldEntry, oldLines, language)}));
    report.push_back("    " + Fill(texts::kNewDecides.In(language),
                                   {DecidingEntryText(example.NewEntry, newLines, language)}));
  }
}

}  // namespace

std::string ExamplePacketText(const ExamplePacket& example, Language language) {
  std::string text = Fill(texts::kExamplePacket.In(language),
                          {example.Protocol, Side(example.Source, example.SourcePort, language),
                           Side(example.Destination, example.DestinationPort, language)});
  if (example.IcmpType) {
    text = Fill(texts::kExampleIcmp.In(language), {text, std::to_string(*example.IcmpType),
                                                   std::to_string(example.IcmpCode.value_or(0))});
  }
  return text;
}

std::string DecidingEntryText(const std::optional<std::size_t>& line,
                              const std::vector<std::string>& listLines, Language language) {
  if (!line || *line >= listLines.size()) return std::string(texts::kImplicitDeny.In(language));
  const std::string& text = listLines[*line];
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? text : text.substr(start);
}

std::vector<std::string> ListDiffReport(const ListDiff& diff,
                                        const std::vector<std::string>& oldLines,
                                        const std::vector<std::string>& newLines,
                                        Language language) {
  if (diff.Error) return {*diff.Error};
  if (diff.Same) return {std::string(texts::kListsDoTheSame.In(language))};
  std::vector<std::string> report;
  AddExamples(report, texts::kNewlyPermitted, diff.NewlyPermitted, oldLines, newLines, language);
  AddExamples(report, texts::kNewlyDenied, diff.NewlyDenied, oldLines, newLines, language);
  return report;
}

}  // namespace kerbwise
