#pragma once

#include <QPlainTextEdit>

namespace kerbwise::ui {

// The pane of conditions, one per line. Enter without Shift inserts no line
// break (it starts a check instead); a thin blue line underlines the caret's
// line; every key or mouse release is reported so the window can follow the
// caret.
class ConditionPane : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ConditionPane(QWidget* parent = nullptr);

 signals:
  // key is 0 for a mouse release.
  void Released(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kerbwise::ui
