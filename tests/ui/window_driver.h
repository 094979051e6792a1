#pragma once

// Finds the main window's controls by their object names, as a user finds
// them by their place, and drives them.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>
#include <memory>

#include "main_window.h"
#include "start_up.h"

namespace kerbwise::ui::testing {

// A file of the bundled examples folder.
inline QString ReadExample(const char* name) {
  QFile file(QString(KERBWISE_EXAMPLES_DIR "/") + name);
  if (!file.open(QIODevice::ReadOnly)) qFatal("missing example %s", name);
  return QString::fromUtf8(file.readAll());
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
  // Runs the direct check of `condition` from the condition line's button.
  void Check(const QString& condition) {
    SetCondition(condition);
    Click("Button6");
  }
  void Press(const char* control, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(Find(control), key, modifiers);
  }
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
