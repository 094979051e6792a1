#pragma once

#include <QPlainTextEdit>

#include "enter_keys.h"

namespace kerbwise::ui {

// The pane of conditions, one per line. Enter without Shift inserts no line
// break (it starts a check instead); a thin blue line underlines the caret's
// line; every key or mouse release is reported so the window can follow the
// caret, an Enter release with the modifiers held when Enter went down.
class ConditionPane : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ConditionPane(QWidget* parent = nullptr);

 signals:
  // `enter` when an Enter stroke ended; `heldWithEnter` are then the
  // modifiers held when it began.
  void Released(bool enter, Qt::KeyboardModifiers heldWithEnter);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  EnterKeyTracker enterKeys_;
};

}  // namespace kerbwise::ui
