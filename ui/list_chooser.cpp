#include "list_chooser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "dialog_answers.h"
#include "window_texts.h"

namespace kerbwise::ui {
namespace {

ListChooser::ShowHook& ActiveShowHook() {
  static ListChooser::ShowHook hook;
  return hook;
}

QString KindText(const FoundList& list, Language language) {
  switch (list.Kind) {
    case ListKind::Extended:
      return Say(texts::kExtendedList, language);
    case ListKind::Standard:
      return Say(texts::kStandardList, language);
    case ListKind::Unread:
      return Say(texts::kUnreadList, language).arg(FromCore(list.KindText));
  }
  return {};
}

// The list NormalizeACL takes when it is given no name.
std::optional<std::size_t> DefaultList(const std::vector<FoundList>& lists) {
  for (const ListKind kind : {ListKind::Extended, ListKind::Standard}) {
    for (std::size_t i = 0; i < lists.size(); ++i) {
      if (lists[i].Kind == kind) return i;
    }
  }
  return std::nullopt;
}

}  // namespace

ListChooser::ListChooser(const std::vector<FoundList>& lists, Language language, QWidget* parent)
    : QDialog(parent),
      lists_(lists),
      table_(new QTableWidget(static_cast<int>(lists.size()), 3, this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName(QStringLiteral("listChooser"));
  setWindowTitle(Say(texts::kChooseListTitle, language));
  auto* prompt = new QLabel(Say(texts::kChooseListPrompt, language), this);
  prompt->setObjectName(QStringLiteral("chooserPrompt"));
  prompt->setWordWrap(true);

  table_->setObjectName(QStringLiteral("listTable"));
  table_->setHorizontalHeaderLabels({Say(texts::kListNameColumn, language),
                                     Say(texts::kListKindColumn, language),
                                     Say(texts::kListEntriesColumn, language)});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setShowGrid(false);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const FoundList& list = lists_[i];
    const QString name =
        list.Name.empty() ? Say(texts::kUnnamedList, language) : FromCore(list.Name);
    const QString cells[] = {name, KindText(list, language), QString::number(list.Entries)};
    for (int column = 0; column < 3; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      // A list that is not read is shown, greyed, and cannot be chosen.
      if (list.Kind == ListKind::Unread) item->setFlags(Qt::NoItemFlags);
      table_->setItem(static_cast<int>(i), column, item);
    }
  }
  table_->resizeColumnsToContents();
  // Wide enough for every column; then names take what room there is, kinds
  // and counts keep to their width.
  QHeaderView* header = table_->horizontalHeader();
  const int width = header->length() + 2 * table_->frameWidth() + 48;
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(2, QHeaderView::ResizeToContents);

  buttons_->setObjectName(QStringLiteral("chooserButtons"));
  buttons_->button(QDialogButtonBox::Ok)->setText(Say(texts::kChooseListOk, language));
  buttons_->button(QDialogButtonBox::Cancel)->setText(Say(texts::kCancel, language));
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &ListChooser::UpdateOk);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] {
    if (Chosen()) accept();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(table_, 1);
  layout->addWidget(buttons_);
  Preselect();
  UpdateOk();
  resize(std::max(width, 420), 320);
}

void ListChooser::SetShowHook(ShowHook hook) { ActiveShowHook() = std::move(hook); }

std::optional<std::string> ListChooser::Choose(const std::vector<FoundList>& lists,
                                               Language language, QWidget* parent) {
  ListChooser chooser(lists, language, parent);
  const ShowHook hook = ActiveShowHook();
  if (!hook) {
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return chooser.Chosen();
  }
  chooser.show();
  hook(chooser);
  if (chooser.isVisible()) chooser.reject();
  if (chooser.result() != QDialog::Accepted) return std::nullopt;
  return chooser.Chosen();
}

std::optional<std::string> ListChooser::Chosen() const {
  const QList<QTableWidgetItem*> selected = table_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  const auto row = static_cast<std::size_t>(selected.front()->row());
  if (row >= lists_.size() || lists_[row].Kind == ListKind::Unread) return std::nullopt;
  return lists_[row].Name;
}

void ListChooser::Preselect() {
  if (const std::optional<std::size_t> first = DefaultList(lists_)) {
    table_->selectRow(static_cast<int>(*first));
    table_->setCurrentCell(static_cast<int>(*first), 0);
  }
}

void ListChooser::UpdateOk() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(Chosen().has_value());
}

}  // namespace kerbwise::ui
