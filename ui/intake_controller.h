#pragma once

#include <QObject>
#include <QPoint>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "intake/normalize_acl.h"
#include "intake/used_objects.h"
#include "presentation/analysis_hits.h"
#include "presentation/intake_messages.h"
#include "rules/check_options.h"
#include "run/run_hooks.h"
#include "text/language.h"

class QAction;
class QCheckBox;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kerbwise::ui {

class BlinkingLabel;
class HitTips;

// The intake of the main window: the arrow button's normalisation run from
// the source and object panes into the list pane, the window caption it
// sets, the controls it makes usable, the object error it reports and the
// Name button's copy menu. When the paste holds several lists it asks which
// one to read, once for the paste. It keeps the list's name, used groups and
// match counters for the windows that show them.
class IntakeController : public QObject {
  Q_OBJECT

 public:
  // The window's widgets the intake reads and writes; the window owns them.
  struct Widgets {
    QWidget* window = nullptr;  // its caption names the list; questions open over it
    QPlainTextEdit* objectPane = nullptr;
    QPlainTextEdit* sourcePane = nullptr;
    QPlainTextEdit* listPane = nullptr;
    QProgressBar* progressBar = nullptr;
    BlinkingLabel* errorLabel = nullptr;
    QPushButton* nameButton = nullptr;
    QPushButton* objectsButton = nullptr;
    QPushButton* analysisButton = nullptr;
    QPushButton* sortButton = nullptr;
    QCheckBox* portsInSetBox = nullptr;
    QPushButton* reflectButton = nullptr;
  };

  IntakeController(const Widgets& widgets, Language language, QObject* parent);

  // Normalises the source pane with `options`; a source of blanks changes
  // nothing, and neither does cancelling the choice of a list. The caller
  // holds the window's list run while it lasts.
  void Normalize(const CheckOptions& options, const ProgressCallback& progress);

  const std::string& AclName() const { return aclName_; }
  ListKind Kind() const { return kind_; }
  const UsedObjects& Used() const { return used_; }
  // How the last run numbered the list's entries.
  Numbering NumberedAs() const { return numberedAs_; }
  // The match counters of `listLines`, the list pane's lines (empty when the
  // list has none or the pane has been edited since).
  HitCounts HitsFor(const std::vector<std::string>& listLines) const;

 signals:
  // Around putting a new list in the list pane: before, with its entries,
  // and after, so that the window can void what described the old one.
  void listReplacing(std::size_t entries);
  void listReplaced();

 private:
  ListControls EnabledControls() const;
  void ApplyEnabled(const ListControls& enabled);
  void ShowObjectError(const NormalizeResult& result);
  // The list of the paste to read: none for the only list (or the default
  // one); cancelled when the user declines to choose.
  struct ListChoice {
    bool Cancelled = false;
    std::string Name;
  };
  ListChoice ChooseList(const std::vector<std::string>& sourceLines,
                        const ProgressCallback& progress);
  void BuildNameMenu();
  void FillNameMenu();

  Widgets widgets_;
  Language language_;
  QMenu* nameMenu_ = nullptr;
  QAction* nameCopyActions_[3] = {};
  std::string aclName_;
  ListKind kind_ = ListKind::Extended;
  UsedObjects used_;
  Numbering numberedAs_ = Numbering::AsWritten;
  HitTips* hitTips_;
  // The list chosen for a paste, asked once: the source text as pasted and as
  // the run wrote it back both keep the choice.
  struct RememberedChoice {
    std::vector<std::string> Pasted;
    std::vector<std::string> Written;
    std::string Name;
  };
  std::optional<RememberedChoice> choice_;
};

}  // namespace kerbwise::ui
