// recognize: runs lines through the rule template and shows the records.
//
// Text output: a block per input line, blocks apart by an empty line, each
// row a label padded to one width and its value:
//   line         <the text that was recognised>
//   status       <code> <name>
//   source       <addr> <mask>            (status 2, 3 and 4 only)
//   destination  <addr> <mask>            (status 2, 3 and 4 only)
//   values       <side.slot=text ...>     (status 2, 3 and 4 only)
//   template error  <message>             (when there is one)
//   parameter error  <message>            (when there is one)
// <code> is 0-4 and <name> its name in the chosen language, as are the two
// error labels. Masks are shown in the internal netmask form whatever
// --netmask says. The values are the filled slots, or "-" when none is
// filled. The line has its blanks collapsed and one leading blank removed.
// Backslashes and control characters are escaped (EscapeForLine), so every
// value stays on its row.
//
// JSON output: an array with one object per input line, keys line, status,
// src_addr, src_mask, dst_addr, dst_mask, values ({"side.slot": text} for the
// filled slots), template_error and parameter_error (empty when none).

#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command.h"
#include "input.h"
#include "output.h"
#include "recognize_texts.h"
#include "rules/line_recognizer.h"
#include "rules/primitives.h"
#include "rules/rule_record.h"

namespace kerbwise::cli {
namespace {

struct Recognition {
  std::string line;  // as given to Recognize
  RecordPtr record;
  std::string templateError;
  std::string parameterError;
};

bool IsRecord(std::uint8_t status) {
  return status == StatusPermit || status == StatusDeny || status == StatusRemark;
}

std::string SlotKey(const OptionValues::Entry& entry) {
  return std::to_string(entry.side) + "." + std::to_string(entry.slot);
}

Json ToJson(const Recognition& item) {
  const RuleRecord& record = *item.record;
  Json values = Json::object();
  for (const OptionValues::Entry& entry : record.Values.Entries())
    values[SlotKey(entry)] = entry.text;
  Json object;
  object["line"] = item.line;
  object["status"] = record.Status;
  object["src_addr"] = ValToIP(record.SrcAddr);
  object["src_mask"] = ValToIP(record.SrcMask);
  object["dst_addr"] = ValToIP(record.DstAddr);
  object["dst_mask"] = ValToIP(record.DstMask);
  object["values"] = std::move(values);
  object["template_error"] = item.templateError;
  object["parameter_error"] = item.parameterError;
  return object;
}

// One row of a block: the label padded so that the values line up, and the
// value; an empty value leaves no trailing blanks.
void WriteRow(std::ostream& out, std::string_view label, std::string_view value) {
  constexpr std::size_t kLabelWidth = 13;
  std::string row(label);
  if (!value.empty()) {
    row.append(row.size() < kLabelWidth ? kLabelWidth - row.size() : 2, ' ');
    row += EscapeForLine(value);
  }
  out << row << '\n';
}

void WriteText(std::ostream& out, const Recognition& item, Language language) {
  const RuleRecord& record = *item.record;
  WriteRow(out, "line", item.line);
  WriteRow(out, "status",
           std::to_string(record.Status) + " " + std::string(StatusName(record.Status, language)));
  if (IsRecord(record.Status)) {
    WriteRow(out, "source", ValToIP(record.SrcAddr) + " " + ValToIP(record.SrcMask));
    WriteRow(out, "destination", ValToIP(record.DstAddr) + " " + ValToIP(record.DstMask));
    std::string values;
    for (const OptionValues::Entry& entry : record.Values.Entries()) {
      if (!values.empty()) values += ' ';
      values += SlotKey(entry) + "=" + entry.text;
    }
    WriteRow(out, "values", values.empty() ? "-" : values);
  }
  if (!item.templateError.empty()) {
    WriteRow(out, StatusName(StatusTemplateError, language), item.templateError);
  }
  if (!item.parameterError.empty()) {
    WriteRow(out, texts::kParameterErrorLabel.In(language), item.parameterError);
  }
}

class RecognizeCommand final : public Command {
 public:
  std::string_view Name() const override { return "recognize"; }

  std::string_view Description() const override {
    return "Recognise lines with the rule template and show what was read";
  }

  void RegisterOptions(CLI::App& subcommand) override {
    templateOption_ =
        subcommand
            .add_option("--template", templatePath_,
                        "Use this rule template instead of the built-in one (one template line "
                        "per text line)")
            ->type_name("FILE");
    linesOption_ = subcommand
                       .add_option("LINE", lines_,
                                   "Lines to recognise; without any, lines are read from standard "
                                   "input. Put -- before a "
                                   "line that starts with -")
                       ->type_name("");
  }

  int Run(const CommandContext& context) override {
    std::optional<LineRecognizer> recognizer;
    if (templateOption_->count() > 0) {
      recognizer.emplace(SplitLines(ReadFileText(templatePath_, "--template file")));
    } else {
      recognizer.emplace();
    }
    const std::vector<std::string> inputs =
        linesOption_->count() > 0 ? lines_ : SplitLines(ReadStreamText(context.in, "lines"));

    const GlobalOptions& globals = context.globals;
    recognizer->EmptyCache(inputs.size());
    Json array = Json::array();
    bool first = true;
    for (const std::string& input : inputs) {
      Recognition item;
      item.line = SpaceCompress(input);
      if (!item.line.empty() && item.line.front() == ' ') item.line.erase(0, 1);
      item.record = recognizer->Recognize(item.line, globals.check);
      item.templateError = recognizer->TemplateError();
      item.parameterError = recognizer->ParameterError();
      if (globals.json) {
        array.push_back(ToJson(item));
      } else {
        if (!first) context.out << '\n';
        WriteText(context.out, item, globals.check.TextLanguage);
        first = false;
      }
    }
    if (globals.json) WriteJson(context.out, context.err, array);
    return kExitOk;
  }

 private:
  std::string templatePath_;
  std::vector<std::string> lines_;
  CLI::Option* templateOption_ = nullptr;
  CLI::Option* linesOption_ = nullptr;
};

}  // namespace

std::unique_ptr<Command> MakeRecognizeCommand() { return std::make_unique<RecognizeCommand>(); }

}  // namespace kerbwise::cli
