#include "external_editor.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <utility>

#include "message_boxes.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

ExternalEditor::OpenHook& ActiveOpenHook() {
  static ExternalEditor::OpenHook hook;
  return hook;
}

bool OpenWithDesktop(const QString& path) {
  const ExternalEditor::OpenHook& hook = ActiveOpenHook();
  if (hook) return hook(path);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace

ExternalEditor::ExternalEditor(QWidget* owner) : owner_(owner) {}

ExternalEditor::~ExternalEditor() { DeleteLast(); }

void ExternalEditor::SetOpenHook(OpenHook hook) { ActiveOpenHook() = std::move(hook); }

void ExternalEditor::DeleteLast() {
  if (!lastFile_.isEmpty() && QFile::exists(lastFile_)) QFile::remove(lastFile_);
  lastFile_.clear();
}

bool ExternalEditor::OpenInEditor(const QStringList& lines) {
  DeleteLast();
  const QString title = Say(texts::kNotepad, language_);
  const QString path = WriteFile(lines);
  if (path.isEmpty()) {
    Inform(owner_, title,
           Say(texts::kCannotWriteTemporaryFile, language_) +
               QDir::toNativeSeparators(QDir::tempPath()));
    return false;
  }
  lastFile_ = path;
  if (!OpenWithDesktop(path)) {
    Inform(owner_, title,
           Say(texts::kCannotOpenTextFile, language_) + QDir::toNativeSeparators(path));
    return false;
  }
  return true;
}

// Returns the path of the written file, or an empty text when it could not be
// created or written completely (a partly written file is removed).
QString ExternalEditor::WriteFile(const QStringList& lines) {
  // QTemporaryFile creates the file exclusively under a fresh unique name, so
  // no other file can be taken over or overwritten.
  // An unusable TMPDIR gives an empty path, which must not turn into a file
  // in the root folder.
  const QString folder = QDir::tempPath();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return QString();
  QTemporaryFile file(folder + QStringLiteral("/~kerbwise-XXXXXX.txt"));
  file.setAutoRemove(false);
  if (!file.open()) return QString();
  const QString path = file.fileName();
  bool written = true;
  for (const QString& line : lines) {
    const QByteArray bytes = line.toUtf8() + '\n';
    if (file.write(bytes) != bytes.size()) {
      written = false;
      break;
    }
  }
  written = file.flush() && written;
  file.close();
  if (!written || file.error() != QFileDevice::NoError) {
    QFile::remove(path);
    return QString();
  }
  return path;
}

}  // namespace kerbwise::ui
