// What the main window does with real router output: it asks which list of a
// paste to read, and shows the entries' match counters.
#include <QDialogButtonBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QtTest>

#include "list_chooser.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using namespace kerbwise::ui::testing;

namespace {

const QString kTwoLists =
    "Standard IP access list 99\n    10 permit 10.1.1.1\n"
    "Extended IP access list WEB\n    10 permit tcp any any eq www\n"
    "IPv6 access list V6\n    permit ipv6 any any sequence 10\n"
    "Extended IP access list MAIL\n    10 permit tcp any any eq smtp\n    20 deny ip any any\n";
// The list MAIL as the list pane shows it.
const QString kMail = " 10 permit tcp any any eq smtp\n 20 deny ip any any";

// The chooser's rows as "name|kind|entries", an unselectable one marked "-".
QStringList Rows(const ListChooser& chooser) {
  const auto* table = Child<QTableWidget>(chooser, "listTable");
  QStringList rows;
  for (int row = 0; row < table->rowCount(); ++row) {
    QString text = table->item(row, 0)->flags().testFlag(Qt::ItemIsSelectable) ? "" : "-";
    for (int column = 0; column < table->columnCount(); ++column) {
      text += (column > 0 ? "|" : "") + table->item(row, column)->text();
    }
    rows << text;
  }
  return rows;
}

// Pastes `text` and presses the arrow button; `choose` runs while the chooser
// is open. How many times it opened.
int NormalizeChoosing(WindowDriver& driver, const QString& text,
                      const ListChooser::ShowHook& choose) {
  int asked = 0;
  ListChooser::SetShowHook([&](ListChooser& chooser) {
    ++asked;
    choose(chooser);
  });
  driver.Normalize(text);
  ListChooser::SetShowHook(nullptr);
  return asked;
}

// The tooltip the list pane shows over line `line`; empty for none.
QString TipOver(WindowDriver& driver, int line) {
  QPlainTextEdit* pane = driver.Pane("listPane");
  const QTextCursor cursor(pane->document()->findBlockByNumber(line));
  const QPoint at = pane->cursorRect(cursor).center() + QPoint(20, 0);
  QToolTip::hideText();
  if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return "the last tip stays";
  QHelpEvent help(QEvent::ToolTip, at, pane->viewport()->mapToGlobal(at));
  QApplication::sendEvent(pane->viewport(), &help);
  return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace

class PasteListsTest : public QObject {
  Q_OBJECT

 private slots:
  // The first extended list is offered, lists not read cannot be chosen, the
  // choice holds for the paste, a changed paste asks again and Cancel changes
  // nothing.
  void chooserAsksOncePerPaste() {
    WindowDriver driver;
    const int asked = NormalizeChoosing(driver, kTwoLists, [](ListChooser& chooser) {
      QCOMPARE(Rows(chooser), QStringList({"99|standard|1", "WEB|extended|1",
                                           "-V6|IPv6, not read|1", "MAIL|extended|2"}));
      QCOMPARE(chooser.Chosen(), std::optional<std::string>("WEB"));
      auto* table = Child<QTableWidget>(chooser, "listTable");
      QPushButton* ok =
          Child<QDialogButtonBox>(chooser, "chooserButtons")->button(QDialogButtonBox::Ok);
      table->selectRow(2);
      QVERIFY(!chooser.Chosen() && !ok->isEnabled());
      table->selectRow(3);
      ok->click();
    });
    QCOMPARE(asked, 1);
    QCOMPARE(driver.Text("listPane"), kMail);
    QVERIFY(driver.Window().windowTitle().endsWith("MAIL"));

    const auto never = [](ListChooser&) { QFAIL("asked again"); };
    QCOMPARE(NormalizeChoosing(driver, kTwoLists, never), 0);
    QCOMPARE(driver.Text("listPane"), kMail);
    // What the run wrote back into the source pane keeps the choice too.
    QCOMPARE(NormalizeChoosing(driver, driver.Text("sourcePane"), never), 0);

    const QString changed = kTwoLists + "    30 permit udp any any\n";
    QCOMPARE(NormalizeChoosing(driver, changed, [](ListChooser&) {}), 1);  // cancelled
    QCOMPARE(driver.Text("sourcePane"), changed);
    QCOMPARE(driver.Text("listPane"), kMail);
  }

  // A line's counter is its tooltip; a line without one, a list without any
  // and a line edited since show none.
  void hitCountsShowAsTooltips() {
    WindowDriver driver;
    driver.Normalize(
        "Extended IP access list T\n    10 permit tcp any any eq www (12 matches)\n"
        "    20 permit udp any any\n    30 deny ip any any (0 matches)");
    QCOMPARE(TipOver(driver, 0), QString("Hits: 12 (the router's match counter)"));
    QCOMPARE(TipOver(driver, 1), QString());
    QCOMPARE(TipOver(driver, 2), QString("Hits: 0 (the router's match counter)"));

    QTextCursor edit(driver.Pane("listPane")->document()->findBlockByNumber(0));
    edit.insertText("x");
    QCOMPARE(TipOver(driver, 0), QString());
    QCOMPARE(TipOver(driver, 2), QString("Hits: 0 (the router's match counter)"));

    driver.Normalize("permit tcp any any\ndeny ip any any");
    QCOMPARE(TipOver(driver, 0), QString());
  }
};

QTEST_MAIN(PasteListsTest)
#include "paste_lists_test.moc"
