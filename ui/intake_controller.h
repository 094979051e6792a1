#pragma once

#include <QObject>
#include <QPoint>
#include <cstddef>
#include <string>

#include "intake/used_objects.h"
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

// The intake of the main window: the arrow button's normalisation run from
// the source and object panes into the list pane, the window caption it
// sets, the controls it makes usable, the object error it reports and the
// Name button's copy menu. It keeps the list's name and used groups for the
// windows that show them.
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
  // nothing. The caller holds the window's list run while it lasts.
  void Normalize(const CheckOptions& options, const ProgressCallback& progress);

  const std::string& AclName() const { return aclName_; }
  const UsedObjects& Used() const { return used_; }

 signals:
  // Around putting a new list in the list pane: before, with its entries,
  // and after, so that the window can void what described the old one.
  void listReplacing(std::size_t entries);
  void listReplaced();

 private:
  ListControls EnabledControls() const;
  void ApplyEnabled(const ListControls& enabled);
  void ShowObjectError(const NormalizeResult& result);
  void BuildNameMenu();
  void FillNameMenu();

  Widgets widgets_;
  Language language_;
  QMenu* nameMenu_ = nullptr;
  QAction* nameCopyActions_[3] = {};
  std::string aclName_;
  UsedObjects used_;
};

}  // namespace kerbwise::ui
