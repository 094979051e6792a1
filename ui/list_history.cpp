#include "list_history.h"

#include <QPlainTextEdit>

#include "text_panes.h"

namespace kerbwise::ui {

ListHistory::ListHistory(QPlainTextEdit& listPane, QObject* parent)
    : QObject(parent), listPane_(listPane) {
  connect(&listPane_, &QPlainTextEdit::textChanged, this, &ListHistory::Edited);
}

void ListHistory::Replacing() {
  replacing_ = true;
  std::vector<std::string> current = PaneCoreLines(listPane_);
  if (!current.empty()) previous_ = std::move(current);
}

void ListHistory::Replaced() {
  replacing_ = false;
  edited_ = false;
  settled_ = PaneCoreLines(listPane_);
}

void ListHistory::Edited() {
  // Only the first keystroke of an edit counts: the list before the edit is
  // the one the last normalisation left.
  if (replacing_ || edited_ || settled_.empty()) return;
  edited_ = true;
  previous_ = settled_;
}

}  // namespace kerbwise::ui
