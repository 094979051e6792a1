#include "hit_tips.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "dialog_answers.h"
#include "text_panes.h"
#include "window_texts.h"

namespace kerbwise::ui {

HitTips::HitTips(QPlainTextEdit& listPane, Language language)
    : QObject(&listPane), listPane_(listPane), language_(language) {
  listPane_.viewport()->installEventFilter(this);
}

void HitTips::SetHits(std::vector<std::string> lines, HitCounts hits) {
  const bool any = std::any_of(hits.begin(), hits.end(),
                               [](const std::optional<std::uint64_t>& count) { return count; });
  if (!any || hits.size() != lines.size()) {
    lines_.clear();
    hits_.clear();
    return;
  }
  lines_ = std::move(lines);
  hits_ = std::move(hits);
}

HitCounts HitTips::HitsFor(const std::vector<std::string>& listLines) const {
  return listLines == lines_ ? hits_ : HitCounts{};
}

bool HitTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip || hits_.empty())
    return QObject::eventFilter(watched, event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QTextCursor cursor = listPane_.cursorForPosition(help->pos());
  const QTextBlock block = cursor.block();
  const auto line = static_cast<std::size_t>(block.blockNumber());
  // Only a line the mouse is really on, not the last one below the text.
  const QRect caret = listPane_.cursorRect(cursor);
  const bool onLine = help->pos().y() >= caret.top() && help->pos().y() <= caret.bottom();
  if (onLine && line < hits_.size() && hits_[line] && ToCore(block.text()) == lines_[line]) {
    QToolTip::showText(help->globalPos(),
                       Say(texts::kHitsTip, language_).arg(QString::number(*hits_[line])),
                       listPane_.viewport());
  } else {
    QToolTip::hideText();
  }
  return true;
}

}  // namespace kerbwise::ui
