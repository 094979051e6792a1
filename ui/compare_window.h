#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exact_results_source.h"
#include "rules/check_options.h"
#include "text/phrase.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kerbwise::ui {

// What the Compare window compares the pasted list with, read from the main
// window when it opens.
struct CompareInput {
  std::vector<std::string> CurrentList;   // the list pane's lines
  std::vector<std::string> PreviousList;  // before the last sort or edit; empty for none
  std::vector<std::string> ObjectLines;   // the object pane's, for the pasted list's groups
  CheckOptions Options;
};

// The Compare window: the user pastes another list (the one on the router,
// say) or takes the current list as it was before its last sort or edit, and
// sees the traffic the current list newly permits and newly denies, each with
// example packets and the entry that decides it in either list. The run goes
// on the packet worker; the window says "working…" meanwhile.
class CompareWindow : public QDialog {
  Q_OBJECT

 public:
  explicit CompareWindow(QWidget* parent = nullptr);
  ~CompareWindow() override;

  void SetLanguage(Language language);
  // Opens the window modally over `input`; returns when it closes. The pasted
  // list stays for the next opening.
  void Open(CompareInput input);
  bool Working() const { return working_; }

  // Test hook: while set, Open shows the window non-modally, calls the hook
  // and then closes it.
  using ShowHook = std::function<void(CompareWindow&)>;
  static void SetShowHook(ShowHook hook);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ApplyTexts();
  // The awaited run's answer, if any, will not be read.
  void DropRun();
  void TakePrevious();
  void Compare();
  void Show(ListDiff diff);
  void FillDifference();
  void AddPackets(const Phrase& heading, const std::vector<ExamplePacket>& packets);
  QString EntryText(const std::vector<std::string>& lines, std::optional<std::size_t> entry) const;

  Language language_ = Language::English;
  QLabel* otherLabel_;
  QPlainTextEdit* otherPane_;
  QPushButton* previousButton_;
  QPushButton* runButton_;
  QLabel* statusLabel_;
  QTreeWidget* differenceTree_;
  QPushButton* closeButton_;

  CompareInput input_;
  std::vector<std::string> takenLines_;  // put in the pane by the previous-list button
  std::vector<std::string> otherLines_;  // the normalised other list of the last run
  std::optional<ListDiff> diff_;
  QString statusText_;  // a message of the last run that is not the difference
  bool working_ = false;
  std::shared_ptr<std::atomic<bool>> dropRun_;  // drops the awaited run
};

}  // namespace kerbwise::ui
