#include "check_controller.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMenu>
#include <QPalette>
#include <QPlainTextEdit>

#include "dialog_answers.h"
#include "marker_image.h"
#include "pane_sync.h"
#include "presentation/check_listing.h"
#include "presentation/check_panes.h"
#include "run_progress.h"
#include "text_panes.h"

namespace kerbwise::ui {
namespace {

QColor ColourOf(ResultColour colour, const QPalette& palette) {
  switch (colour) {
    case ResultColour::LightGreen:
      return QColor(128, 255, 128);
    case ResultColour::LightRed:
      return QColor(255, 128, 128);
    case ResultColour::Tooltip:
      return palette.color(QPalette::ToolTipBase);
    case ResultColour::Workspace:
      break;
  }
  return palette.color(QPalette::Mid);  // the closest to an application workspace
}

}  // namespace

CheckController::CheckController(const Widgets& widgets, QObject* parent)
    : QObject(parent), widgets_(widgets) {
  connect(widgets_.CopyResult, &QAction::triggered, this, &CheckController::CopyResult);
  connect(widgets_.Numbers, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    widgets_.ResultMenu->popup(widgets_.Numbers->mapToGlobal(at));
  });
  connect(widgets_.ResultLine, &QWidget::customContextMenuRequested, this,
          &CheckController::OpenResultLineMenu);
  connect(widgets_.List, &QPlainTextEdit::textChanged, this, &CheckController::ListPaneChanged);
  connect(widgets_.Conditions, &QPlainTextEdit::textChanged, this,
          [this] { stripOutOfDate_ = true; });
  widgets_.Markers->installEventFilter(this);
}

void CheckController::Show(CheckResult result, const std::vector<std::string>& listLines,
                           Language language) {
  widgets_.Numbers->hide();
  SetPaneLines(*widgets_.Numbers, NumberPane(result), HandleMessagesDuringRun());
  widgets_.Numbers->show();
  widgets_.Sync->AlignNumberPane();
  const ResultLine shown = CheckResultLine(result, listLines, language);
  SetResultLine(shown.Lines, shown.Colour);
  checked_.Record(result);
  const bool stopped = result.Outcome == CheckOutcome::Error;
  lastCheck_ = std::move(result);
  ColorizeResult();
  if (!stopped) RefreshVerdicts();
}

void CheckController::SetResultLine(const std::vector<std::string>& lines, ResultColour colour) {
  SetPaneLines(*widgets_.ResultLine, lines);
  QPalette palette = widgets_.ResultLine->palette();
  palette.setColor(QPalette::Base, ColourOf(colour, QApplication::palette()));
  widgets_.ResultLine->setPalette(palette);
}

void CheckController::ForgetMarkers() {
  lastCheck_.reset();
  ColorizeResult();
}

void CheckController::ClearResults() {
  widgets_.Numbers->clear();
  checked_.Clear();
  widgets_.VerdictStrip->clear();
  ForgetMarkers();
}

void CheckController::ColorizeResult() {
  const std::vector<MarkerTick> ticks =
      lastCheck_ ? MarkerTicks(*lastCheck_) : std::vector<MarkerTick>();
  widgets_.ShowResult->setEnabled(!ticks.empty());
  widgets_.CopyResult->setEnabled(!ticks.empty());
  widgets_.Markers->ColorizeResult(ticks, PaneLineCount(*widgets_.Numbers),
                                   VisibleLineCount(*widgets_.Numbers));
  widgets_.Markers->FollowFirstVisibleLine(FirstVisibleLine(*widgets_.Numbers));
}

void CheckController::RefreshVerdictsIfOutOfDate() {
  if (stripOutOfDate_) {
    RefreshVerdicts();
  } else {
    widgets_.Sync->AlignVerdictStrip();
  }
}

void CheckController::RefreshVerdicts() {
  stripOutOfDate_ = false;
  // An emptied pane shows no verdicts but forgets none: a condition typed
  // back in finds its verdict again.
  const std::vector<std::string> conditions = PaneCoreLines(*widgets_.Conditions);
  if (conditions.empty()) {
    widgets_.VerdictStrip->clear();
    return;
  }
  std::vector<std::string> verdicts = VerdictStrip(checked_.Renew(conditions));
  // One strip line for every line of the pane, the empty one after a final
  // line break included, so that both scroll alike.
  if (!verdicts.empty()) {
    verdicts.resize(static_cast<std::size_t>(widgets_.Conditions->document()->blockCount()));
  }
  SetPaneLines(*widgets_.VerdictStrip, verdicts);
  widgets_.Sync->AlignVerdictStrip();
}

void CheckController::ListPaneChanged() {
  // Markers and verdicts describe the list as it was checked; an edited list
  // voids them. The verdict line stays until the next check.
  if (widgets_.CopyResult->isEnabled()) ClearResults();
}

std::vector<std::string> CheckController::ResultWithLegend(Language language) const {
  if (!lastCheck_) return {};
  std::vector<std::string> lines = ResultListing(*lastCheck_, PaneCoreLines(*widgets_.List));
  const std::vector<std::string> legend = ResultLegend(*lastCheck_, language);
  lines.insert(lines.end(), legend.begin(), legend.end());
  return lines;
}

std::optional<CheckDirection> CheckController::LastDirection() const {
  if (!lastCheck_) return std::nullopt;
  return lastCheck_->Direction;
}

void CheckController::CopyResult() {
  if (!lastCheck_) return;
  QString text;
  for (const std::string& line : ResultListing(*lastCheck_, PaneCoreLines(*widgets_.List))) {
    text += FromCore(line) + '\n';
  }
  QApplication::clipboard()->setText(text);
}

void CheckController::OpenResultLineMenu(const QPoint& position) {
  QPlainTextEdit* resultLine = widgets_.ResultLine;
  const QPoint at = resultLine->mapToGlobal(position);
  if (resultLine->textCursor().hasSelection()) {
    QMenu* standard = resultLine->createStandardContextMenu();
    standard->setAttribute(Qt::WA_DeleteOnClose);
    standard->popup(at);
  } else {
    widgets_.ResultMenu->popup(at);
  }
}

bool CheckController::eventFilter(QObject* watched, QEvent* event) {
  // The ticks are drawn for one height; a taller or shorter strip redraws them.
  if (event->type() == QEvent::Resize && watched == widgets_.Markers &&
      !widgets_.Markers->isHidden() &&
      widgets_.Markers->height() != widgets_.Markers->DrawnHeight()) {
    ColorizeResult();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kerbwise::ui
