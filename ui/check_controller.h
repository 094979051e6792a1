#pragma once

#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "check/check_condition.h"
#include "check/checked_conditions.h"
#include "presentation/result_colour.h"
#include "text/language.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPoint;

namespace kerbwise::ui {

class MarkerImage;
class PaneSync;

// The main window's check area: shows a check's result in the number pane,
// the marker image, the result line and the verdict strip, keeps the verdicts
// of the conditions checked, and copies or lists the matching lines. The
// window starts the checks; this keeps what they found.
class CheckController : public QObject {
  Q_OBJECT

 public:
  struct Widgets {
    QPlainTextEdit* List;
    QPlainTextEdit* Numbers;
    MarkerImage* Markers;
    QPlainTextEdit* Conditions;
    QPlainTextEdit* VerdictStrip;
    QPlainTextEdit* ResultLine;
    QMenu* ResultMenu;  // opened on the number pane and the result line
    QAction* ShowResult;
    QAction* CopyResult;
    PaneSync* Sync;
  };
  CheckController(const Widgets& widgets, QObject* parent);

  // Shows a check made over `listLines`, the list pane's lines, and
  // remembers its verdict.
  void Show(CheckResult result, const std::vector<std::string>& listLines, Language language);
  void SetResultLine(const std::vector<std::string>& lines, ResultColour colour);
  // Forgets the last check's markers, as when the number pane shows something else.
  void ForgetMarkers();
  // Forgets the markers and every verdict, as when the list is replaced.
  void ClearResults();
  // The verdict strip catches up with edits of the condition pane.
  void RefreshVerdictsIfOutOfDate();

  void CopyResult();
  // The matching lines of the last check with the legend under them.
  std::vector<std::string> ResultWithLegend(Language language) const;
  std::optional<CheckDirection> LastDirection() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ColorizeResult();
  void RefreshVerdicts();
  void ListPaneChanged();
  void OpenResultLineMenu(const QPoint& position);

  Widgets widgets_;
  std::optional<CheckResult> lastCheck_;  // what the number pane and the markers show
  CheckedConditions checked_;
  bool stripOutOfDate_ = false;  // the condition pane changed since the strip was drawn
};

}  // namespace kerbwise::ui
