#include "condition_pane.h"

#include <QKeyEvent>
#include <QPainter>

namespace kerbwise::ui {

ConditionPane::ConditionPane(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("conditionPane");
  setLineWrapMode(QPlainTextEdit::NoWrap);
  // The caret line is underlined on every move, not only on edits.
  connect(this, &QPlainTextEdit::cursorPositionChanged, viewport(), qOverload<>(&QWidget::update));
}

void ConditionPane::keyPressEvent(QKeyEvent* event) {
  enterKeys_.Pressed(*event);
  if (IsEnterKey(event->key())) {
    // Only Shift+Enter breaks the line, and into a new condition: the text
    // edit's own Shift+Enter would give a soft break inside the same line.
    if (event->modifiers().testFlag(Qt::ShiftModifier) && !isReadOnly()) {
      textCursor().insertBlock();
      ensureCursorVisible();
    }
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void ConditionPane::keyReleaseEvent(QKeyEvent* event) {
  QPlainTextEdit::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;
  const std::optional<Qt::KeyboardModifiers> enter = enterKeys_.Released(*event);
  emit Released(enter.has_value(), enter.value_or(Qt::NoModifier));
}

void ConditionPane::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit Released(false, Qt::NoModifier);
}

void ConditionPane::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  painter.setPen(QColor(0, 0, 255));
  const int y = cursorRect().bottom() + 1;
  painter.drawLine(1, y, viewport()->width() - 2, y);
}

}  // namespace kerbwise::ui
