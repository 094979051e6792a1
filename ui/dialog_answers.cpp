#include "dialog_answers.h"

#include <QString>

#include "message_boxes.h"

namespace kerbwise::ui {

QString FromCore(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

QStringList FromCoreLines(const std::vector<std::string>& lines) {
  QStringList converted;
  converted.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) converted.push_back(FromCore(line));
  return converted;
}

std::string ToCore(const QString& text) { return text.toStdString(); }

bool DialogAnswers::Ask(const YesNoQuestion& question) {
  return AskYesNo(parent_, FromCore(question.Title), FromCore(question.Text));
}

}  // namespace kerbwise::ui
