// recognize: runs lines through the rule template and shows the records.
//
// Text output, one line per input line, fields separated by " | ":
//   <status> <name> | src <addr> <mask> | dst <addr> <mask> | <values> | <line>   status 2, 3, 4
//   <status> <name> | <line>                                                   status 0, 1
// <status> is the code 0-4 and <name> its name in the chosen language. Masks
// are shown in the internal netmask form whatever --netmask says. <values>
// lists the filled slots as side.slot=text separated by blanks, or is "-" when
// none is filled. <line> is the text that was recognised (blanks collapsed,
// one leading blank removed); for an empty line the output ends at the "|".
// A template or parameter error of the line follows on its own line,
// indented by two blanks:
//   "  template error: <message>"   "  parameter error: <message>"
// Backslashes and control characters are escaped (EscapeForLine), so every
// item stays on one output line.
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

void WriteText(std::ostream& out, const Recognition& item, bool russian) {
  const RuleRecord& record = *item.record;
  std::string text =
      std::to_string(record.Status) + " " + std::string(StatusName(record.Status, russian ? Language::Russian : Language::English));
  if (IsRecord(record.Status)) {
    text += " | src " + ValToIP(record.SrcAddr) + " " + ValToIP(record.SrcMask);
    text += " | dst " + ValToIP(record.DstAddr) + " " + ValToIP(record.DstMask);
    text += " |";
    if (record.Values.Entries().empty()) text += " -";
    for (const OptionValues::Entry& entry : record.Values.Entries()) {
      text += " " + SlotKey(entry) + "=" + entry.text;
    }
  }
  text += " |";
  if (!item.line.empty()) text += " " + item.line;
  out << EscapeForLine(text) << '\n';

  if (!item.templateError.empty()) {
    out << "  " << (russian ? "ошибка шаблона: " : "template error: ")
        << EscapeForLine(item.templateError) << '\n';
  }
  if (!item.parameterError.empty()) {
    out << "  " << (russian ? "ошибка параметра: " : "parameter error: ")
        << EscapeForLine(item.parameterError) << '\n';
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
        WriteText(context.out, item, (globals.check.TextLanguage == Language::Russian));
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
