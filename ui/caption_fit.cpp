#include "caption_fit.h"

#include <QFontMetrics>
#include <QPushButton>

namespace kerbwise::ui {

void FitToCaption(QPushButton& button) {
  const QFontMetrics metrics = button.fontMetrics();
  const int clearance = metrics.horizontalAdvance(QLatin1Char('M'));
  button.setMinimumWidth(metrics.horizontalAdvance(button.text()) + 2 * clearance);
}

}  // namespace kerbwise::ui
