#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace kerbwise::ui {

// Hands text to the user's editor for ".txt" files. The text goes into one
// temporary file of our own (created exclusively, readable by the user
// only); the previous file is deleted before a new one is written, and the
// last one when the owner calls DeleteLast or the editor is destroyed, so
// that nothing stays behind in the temporary folder.
class ExternalEditor {
 public:
  // `owner` parents the message boxes that report a failure.
  explicit ExternalEditor(QWidget* owner);
  ~ExternalEditor();
  ExternalEditor(const ExternalEditor&) = delete;
  ExternalEditor& operator=(const ExternalEditor&) = delete;

  // Language of the failure messages.
  void SetRussian(bool russian) { russian_ = russian; }

  // Deletes the previous file, writes `lines` one per line (UTF-8) into a new
  // file and asks the desktop to open it; nothing waits for the editor.
  // Returns false, after saying why in a message box, when the file cannot be
  // written or opened.
  bool OpenInEditor(const QStringList& lines);

  // Deletes the file written last, if it still exists.
  void DeleteLast();

  // The file written last; empty before the first use and after DeleteLast.
  const QString& LastFile() const { return lastFile_; }

  // Test hook: while set, replaces the desktop's "open" step; it receives the
  // file's path and says whether opening succeeded.
  using OpenHook = std::function<bool(const QString& path)>;
  static void SetOpenHook(OpenHook hook);

 private:
  QString WriteFile(const QStringList& lines);

  QWidget* owner_;
  bool russian_ = false;
  QString lastFile_;
};

}  // namespace kerbwise::ui
