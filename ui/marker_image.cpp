#include "marker_image.h"

#include <QFrame>
#include <QPainter>
#include <cmath>

namespace kerbwise::ui {
namespace {

// Halves round to even, as everywhere in the drawing arithmetic.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

QColor ColourOf(TickColour colour) {
  switch (colour) {
    case TickColour::Green:
      return QColor(0, 255, 0);
    case TickColour::Red:
      return QColor(255, 0, 0);
    case TickColour::Black:
      break;
  }
  return QColor(0, 0, 0);
}

}  // namespace

MarkerImage::MarkerImage(QWidget* parent) : QWidget(parent), viewFrame_(new QFrame(this)) {
  setObjectName("markerImage");
  viewFrame_->setObjectName("markerFrame");
  viewFrame_->setFrameShape(QFrame::Box);
  viewFrame_->setFrameShadow(QFrame::Raised);
  viewFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
  viewFrame_->hide();
  setFixedWidth(10);
  hide();
}

void MarkerImage::ColorizeResult(const std::vector<MarkerTick>& ticks, int lineCount,
                                 int visibleLines) {
  if (ticks.empty()) {
    viewFrame_->hide();
    hide();
    return;
  }
  const int w = std::max(width(), 3);
  const int h = std::max(height(), 3);
  const int n = std::max(lineCount, 1);
  lineCount_ = n;
  picture_ = QPixmap(w, h);
  picture_.fill(palette().color(QPalette::Window));
  QPainter painter(&picture_);
  painter.fillRect(QRect(QPoint(1, 1), QPoint(w / 2 - 1, h - 2)), QColor(128, 128, 128));
  painter.fillRect(QRect(QPoint(w / 2, 1), QPoint(w - 2, h - 2)), QColor(192, 192, 192));
  // Drawn from the last up, so that where ticks overlap the earlier line shows.
  for (auto tick = ticks.rbegin(); tick != ticks.rend(); ++tick) {
    const int y = RoundEven(static_cast<double>(tick->Index) / n * (h - 2));
    painter.fillRect(QRect(QPoint(1, y - 1), QPoint(w - 2, y)), ColourOf(tick->Colour));
  }
  painter.end();
  drawnHeight_ = height();

  const double frameHeight = static_cast<double>(visibleLines) * (h - 1) / n;
  viewFrame_->setGeometry(0, 1, w, RoundEven(frameHeight));
  viewFrame_->setVisible(frameHeight < h - 1);
  show();
  update();
}

void MarkerImage::FollowFirstVisibleLine(int firstVisibleLine) {
  if (!viewFrame_->isVisible() || lineCount_ <= 0) return;
  const int top = RoundEven(static_cast<double>(firstVisibleLine) / lineCount_ * height()) + 1;
  viewFrame_->move(0, top);
}

QColor MarkerImage::TickColourAt(int y) const {
  if (picture_.isNull()) return {};
  return picture_.toImage().pixelColor(width() / 2, y);
}

void MarkerImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

}  // namespace kerbwise::ui
