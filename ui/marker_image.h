#pragma once

#include <QPixmap>
#include <QWidget>
#include <vector>

#include "presentation/check_panes.h"

class QFrame;

namespace kerbwise::ui {

// The strip beside the list: a miniature of the whole list with one tick per
// matching line (green permit, red deny, black partial) and a frame over the
// part of the list the number pane shows.
class MarkerImage : public QWidget {
  Q_OBJECT

 public:
  explicit MarkerImage(QWidget* parent = nullptr);

  // Redraws the ticks for a number pane of `lineCount` lines showing
  // `visibleLines` at once. Hides the strip when there are no ticks.
  void ColorizeResult(const std::vector<MarkerTick>& ticks, int lineCount, int visibleLines);
  // Moves the frame to follow the number pane's first visible line.
  void FollowFirstVisibleLine(int firstVisibleLine);

  int DrawnHeight() const { return drawnHeight_; }
  QFrame* ViewFrame() const { return viewFrame_; }
  QColor TickColourAt(int y) const;  // the colour drawn at the middle of row y

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  QFrame* viewFrame_;
  int drawnHeight_ = -1;
  int lineCount_ = 0;
};

}  // namespace kerbwise::ui
