#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_result.h"
#include "analysis/report_commands.h"
#include "presentation/analysis_hits.h"
#include "presentation/analysis_related.h"
#include "rules/check_options.h"
#include "run/run_hooks.h"

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QSplitter;
class QPlainTextEdit;

namespace kerbwise::ui {

class ExactResultsView;

// The analysis window: the report of redundant and conflicting
// entries in the upper pane, the lines related to the selected one in the
// lower pane, coloured by group, and the commands that copy lines as they
// stand or as "no " commands. The core builds every line, style, colouring
// and command; this window shows them, maps line indexes to its panes'
// positions and routes the keys, clicks and menus. The blinking title of a
// conflicts-only report is the window's own.
class AnalysisWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AnalysisWindow(QWidget* parent = nullptr);
  ~AnalysisWindow() override;

  // Language of the window's own texts; the main window calls it whenever it
  // becomes active. The texts are also renewed when this window becomes active.
  void SetLanguage(Language language);
  Language TextLanguage() const { return language_; }

  // Empties both panes (an analysis starts).
  void Clear();

  // Shows the report of `result` and opens the window modally; returns when
  // it closes. A conflicts-only report makes the title blink while it is open.
  // Lines `marks` marks carry their mark.
  void ShowReport(AnalysisResult result, HitMarks marks = {});
  // ShowReport in two steps: fill the panes now, open the window later.
  // `progress` hears how much of the report is in, and may let messages
  // through while a long one goes in.
  void SetReport(AnalysisResult result, HitMarks marks = {}, const ProgressCallback& progress = {});
  void Open();
  // Starts the exact section's run over the list pane's lines; the section
  // fills in when it ends, whether or not the window is open by then.
  void StartExactRun(std::vector<std::string> listLines, const CheckOptions& options);

  // The report as the window holds it now (hiding a group rewrites it); its
  // lines' entries are in the report pane, not here.
  const AnalysisResult& Report() const { return report_; }
  std::ptrdiff_t SelectedLine() const { return selectedLine_; }
  bool ExactRunWorking() const;
  // The exact run has ended and names an entry no packet reaches or one that can go.
  bool ExactRunFoundAny() const;
  bool DontNotify() const { return dontNotify_; }
  bool TitleBlinking() const { return blinkTimer_.isActive(); }

  // Test hook: while set, ShowReport fills the window, shows it non-modally,
  // calls the hook with the window and then closes it as the Close button
  // would (so the hook can read or press anything).
  using ShowHook = std::function<void(AnalysisWindow&)>;
  static void SetShowHook(ShowHook hook);

 signals:
  // An entry (0-based list line) was chosen in the exact section.
  void listEntryChosen(std::size_t listIndex);
  // The exact section's run has ended and its answer is shown.
  void exactRunEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 public slots:
  // Every way of closing ends here: the blinking title stops.
  void done(int result) override;

 private:
  void ApplyTexts();
  // Fills the report pane with the report's lines, each as `textOf` gives it.
  void FillReportPane(const std::function<QString(std::size_t)>& textOf,
                      const ProgressCallback& progress = {});
  // Report line `line` as both panes show it, with its hit mark, and the
  // length of that mark (the group colours leave it out).
  QString LineText(std::size_t line) const;
  std::size_t MarkLength(std::size_t line) const;
  // The list line report line `line` shows, read back from the pane.
  std::string EntryOf(std::size_t line) const;
  // Runs `command` over the report with the entries of `lines` put back for
  // it: the report pane holds the report's text, so the window holds it once.
  template <typename Command>
  auto WithEntries(const std::vector<std::size_t>& lines, Command command);
  void ShowRelatedLines(bool forceRefresh);
  void ShowRelated(const RelatedView& view, std::optional<std::size_t> previousLine);
  void ScrollReportToRelated();
  void OpenReportMenu(const QPoint& position);
  void CopyReportAll();
  void CopyRelatedAll();
  void CopyAllAndClose();
  void CopyNoFromReport(CopyNoMode mode);
  void CopyNoFromRelated();
  void PutNoCommands(const CopyNoResult& copied);
  // The report lines of the related lines `relatedLines` (0-based).
  std::vector<std::size_t> ReportLinesOf(const std::vector<std::size_t>& relatedLines) const;
  // The report lines of every related line, in the related pane's order.
  std::vector<std::size_t> AllRelatedReportLines() const;
  void HideDerived();
  void BlinkTick();
  void SetRelatedCommandsEnabled(bool enabled);
  void FitPanes();
  // Puts the report's caret on the line of list line `listIndex`, if it has one.
  void GoToEntry(std::size_t listIndex);

  Language language_ = Language::English;
  QPlainTextEdit* reportPane_;
  QPlainTextEdit* relatedPane_;
  QSplitter* splitter_;
  QSplitter* exactSplitter_;  // the panes on the left, the exact section on the right
  ExactResultsView* exactResults_;
  QPushButton* copyAllCloseButton_;
  QCheckBox* hierarchicalBox_;
  QPushButton* closeButton_;

  QMenu* reportMenu_;
  QAction* copyAllAction_;
  QAction* copyNoAction_;
  QAction* copyNoRedundantAction_;
  QAction* copyNoNotDerivedAction_;
  QAction* hideDerivedAction_;
  QMenu* relatedMenu_;
  QAction* relatedCopyAllAction_;
  QAction* relatedCopyNoAction_;

  AnalysisResult report_;
  HitMarks marks_;                             // the list's match counters, none when it has none
  Language paneLanguage_ = Language::English;  // of the hit marks in the report pane
  std::optional<RelatedView> related_;         // what the related pane shows
  std::ptrdiff_t selectedLine_ = -1;
  // Set for the rest of the run: the window lives as long as the main window.
  bool dontNotify_ = false;
  QTimer blinkTimer_;
  int blinkCount_ = 0;
};

}  // namespace kerbwise::ui
