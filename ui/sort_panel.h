#pragma once

#include <QObject>
#include <QPalette>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "intake/found_lists.h"
#include "presentation/sort_text.h"
#include "reorder/key_columns.h"
#include "reorder/order_safety.h"
#include "reorder/sort_acl.h"
#include "rules/check_options.h"
#include "run/run_hooks.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace kerbwise {
class LineRecognizer;
}

namespace kerbwise::ui {

class ResultWindow;
struct PanelMetrics;

// What a sort run reads from the main window when it starts.
struct SortInput {
  std::vector<std::string> ListLines;    // the list pane, each line with its number
  std::vector<std::string> SourceLines;  // the source pane as normalisation left it
  CheckOptions Options;
  std::string AclName;
  ListKind Kind = ListKind::Extended;  // how the commands enter the list
};

// The sort panel of the result window: seven toggles that compose the sort
// key, the boxes "10 20", "{", "OBJ" and the one that keeps remarks with their
// entries, and the CLI button that hands the
// reordering commands to the external editor. Every toggle and box click sorts the list again into
// the text pane; the toggles keep their state for the program's run. When the order shown changes
// what the list does, a line under the text pane says so and offers the pairs of entries behind it,
// and the CLI button asks before it produces commands.
class SortPanel : public QObject {
  Q_OBJECT

 public:
  using InputReader = std::function<SortInput()>;

  // Fills the window's panel. `recognizer` and `readInput` belong to the
  // main window and outlive the panel.
  SortPanel(ResultWindow& window, LineRecognizer& recognizer, InputReader readInput);

  // The main window's Sort button: the window opens under `caption` with the
  // list sorted as the toggles say; "OBJ" is offered only when the list used
  // object groups.
  void Open(const QString& caption, bool canCollapse);

 private:
  void ApplyTexts();
  void ToggleColumn(KeyColumn column);
  // `progress` lets messages through while a long list is sorted and checked.
  SortResult Run(const SortInput& input, const SortOptions& options,
                 const ProgressCallback& progress);
  // Shows at once what the pairwise check finds; when it finds pairs, the
  // exact answer over packet sets is worked out on a thread of its own and
  // takes its place when it comes (the window never waits for it).
  void CheckOrder(const SortInput& input, const SortResult& result,
                  const ProgressCallback& progress);
  void Display();
  void BuildOrderNotice();
  void ShowOrderNotice(OrderChanges changes, Language language);
  // The language of the window the panel sits in.
  Language WindowLanguage() const;
  void ShowOrderChanges();
  void GenerateCommands();
  void SyncToggles();
  void Arrange();
  PanelMetrics Metrics() const;
  bool CollapseActive() const;

  ResultWindow& window_;
  LineRecognizer& recognizer_;
  InputReader readInput_;
  SortColumns columns_;
  std::array<QToolButton*, kKeyColumnCount> toggles_{};
  QCheckBox* numbersBox_;
  QCheckBox* groupBox_;
  QCheckBox* collapseBox_;
  QCheckBox* keepRemarksBox_;  // remarks travel with their entries
  QPushButton* commandsButton_;
  QLabel* orderWarning_;        // lblOrderChange, in the window's notice line
  QPushButton* pairsButton_;    // btnOrderPairs
  OrderChanges shownChanges_;   // what the order shown changes
  bool shownExact_ = true;      // shownChanges_ is the exact answer, not the pairwise one
  std::uint64_t orderRun_ = 0;  // the latest order check; answers of older ones are dropped
  // A sort on a long list lets messages through while it runs: a click then
  // sorts again once it has ended, rather than inside it.
  bool sorting_ = false;
  bool sortAgain_ = false;
  int toggleWidth_ = 0;
  QPalette releasedLook_;  // a toggle that is up
  QPalette pressedLook_;   // a toggle that is down
};

}  // namespace kerbwise::ui
