#include "commands.h"

namespace kerbwise::cli {

// Each command lives in its own file and is reached only through its factory.
// A new command: its file (listed in CMakeLists.txt), its factory declared
// here and one push_back below.
std::unique_ptr<Command> MakeRecognizeCommand();
std::unique_ptr<Command> MakeNormalizeCommand();
std::unique_ptr<Command> MakeCheckCommand();
std::unique_ptr<Command> MakeCompareCommand();
std::unique_ptr<Command> MakeReflectCommand();
std::unique_ptr<Command> MakeNamesCommand();
std::unique_ptr<Command> MakeSortCommand();
std::unique_ptr<Command> MakeAnalyzeCommand();
std::unique_ptr<Command> MakeDiffCommand();
std::unique_ptr<Command> MakeShadowedCommand();
std::unique_ptr<Command> MakeRedundantCommand();

std::vector<std::unique_ptr<Command>> RegisterCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(MakeRecognizeCommand());
  commands.push_back(MakeNormalizeCommand());
  commands.push_back(MakeCheckCommand());
  commands.push_back(MakeCompareCommand());
  commands.push_back(MakeReflectCommand());
  commands.push_back(MakeNamesCommand());
  commands.push_back(MakeSortCommand());
  commands.push_back(MakeAnalyzeCommand());
  commands.push_back(MakeShadowedCommand());
  commands.push_back(MakeRedundantCommand());
  commands.push_back(MakeDiffCommand());
  return commands;
}

}  // namespace kerbwise::cli
