#include "caption_fit.h"

#include <QFontMetrics>
#include <QPushButton>

namespace kerbwise::ui {

void FitToCaption(QPushButton& button) {
  const QFontMetrics metrics = button.fontMetrics();
  button.setMinimumWidth(metrics.horizontalAdvance(button.text()) + metrics.height());
}

}  // namespace kerbwise::ui
