#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "presentation/analysis_hits.h"
#include "text/language.h"

class QPlainTextEdit;

namespace kerbwise::ui {

// The router's match counters of the list pane's entries: a line's counter
// shows as its tooltip. The counters belong to the lines as normalisation
// wrote them; a line edited since shows none.
class HitTips : public QObject {
  Q_OBJECT

 public:
  HitTips(QPlainTextEdit& listPane, Language language);

  // The counters of `lines`, just written into the pane; empty for a list
  // without counters.
  void SetHits(std::vector<std::string> lines, HitCounts hits);
  // The counters of `listLines` (the pane's lines now): empty when the list
  // has none, or when the pane no longer holds the lines they were given for.
  HitCounts HitsFor(const std::vector<std::string>& listLines) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPlainTextEdit& listPane_;
  Language language_;
  std::vector<std::string> lines_;  // the lines the counters belong to
  HitCounts hits_;
};

}  // namespace kerbwise::ui
