#include "condition_area.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QSlider>
#include <cmath>

#include "condition_pane.h"

namespace kerbwise::ui {
namespace {

constexpr int kGaugeWidth = 20;
constexpr int kStripWidth = 12;
constexpr int kThumbLength = 16;

int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

ConditionArea::ConditionArea(ConditionPane* pane, QPlainTextEdit* verdictStrip, QSlider* caretGauge,
                             QWidget* parent)
    : QWidget(parent), pane_(pane), verdictStrip_(verdictStrip), caretGauge_(caretGauge) {
  pane_->setParent(this);
  verdictStrip_->setParent(this);
  caretGauge_->setParent(this);
  // The pane's text area takes its size after the pane's (and shrinks when
  // the horizontal scroll bar comes); the strip and the gauge follow it.
  pane_->viewport()->installEventFilter(this);
  verdictStrip_->viewport()->installEventFilter(this);
}

bool ConditionArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pane_->viewport() && event->type() == QEvent::Resize) {
    FitVerdictStrip();
    FitCaretGauge();
  } else if (watched == verdictStrip_->viewport() && event->type() == QEvent::Wheel) {
    // The strip has no scrolling of its own: the wheel scrolls the pane.
    QCoreApplication::sendEvent(pane_->viewport(), event);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ConditionArea::resizeEvent(QResizeEvent*) {
  const int paneLeft = kGaugeWidth + kStripWidth;
  pane_->setGeometry(paneLeft, 0, std::max(width() - paneLeft, 0), height());
  FitVerdictStrip();
  FitCaretGauge();
}

void ConditionArea::FitVerdictStrip() {
  // The strip's text area is exactly as tall as the pane's, not as the whole
  // pane with its horizontal scroll bar: with the same font and as many
  // lines, both can then scroll to the same first line.
  const int frame = verdictStrip_->frameWidth();
  verdictStrip_->setGeometry(kGaugeWidth, pane_->y() + pane_->viewport()->y() - frame, kStripWidth,
                             pane_->viewport()->height() + 2 * frame);
}

void ConditionArea::FitCaretGauge() {
  // Position v of the gauge faces the pane's v-th visible line: the range
  // starts half a line above the pane's text area.
  const double lh = std::max(QFontMetrics(pane_->font()).lineSpacing(), 1);
  const int clientHeight = pane_->viewport()->height();
  const int top = pane_->y() + pane_->viewport()->y() - RoundEven(lh / 2);
  const int maximum = RoundEven(clientHeight / lh) + 1;
  const int gaugeHeight = kThumbLength + RoundEven((maximum - 0.4) * lh) + RoundEven(lh / 2);
  caretGauge_->setMaximum(maximum);
  const int gaugeTop = std::max(top - kThumbLength / 2, 0);
  caretGauge_->setGeometry(0, gaugeTop, kGaugeWidth, std::min(gaugeHeight, height() - gaugeTop));
}

}  // namespace kerbwise::ui
