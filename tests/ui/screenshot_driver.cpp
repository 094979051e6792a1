// Drives the main window through the bundled example (normalise, check the
// sample conditions) and saves pictures of the main window and of the shown
// result of the first condition: scripts/screenshot runs it under a virtual
// display.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <cstdio>

#include "main_window.h"
#include "result_window.h"
#include "start_up.h"

namespace {

QString ReadExample(const char* name) {
  QFile file(QString(KERBWISE_EXAMPLES_DIR "/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

template <typename T>
T* Control(QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) {
    std::fprintf(stderr, "no control %s\n", name);
    std::exit(2);
  }
  return found;
}

bool Save(QWidget& widget, const QString& path) {
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));

  const auto window = kerbwise::ui::StartMainWindow(arguments);
  window->show();
  int status = 0;
  QTimer::singleShot(300, [&] {
    Control<QPlainTextEdit>(*window, "Memo4")->setPlainText(ReadExample("objects.txt"));
    Control<QPlainTextEdit>(*window, "Memo5")->setPlainText(ReadExample("sample-acl.txt"));
    Control<QAbstractButton>(*window, "SpeedButton1")->click();
    auto* conditions = Control<QPlainTextEdit>(*window, "Memo7");
    conditions->setPlainText(ReadExample("conditions.txt").trimmed());
    conditions->setFocus();
    // Check every sample condition so the verdict strip fills, ending on the first.
    const int count = conditions->document()->blockCount();
    for (int line = count - 1; line >= 0; --line) {
      conditions->setTextCursor(QTextCursor(conditions->document()->findBlockByNumber(line)));
      Control<QLineEdit>(*window, "edt1")
          ->setText(conditions->document()->findBlockByNumber(line).text());
      Control<QAbstractButton>(*window, "Button6")->click();
    }
    QApplication::processEvents();
    if (!Save(*window, outDir + "/main-window.png")) status = 1;
    // The shown result, pictured while the window is open.
    kerbwise::ui::ResultWindow::SetShowHook([&](kerbwise::ui::ResultWindow& result) {
      QApplication::processEvents();
      if (!Save(result, outDir + "/show-result.png")) status = 1;
    });
    Control<QAction>(*window, "N2")->trigger();
    kerbwise::ui::ResultWindow::SetShowHook({});
    QApplication::quit();
  });
  const int loop = QApplication::exec();
  return status != 0 ? status : loop;
}
