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
  replaced_ = PaneCoreLines(listPane_);
}

void ListHistory::Replaced() {
  replacing_ = false;
  edited_ = false;
  settled_ = PaneCoreLines(listPane_);
  // The same list normalised again is no change: the one before stays.
  if (!replaced_.empty() && replaced_ != settled_) previous_ = std::move(replaced_);
  replaced_.clear();
}

void ListHistory::Edited() {
  // Only the first keystroke of an edit counts: the list before the edit is
  // the one the last normalisation left.
  if (replacing_ || edited_ || settled_.empty()) return;
  edited_ = true;
  previous_ = settled_;
}

}  // namespace kerbwise::ui
