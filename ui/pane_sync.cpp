#include "pane_sync.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSlider>

#include "marker_image.h"
#include "text_panes.h"

namespace kerbwise::ui {

PaneSync::PaneSync(const Panes& panes, QObject* parent) : QObject(parent), panes_(panes) {
  connect(panes_.List->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &PaneSync::ListScrolled);
  connect(panes_.Numbers->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &PaneSync::NumbersScrolled);
  connect(panes_.Conditions->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &PaneSync::ConditionsScrolled);
  // Whatever moves the strip (new text, a new height, its own scrolling),
  // it returns to the condition pane's first line.
  QScrollBar* strip = panes_.VerdictStrip->verticalScrollBar();
  connect(strip, &QScrollBar::rangeChanged, this, &PaneSync::AlignVerdictStrip);
  connect(strip, &QScrollBar::valueChanged, this, &PaneSync::AlignVerdictStrip);
  for (QPlainTextEdit* pane : {panes_.List, panes_.Numbers}) {
    pane->installEventFilter(this);
    pane->viewport()->installEventFilter(this);
  }
}

void PaneSync::ListScrolled() { AlignNumberPane(); }

void PaneSync::AlignNumberPane() {
  if (syncing_) return;
  syncing_ = true;
  ScrollToLine(*panes_.Numbers, FirstVisibleLine(*panes_.List));
  syncing_ = false;
}

void PaneSync::NumbersScrolled() {
  panes_.Markers->FollowFirstVisibleLine(FirstVisibleLine(*panes_.Numbers));
  if (syncing_) return;
  syncing_ = true;
  ScrollToLine(*panes_.List, FirstVisibleLine(*panes_.Numbers));
  syncing_ = false;
}

void PaneSync::ConditionsScrolled() {
  FollowConditionCaret();
  AlignVerdictStrip();
}

void PaneSync::FollowConditionCaret() {
  panes_.ConditionLine->setText(CaretLineText(*panes_.Conditions));
  panes_.CaretGauge->setValue(CaretLine(*panes_.Conditions) + 1 -
                              FirstVisibleLine(*panes_.Conditions));
}

void PaneSync::AlignVerdictStrip() {
  const int firstLine = FirstVisibleLine(*panes_.Conditions);
  if (FirstVisibleLine(*panes_.VerdictStrip) != firstLine) {
    ScrollToLine(*panes_.VerdictStrip, firstLine);
  }
}

void PaneSync::AlignAfterRelease(QPlainTextEdit* from, QPlainTextEdit* to) {
  if (PaneLineCount(*from) != PaneLineCount(*to)) return;
  if (FirstVisibleLine(*from) == FirstVisibleLine(*to)) return;
  syncing_ = true;
  ScrollToLine(*to, FirstVisibleLine(*from));
  syncing_ = false;
  if (to == panes_.Numbers) {
    panes_.Markers->FollowFirstVisibleLine(FirstVisibleLine(*panes_.Numbers));
  }
}

bool PaneSync::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease) {
    const bool fromList = watched == panes_.List || watched == panes_.List->viewport();
    const bool fromNumbers = watched == panes_.Numbers || watched == panes_.Numbers->viewport();
    if (fromList) AlignAfterRelease(panes_.List, panes_.Numbers);
    if (fromNumbers) AlignAfterRelease(panes_.Numbers, panes_.List);
  }
  return false;
}

}  // namespace kerbwise::ui
