#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "intake/used_objects.h"
#include "text/language.h"

class QFrame;
class QHBoxLayout;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpacerItem;
class QSplitter;

namespace kerbwise::ui {

class ExternalEditor;

// The one secondary text window: a read-only text pane with copy,
// close and external-editor buttons, and for the used object groups a list of
// their names that selects each group's definition in the pane.
class ResultWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ResultWindow(QWidget* parent = nullptr);
  ~ResultWindow() override;

  // Language of the window's own texts; the main window calls it whenever it
  // becomes active. The texts are also renewed when this window becomes active.
  void SetLanguage(Language language);
  Language TextLanguage() const { return language_; }

  // Fills the text pane with the lines and shows the window modally;
  // returns when it closes. The pane's font is the system's fixed-pitch one.
  void ShowText(const QString& caption, const QStringList& lines);

  // The same, with the object list of the used groups shown: the pane
  // holds the used-object text, and choosing a name selects its definition.
  void ShowObjects(const QString& caption, const kerbwise::UsedObjects& used);

  // Opens the window for sorting: the caption, an empty text pane and the
  // sort panel shown; SortPanelOpened lets the panel fill the pane before
  // the window is shown modally.
  void ShowSorting(const QString& caption);

  QPlainTextEdit* TextPane() const { return textPane_; }
  ExternalEditor& Editor() { return *editor_; }

  // The place of the sort panel between the Notepad and Close
  // buttons; empty and hidden unless a caller fills and shows it. Closing the
  // window hides it again. The panel is not in the window's layout: its
  // owner places it (on SortPanelRelaid) and says how much room it needs.
  QFrame* SortPanel() const { return sortPanel_; }
  const QPushButton* NotepadButton() const { return notepadButton_; }
  const QPushButton* CloseButton() const { return closeButton_; }
  // A line under the text pane for what the sort panel has to say about the
  // order it shows; empty and hidden unless its owner fills and shows it.
  // Closing the window hides it again.
  QFrame* SortNotice() const { return sortNotice_; }
  // The upper area ends this many pixels higher than the button row's top
  // (0 when the panel fits in the row).
  void SetUpperAreaLift(int lift);
  // The least gap between the Notepad and Close buttons, for the window's
  // minimum width.
  void SetSortPanelLeastGap(int width);

  // Test hook: while set, the Show* functions fill the window, show it
  // non-modally, call the hook with the window and then close it as the Close
  // button would (so the hook can read or press anything).
  using ShowHook = std::function<void(ResultWindow&)>;
  static void SetShowHook(ShowHook hook);

 signals:
  // ShowSorting is about to show the window.
  void SortPanelOpened();
  // The window became active and renewed its texts.
  void Activated();
  // The window was shown or resized while the sort panel is visible.
  void SortPanelRelaid();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 public slots:
  // Every way of closing ends here: the sort panel and the object list are
  // hidden and the last temporary text file is deleted.
  void done(int result) override;

 private:
  void ApplyTexts();
  void Fill(const QString& caption, const QString& text);
  void Present();
  void CentreOnParent();
  void CopyAllAndClose();
  void SendToEditor();
  void ObjNameSelect();

  Language language_ = Language::English;
  QPlainTextEdit* textPane_;
  QListWidget* objectList_;
  QSplitter* splitter_;
  QPushButton* copyButton_;
  QPushButton* notepadButton_;
  QFrame* sortPanel_;
  QFrame* sortNotice_;
  QPushButton* closeButton_;
  QHBoxLayout* buttonRow_;
  QSpacerItem* upperAreaLift_;
  int sortPanelLeastGap_ = 0;
  std::unique_ptr<ExternalEditor> editor_;

  // What the object list selects: the used-object text and, per list item,
  // the span of its group's definition in that text.
  std::vector<std::string> objectText_;
  std::vector<UsedGroup> objectRecords_;
  bool objectListSized_ = false;
};

}  // namespace kerbwise::ui
