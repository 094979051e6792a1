#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "intake/found_lists.h"
#include "text/language.h"

class QDialogButtonBox;
class QTableWidget;

namespace kerbwise::ui {

// Asks which of the lists of one paste to work on: a row per list with its
// name, kind and entry count. The first extended list is chosen at first (the
// first standard one when there is none); lists that are not read (IPv6, MAC,
// ...) are shown as such and cannot be chosen.
class ListChooser : public QDialog {
  Q_OBJECT

 public:
  ListChooser(const std::vector<FoundList>& lists, Language language, QWidget* parent);

  // Opens the chooser modally: the name of the list chosen, or none when the
  // user cancels (or no list can be chosen).
  static std::optional<std::string> Choose(const std::vector<FoundList>& lists, Language language,
                                           QWidget* parent);

  // Test hook: while set, Choose shows the chooser non-modally, calls the
  // hook with it and then cancels it unless the hook accepted it.
  using ShowHook = std::function<void(ListChooser&)>;
  static void SetShowHook(ShowHook hook);

  // The list of the selected row; none when no row is selected.
  std::optional<std::string> Chosen() const;

 private:
  void Preselect();
  void UpdateOk();

  std::vector<FoundList> lists_;
  QTableWidget* table_;
  QDialogButtonBox* buttons_;
};

}  // namespace kerbwise::ui
