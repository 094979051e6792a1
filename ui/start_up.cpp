#include "start_up.h"

#include "dialog_answers.h"
#include "main_window.h"
#include "message_boxes.h"
#include "shell/start_options.h"

namespace kerbwise::ui {

std::unique_ptr<MainWindow> StartMainWindow(const QStringList& arguments) {
  std::vector<std::string> words;
  words.reserve(static_cast<std::size_t>(arguments.size()));
  for (const QString& argument : arguments) words.push_back(ToCore(argument));
  const StartOptions start = ReadStartOptions(words);

  auto window = std::make_unique<MainWindow>(start.Options);
  if (start.HelpWanted) {
    const StartHelp help = StartOptionsHelp(start.Options.TextLanguage);
    Inform(window.get(), FromCore(help.Title), FromCore(help.Text));
  }
  return window;
}

}  // namespace kerbwise::ui
