#pragma once

// Finds the main window's controls by their object names, as a user finds
// them by their place, and drives them.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>
#include <memory>

#include "main_window.h"
#include "start_up.h"

namespace kerbwise::ui::testing {

class WindowDriver {
 public:
  explicit WindowDriver(const QStringList& arguments = {}) : window_(StartMainWindow(arguments)) {
    window_->show();
  }

  TForm1& Window() { return *window_; }

  template <typename T = QWidget>
  T* Find(const char* name) {
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
  }
  QPlainTextEdit* Pane(const char* name) { return Find<QPlainTextEdit>(name); }
  QAbstractButton* Button(const char* name) { return Find<QAbstractButton>(name); }
  QAction* Action(const char* name) { return Find<QAction>(name); }
  QString Text(const char* pane) { return Pane(pane)->toPlainText(); }

  void Paste(const char* pane, const QString& text) { Pane(pane)->setPlainText(text); }
  void Click(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
  // Pastes a list (and objects) and presses the arrow button.
  void Normalize(const QString& list, const QString& objects = {}) {
    Paste("Memo4", objects);
    Paste("Memo5", list);
    Click("SpeedButton1");
  }
  void SetCondition(const QString& condition) { Find<QLineEdit>("edt1")->setText(condition); }
  // Puts the condition pane's caret on `line` (0-based).
  void PutCaretOn(int line) {
    QPlainTextEdit* pane = Pane("Memo7");
    QTextCursor cursor(pane->document()->findBlockByNumber(line));
    pane->setTextCursor(cursor);
  }

 private:
  std::unique_ptr<TForm1> window_;
};

}  // namespace kerbwise::ui::testing
