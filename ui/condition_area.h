#pragma once

#include <QWidget>

class QPlainTextEdit;
class QSlider;

namespace kerbwise::ui {

class ConditionPane;

// The caret gauge, the verdict strip and the condition pane side by side.
// The gauge is fitted to the pane on every resize so that its positions face
// the pane's visible lines.
class ConditionArea : public QWidget {
  Q_OBJECT

 public:
  ConditionArea(ConditionPane* pane, QPlainTextEdit* verdictStrip, QSlider* caretGauge,
                QWidget* parent = nullptr);

  void FitCaretGauge();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ConditionPane* pane_;
  QPlainTextEdit* verdictStrip_;
  QSlider* caretGauge_;
};

}  // namespace kerbwise::ui
