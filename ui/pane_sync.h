#pragma once

#include <QObject>

class QLineEdit;
class QPlainTextEdit;
class QSlider;

namespace kerbwise::ui {

class MarkerImage;

// Keeps the list pane and the number pane on the same first line, moves the
// marker image's view frame with the number pane, and lets the condition line,
// the caret gauge and the verdict strip follow the condition pane.
class PaneSync : public QObject {
  Q_OBJECT

 public:
  struct Panes {
    QPlainTextEdit* List;
    QPlainTextEdit* Numbers;
    MarkerImage* Markers;
    QPlainTextEdit* Conditions;
    QPlainTextEdit* VerdictStrip;
    QLineEdit* ConditionLine;
    QSlider* CaretGauge;
  };
  PaneSync(const Panes& panes, QObject* parent);

  // The condition line takes the caret's line and the gauge its position.
  void FollowConditionCaret();
  // Scrolls the verdict strip to the condition pane's first visible line.
  // The strip has a line for each of the pane's and a text area as tall, so
  // it can always follow.
  void AlignVerdictStrip();
  // Scrolls the number pane to the list pane's first line.
  void AlignNumberPane();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ListScrolled();
  void NumbersScrolled();
  void ConditionsScrolled();
  void AlignAfterRelease(QPlainTextEdit* from, QPlainTextEdit* to);

  Panes panes_;
  bool syncing_ = false;  // scrolling one pane from code scrolls the other
};

}  // namespace kerbwise::ui
