#pragma once

#include <QWidget>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "exact_results_source.h"
#include "text/language.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kerbwise::ui {

// The analysis window's exact section: the entries no packet reaches, each
// with the earlier entries that cover it (conflicts first), and the entries
// that can go with their "no" commands. The run goes on the packet worker;
// the section says "working…" until its answer arrives and fills in then.
class ExactResultsView : public QWidget {
  Q_OBJECT

 public:
  explicit ExactResultsView(QWidget* parent = nullptr);
  ~ExactResultsView() override;

  void SetLanguage(Language language);
  // Starts a run over the list pane's lines; the answer of an earlier run
  // that has not arrived yet is dropped.
  void Start(std::vector<std::string> listLines, const CheckOptions& options);
  bool Working() const { return working_; }
  // Whether the last run's answer names an entry no packet reaches or one
  // that can go (false while it works or when it failed).
  bool FoundAny() const;

 signals:
  // A click on an entry (0-based list line) of the section.
  void entryChosen(std::size_t listIndex);
  // The copy button: the "no" commands of the entries that can go, and
  // whether entries made from an object group were left without one.
  void commandsCopied(const std::vector<std::string>& commands, bool zeroNumberedSkipped);
  // The awaited run's answer has arrived and is shown.
  void runEnded();

 private:
  void Show(ExactResults results);
  void Fill();
  void FillUnreached();
  void FillRemovable();
  QTreeWidgetItem* AddSection(const QString& heading);
  QTreeWidgetItem* AddEntry(QTreeWidgetItem* parent, std::size_t index, const QString& mark);
  QString EntryText(std::size_t index) const;

  Language language_ = Language::English;
  QLabel* titleLabel_;
  QLabel* statusLabel_;
  QTreeWidget* tree_;  // the entries no packet reaches, then the entries that can go
  QPlainTextEdit* commandsPane_;
  QPushButton* copyRemovableButton_;

  std::vector<std::string> listLines_;
  std::optional<ExactResults> results_;
  bool working_ = false;
  std::shared_ptr<std::atomic<bool>> dropRun_;  // drops the awaited run
};

}  // namespace kerbwise::ui
