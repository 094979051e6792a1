#include "condition_area.h"

#include <QEvent>
#include <QFontMetrics>
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
  // The pane's text area takes its size after the pane's; the gauge follows it.
  pane_->viewport()->installEventFilter(this);
}

bool ConditionArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pane_->viewport() && event->type() == QEvent::Resize) FitCaretGauge();
  return QWidget::eventFilter(watched, event);
}

void ConditionArea::resizeEvent(QResizeEvent*) {
  const int paneLeft = kGaugeWidth + kStripWidth;
  verdictStrip_->setGeometry(kGaugeWidth, 0, kStripWidth, height());
  pane_->setGeometry(paneLeft, 0, std::max(width() - paneLeft, 0), height());
  FitCaretGauge();
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
