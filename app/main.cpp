// The desktop program: Qt takes its own arguments first, the rest are the
// program's start switches.
#include <QApplication>
#include <QStringList>

#include "main_window.h"
#include "start_up.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);  // removes the arguments Qt understands from argv
  QApplication::setApplicationName("Kerbwise");
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
  const auto window = kerbwise::ui::StartMainWindow(arguments);
  window->show();
  return QApplication::exec();
}
