// Drives the main window through the bundled example (normalise, check the
// sample conditions) and saves pictures of the main window and of the shown
// result of the first condition: scripts/screenshot runs it under a virtual
// display.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "result_window.h"
#include "window_driver.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace kerbwise::ui;
  QApplication app(argc, argv);
  const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));

  testing::WindowDriver driver(arguments);
  int status = 0;
  QTimer::singleShot(300, [&] {
    driver.Normalize(testing::ReadExample("sample-acl.txt"), testing::ReadExample("objects.txt"));
    QPlainTextEdit* conditions = driver.Pane("Memo7");
    conditions->setPlainText(testing::ReadExample("conditions.txt").trimmed());
    conditions->setFocus();
    // Check every sample condition so the verdict strip fills, ending on the first.
    for (int line = conditions->document()->blockCount() - 1; line >= 0; --line) {
      driver.PutCaretOn(line);
      driver.Check(conditions->document()->findBlockByNumber(line).text());
    }
    QApplication::processEvents();
    if (!Save(driver.Window(), outDir + "/main-window.png")) status = 1;
    // The shown result, pictured while the window is open.
    ResultWindow::SetShowHook([&](ResultWindow& result) {
      QApplication::processEvents();
      if (!Save(result, outDir + "/show-result.png")) status = 1;
    });
    driver.Action("N2")->trigger();
    ResultWindow::SetShowHook({});
    QApplication::quit();
  });
  const int loop = QApplication::exec();
  return status != 0 ? status : loop;
}
