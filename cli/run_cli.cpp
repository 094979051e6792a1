#include "run_cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <istream>
#include <ostream>

#include "command.h"
#include "commands.h"

namespace kerbwise::cli {
namespace {

constexpr const char* kGlobalGroup = "Global options";

// The global options as one parser (the program's or a command's) saw them.
struct GlobalFlags {
  bool netmask = false;
  bool json = false;
  std::string lang;  // empty when not given
};

// The global options are added to the program and to every command, so they
// may stand on either side of the command name; Merge joins the two sets.
void AddGlobalFlags(CLI::App& app, GlobalFlags& flags) {
  app.add_flag("--netmask", flags.netmask, "Masks are netmasks (default: wildcard masks)")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->group(kGlobalGroup);
  app.add_option("--lang", flags.lang, "Language of names and messages (default: en)")
      ->type_name("LANG")
      ->check(CLI::IsMember({"en", "ru"}))
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->group(kGlobalGroup);
  app.add_flag("--json", flags.json, "Write one JSON document instead of text")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
      ->group(kGlobalGroup);
}

// A flag set on either side counts; a --lang after the command name wins.
GlobalOptions Merge(const GlobalFlags& before, const GlobalFlags& after) {
  GlobalOptions options;
  options.check.MaskType = before.netmask || after.netmask ? MaskForm::Netmask : MaskForm::Wildcard;
  const std::string& lang = after.lang.empty() ? before.lang : after.lang;
  options.check.TextLanguage = lang == "ru" ? Language::Russian : Language::English;
  options.json = before.json || after.json;
  return options;
}

// A message cut to one line: line breaks become blanks, trailing blanks go.
std::string OneLine(std::string_view message) {
  std::string line(message);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

int ReportError(std::ostream& err, std::string_view kind, std::string_view message, int status) {
  err << kProgramName << ": " << kind << ": " << OneLine(message) << '\n';
  return status;
}

int Dispatch(std::vector<std::string> args, std::istream& in, std::ostream& out,
             std::ostream& err) {
  CLI::App app("Analyses extended IPv4 access lists.", std::string(kProgramName));
  app.set_version_flag("--version", KERBWISE_VERSION);
  app.require_subcommand(0, 1);
  app.footer(
      "Global options may stand before or after the command name.\n"
      "Exit status: 0 when the command ran; 2 for an error of use or input,\n"
      "also when a line could not be compared or read (check, compare, analyze,\n"
      "shadowed, redundant, diff) or no commands could be produced (sort\n"
      "--commands); 1 when the output could not be written (check: also when a\n"
      "condition is blocked; sort --check-order: when the new order changes what\n"
      "the list does; diff: when the two lists differ; shadowed: when some entry\n"
      "is shadowed or matches no packet; redundant: when some entry can go).");

  GlobalFlags before;
  AddGlobalFlags(app, before);

  const std::vector<std::unique_ptr<Command>> commands = RegisterCommands();
  std::vector<GlobalFlags> after(commands.size());  // sized once: the parsers keep pointers
  std::vector<CLI::App*> subcommands;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    CLI::App* subcommand = app.add_subcommand(std::string(commands[i]->Name()),
                                              std::string(commands[i]->Description()));
    AddGlobalFlags(*subcommand, after[i]);
    commands[i]->RegisterOptions(*subcommand);
    subcommands.push_back(subcommand);
  }

  std::reverse(args.begin(), args.end());  // CLI11 takes the arguments last first
  try {
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion&) {
    out << kProgramName << ' ' << KERBWISE_VERSION << '\n';
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    return ReportError(err, "error", error.what(), kExitUsage);
  }

  const auto chosen = std::find_if(subcommands.begin(), subcommands.end(),
                                   [](const CLI::App* subcommand) { return subcommand->parsed(); });
  if (chosen == subcommands.end()) {
    err << app.help();
    return kExitUsage;
  }
  const std::size_t index = static_cast<std::size_t>(chosen - subcommands.begin());
  const GlobalOptions globals = Merge(before, after[index]);
  const int status = commands[index]->Run(CommandContext{globals, in, out, err});
  out.flush();
  if (!out) return ReportError(err, "error", "cannot write the output", kExitFailure);
  return status;
}

}  // namespace

int RunCli(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
  try {
    return Dispatch(std::move(args), in, out, err);
  } catch (const UsageError& error) {
    return ReportError(err, "error", error.what(), kExitUsage);
  } catch (const std::exception& error) {
    return ReportError(err, "internal error", error.what(), kExitFailure);
  }
}

}  // namespace kerbwise::cli
