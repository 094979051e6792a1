#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "intake/normalize_acl.h"

class QWidget;

namespace kerbwise::ui {

// Answers the core's yes/no questions with message boxes over a window.
class DialogAnswers : public AnswerSource {
 public:
  explicit DialogAnswers(QWidget* parent) : parent_(parent) {}
  bool Ask(const YesNoQuestion& question) override;

 private:
  QWidget* parent_;
};

// The core keeps text as UTF-8 std::string with carriage returns between
// paragraphs; a message box wants a QString with line feeds.
QString FromCore(std::string_view text);
QStringList FromCoreLines(const std::vector<std::string>& lines);
std::string ToCore(const QString& text);

}  // namespace kerbwise::ui
