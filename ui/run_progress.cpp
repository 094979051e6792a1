#include "run_progress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

#include "run/progress_pacer.h"

namespace kerbwise::ui {

ProgressCallback HandleMessagesDuringRun(QProgressBar* bar) {
  QElapsedTimer sinceMessages;
  sinceMessages.start();
  return [shown = QPointer<QProgressBar>(bar), sinceMessages](int percent) mutable {
    if (shown) shown->setValue(percent);
    // A run shorter than that lets nothing in: a click cannot land inside it.
    if (sinceMessages.elapsed() < kProgressInterval.count()) return;
    QApplication::processEvents();
    sinceMessages.restart();
  };
}

}  // namespace kerbwise::ui
