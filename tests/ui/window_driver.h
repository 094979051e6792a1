#pragma once

// Finds the windows' controls by their object names, as a user finds them by
// their place, and drives the main window.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>
#include <functional>
#include <memory>

#include "main_window.h"
#include "start_up.h"

namespace kerbwise::ui::testing {

// A text file as UTF-8; empty when it cannot be read.
inline QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A file of the bundled examples folder.
inline QString ReadExample(const char* name) {
  const QString text = ReadText(QString(KERBWISE_EXAMPLES_DIR "/") + name);
  if (text.isEmpty()) qFatal("missing example %s", name);
  return text;
}

// The control of `window` named `name`; a missing one ends the test run.
template <typename T = QWidget>
T* Child(const QObject& window, const QString& name) {
  T* found = window.findChild<T*>(name);
  if (found == nullptr) qFatal("no control named %s", qPrintable(name));
  return found;
}

// Runs `open`; `look` runs while the result or analysis window it shows is
// open, which then closes as its Close button would close it.
template <typename Window>
void WhileShown(const std::function<void()>& open, typename Window::ShowHook look) {
  Window::SetShowHook(std::move(look));
  open();
  Window::SetShowHook(nullptr);
}

inline const QString kWebThenDeny =
    "ip access-list extended WEB-IN\n"
    " 10 permit tcp any any eq 80\n"
    " 20 deny ip any any";

class WindowDriver {
 public:
  explicit WindowDriver(const QStringList& arguments = {}) : window_(StartMainWindow(arguments)) {
    window_->show();
  }

  MainWindow& Window() { return *window_; }

  template <typename T = QWidget>
  T* Find(const char* name) {
    return Child<T>(*window_, QString::fromLatin1(name));
  }
  QPlainTextEdit* Pane(const char* name) { return Find<QPlainTextEdit>(name); }
  QAbstractButton* Button(const char* name) { return Find<QAbstractButton>(name); }
  QAction* Action(const char* name) { return Find<QAction>(name); }
  QString Text(const char* pane) { return Pane(pane)->toPlainText(); }

  void Paste(const char* pane, const QString& text) { Pane(pane)->setPlainText(text); }
  void Click(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
  // Pastes a list (and objects) and presses the arrow button.
  void Normalize(const QString& list, const QString& objects = {}) {
    Paste("objectPane", objects);
    Paste("sourcePane", list);
    Click("normalizeButton");
  }
  void SetCondition(const QString& condition) {
    Find<QLineEdit>("conditionLine")->setText(condition);
  }
  // Runs the direct check of `condition` from the condition line's button.
  void Check(const QString& condition) {
    SetCondition(condition);
    Click("directButton");
  }
  void Press(const char* control, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(Find(control), key, modifiers);
  }
  // Puts the condition pane's caret on `line` (0-based).
  void PutCaretOn(int line) {
    QPlainTextEdit* pane = Pane("conditionPane");
    pane->setTextCursor(QTextCursor(pane->document()->findBlockByNumber(line)));
  }

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace kerbwise::ui::testing
