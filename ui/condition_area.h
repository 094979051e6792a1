#pragma once

#include <QWidget>

class QPlainTextEdit;
class QSlider;

namespace kerbwise::ui {

class ConditionPane;

// The caret gauge, the verdict strip and the condition pane side by side.
// The strip's text area and the gauge are fitted to the pane's text area on
// every resize, so that the strip's lines and the gauge's positions face the
// pane's visible lines.
class ConditionArea : public QWidget {
  Q_OBJECT

 public:
  ConditionArea(ConditionPane* pane, QPlainTextEdit* verdictStrip, QSlider* caretGauge,
                QWidget* parent = nullptr);

  void FitCaretGauge();
  void FitVerdictStrip();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ConditionPane* pane_;
  QPlainTextEdit* verdictStrip_;
  QSlider* caretGauge_;
};

}  // namespace kerbwise::ui
