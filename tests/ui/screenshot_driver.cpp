// Drives the main window through the bundled example (normalise, check the
// sample conditions) and saves pictures of the main window at start-up, after
// the checks and at its least size, of the shown
// result of the first condition, of the sort window at two widths with the
// order changes it warns of, and of the analysis window with the lines
// related to a member of two groups and with its exact section filled in,
// of the Compare window with a difference; then, on the real router paste,
// the list chooser, a line's match counter, the analysis report's counter
// marks and a sort that keeps remarks with their entries: scripts/screenshot
// runs it under a virtual display.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "analysis_window.h"
#include "compare_window.h"
#include "exact_results.h"
#include "list_chooser.h"
#include "result_window.h"
#include "window_driver.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

// Lets events through until `done` holds or a few seconds have passed.
template <typename Done>
void AwaitRun(Done done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 50);
  QApplication::processEvents();
}

// The sort window with three key columns on, at a width that holds the sort
// panel in one row and at its least width, where the panel takes two rows;
// then the pairs of entries whose new order changes what the list does.
bool SaveSortWindow(kerbwise::ui::testing::WindowDriver& driver, const QString& outDir) {
  using kerbwise::ui::ResultWindow;
  bool saved = true;
  ResultWindow::SetShowHook([&](ResultWindow& sort) {
    // The order-changes window has no key toggles; its title depends on the language.
    if (sort.findChild<QWidget*>("protoKey") == nullptr) {
      QApplication::processEvents();
      saved = Save(sort, outDir + "/order-changes.png") && saved;
      return;
    }
    for (const char* toggle : {"protoKey", "dstAddrKey", "dstOptKey"}) {
      QTest::mouseClick(sort.findChild<QWidget*>(toggle), Qt::LeftButton);
    }
    const std::pair<int, const char*> shots[] = {{1240, "/sort-wide.png"},
                                                 {sort.minimumWidth(), "/sort-narrow.png"}};
    for (const auto& [width, name] : shots) {
      sort.resize(width, 495);
      QApplication::processEvents();
      saved = Save(sort, outDir + name) && saved;
    }
    QTest::mouseClick(sort.findChild<QWidget*>("pairsButton"), Qt::LeftButton);
  });
  driver.Click("sortButton");
  ResultWindow::SetShowHook({});
  return saved;
}

// Heads with members (one of them in two groups) and, with "ports in set"
// off, a member covered with an incomplete set of ports.
const char* const kAnalysedList =
    "ip access-list extended EDGE\n"
    " permit tcp host 10.0.0.1 any eq 80\n"
    " permit tcp 10.0.0.0 0.0.0.255 any\n"
    " permit tcp any any eq 80\n"
    " permit udp any any range 70 90\n"
    " permit udp host 10.0.0.5 any eq 53\n"
    " permit udp any any range 80 100\n"
    " permit udp 10.0.0.0 0.0.0.255 any\n"
    " permit tcp 10.0.1.0 0.0.0.127 any\n"
    " permit tcp 10.0.1.128 0.0.0.127 any\n"
    " deny tcp 10.0.1.0 0.0.0.255 any eq 443\n"
    " deny tcp 10.0.1.0 0.0.0.255 any eq 443\n";

// The bundled example as the router might still hold it: before web server
// 10.1.0.10 took 443 and with telnet let through.
const char* const kRouterList =
    "ip access-list extended OFFICE-IN\n"
    " 20 permit tcp any host 10.1.0.10 eq www\n"
    " 30 permit tcp any object-group WEB-SERVERS eq 8080\n"
    " 40 permit udp 192.168.0.0 0.0.255.255 host 10.1.0.53 eq domain\n"
    " 50 permit icmp any 10.1.0.0 0.0.255.255 echo\n"
    " 60 permit icmp any 10.1.0.0 0.0.255.255 echo-reply\n"
    " 70 permit tcp any any eq telnet log\n"
    " 80 permit tcp 10.2.0.0/16 any range 1024 65535 established\n"
    " 90 permit ip 172.16.0.0 0.15.255.255 any ttl gt 1 precedence critical\n"
    " 100 deny ip any any log-input\n";

// The Compare window over the bundled example and the router's older list.
bool SaveCompare(kerbwise::ui::testing::WindowDriver& driver, const QString& path) {
  using kerbwise::ui::CompareWindow;
  bool saved = false;
  CompareWindow::SetShowHook([&](CompareWindow& window) {
    window.findChild<QPlainTextEdit*>("otherListPane")->setPlainText(kRouterList);
    QTest::mouseClick(window.findChild<QWidget*>("compareRunButton"), Qt::LeftButton);
    AwaitRun([&] { return !window.Working(); });
    saved = Save(window, path);
  });
  driver.Click("compareButton");
  CompareWindow::SetShowHook({});
  return saved;
}

// Analyses the list and pictures the analysis window after a Ctrl+click on
// the member of two groups: its line comes in two colours, one per group.
bool SaveAnalysis(kerbwise::ui::testing::WindowDriver& driver, const QString& path) {
  using kerbwise::ui::AnalysisWindow;
  bool saved = false;
  AnalysisWindow::SetShowHook([&](AnalysisWindow& window) {
    QApplication::processEvents();
    auto* report = window.findChild<QPlainTextEdit*>("reportPane");
    QTextCursor member(report->document()->findBlockByNumber(0));
    member.setPosition(member.position() + 3);
    QTest::mouseClick(report->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      report->cursorRect(member).center());
    AwaitRun([&] { return !window.findChild<kerbwise::ui::ExactResultsView*>()->Working(); });
    saved = Save(window, path);
    window.resize(window.minimumSize());
    QApplication::processEvents();
    saved = Save(window, QString(path).replace(".png", "-least.png")) && saved;
  });
  driver.Normalize(kAnalysedList);
  driver.Find<QCheckBox>("portsInSetBox")->setChecked(false);
  driver.Click("analysisButton");
  AnalysisWindow::SetShowHook({});
  return saved;
}

// The real router paste with match counters and remarks put into its list
// "sample" (the paste has none); its pim entry is left out, so that the
// analysis runs through, and a copy of entry 250 is added at the end, hit
// although entry 250 covers it.
QString CountedSample(const QString& paste) {
  QStringList lines;
  bool inSample = false;
  int entry = 0;
  for (const QString& line : paste.split('\n')) {
    if (line.startsWith("Extended IP access list")) {
      if (inSample)
        lines << "    670 permit tcp 10.10.37.24 0.0.0.7 host 10.10.5.20 eq 4000 (7 matches)";
      inSample = line.endsWith(" sample");
    }
    if (!inSample || line.startsWith("Extended") || line.contains('(')) {
      if (!line.contains(" pim ")) lines << line;
      continue;
    }
    ++entry;
    if (entry == 3) lines << "    25 remark monitoring from the route reflectors";
    if (entry == 25) lines << "    245 remark application ports";
    lines << line + QString(" (%1 matches)").arg(entry % 5 == 0 ? 0 : entry * 37 % 1000);
  }
  return lines.join('\n');
}

// The desktop on a real router paste: the list chooser, the tooltip with a
// line's match counter, the analysis report's marks and a sort that keeps the
// remarks with their entries.
bool SaveRealPaste(kerbwise::ui::testing::WindowDriver& driver, const QString& outDir) {
  using namespace kerbwise::ui;
  const QString paste = testing::ReadText(KERBWISE_REALWORLD_DIR "/show-access-lists-mixed.txt");
  if (paste.isEmpty()) return false;
  bool saved = true;
  const auto chooseSample = [&](const char* picture) {
    ListChooser::SetShowHook([&, picture](ListChooser& chooser) {
      auto* table = chooser.findChild<QTableWidget*>("listTable");
      for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == "sample") table->selectRow(row);
      }
      QApplication::processEvents();
      if (picture != nullptr) saved = Save(chooser, outDir + picture) && saved;
      chooser.accept();
    });
  };
  chooseSample("/list-chooser.png");
  driver.Normalize(paste);
  chooseSample(nullptr);
  driver.Normalize(CountedSample(paste));
  ListChooser::SetShowHook({});

  // The tooltip is a window of its own: the picture is the screen's.
  QPlainTextEdit* list = driver.Pane("listPane");
  const QTextCursor line(list->document()->findBlockByNumber(1));
  const QPoint at = list->cursorRect(line).center() + QPoint(40, 0);
  QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
  QApplication::sendEvent(list->viewport(), &help);
  QTest::qWait(400);
  const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
  const bool shot = screen.save(outDir + "/hit-tooltip.png");
  std::printf("%s %s\n", shot ? "saved" : "could not save",
              qPrintable(outDir + "/hit-tooltip.png"));
  saved = shot && saved;

  AnalysisWindow::SetShowHook([&](AnalysisWindow& window) {
    QApplication::processEvents();
    saved = Save(window, outDir + "/real-analysis.png") && saved;
  });
  driver.Find<QCheckBox>("portsInSetBox")->setChecked(true);
  driver.Click("analysisButton");
  AnalysisWindow::SetShowHook({});

  ResultWindow::SetShowHook([&](ResultWindow& sort) {
    if (sort.findChild<QWidget*>("protoKey") == nullptr) return;
    for (const char* control : {"dstAddrKey", "keepRemarksBox"}) {
      QTest::mouseClick(sort.findChild<QWidget*>(control), Qt::LeftButton);
    }
    sort.resize(1240, 600);
    QApplication::processEvents();
    saved = Save(sort, outDir + "/sort-keep-remarks.png") && saved;
  });
  driver.Click("sortButton");
  ResultWindow::SetShowHook({});
  return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace kerbwise::ui;
  QApplication app(argc, argv);
  const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));

  testing::WindowDriver driver(arguments);
  int status = 0;
  QTimer::singleShot(300, [&] {
    if (!Save(driver.Window(), outDir + "/start-up.png")) status = 1;
    driver.Normalize(testing::ReadExample("sample-acl.txt"), testing::ReadExample("objects.txt"));
    QPlainTextEdit* conditions = driver.Pane("conditionPane");
    conditions->setPlainText(testing::ReadExample("conditions.txt").trimmed());
    conditions->setFocus();
    // Check every sample condition so the verdict strip fills, ending on the first.
    for (int line = conditions->document()->blockCount() - 1; line >= 0; --line) {
      driver.PutCaretOn(line);
      driver.Check(conditions->document()->findBlockByNumber(line).text());
    }
    QApplication::processEvents();
    if (!Save(driver.Window(), outDir + "/main-window.png")) status = 1;
    // At the least size the result line still holds the verdict and its note.
    const QSize size = driver.Window().size();
    driver.Window().resize(driver.Window().minimumSize());
    QApplication::processEvents();
    if (!Save(driver.Window(), outDir + "/least-size.png")) status = 1;
    driver.Window().resize(size);
    // The shown result, pictured while the window is open.
    ResultWindow::SetShowHook([&](ResultWindow& result) {
      QApplication::processEvents();
      if (!Save(result, outDir + "/show-result.png")) status = 1;
    });
    driver.Action("showResultAction")->trigger();
    ResultWindow::SetShowHook({});
    if (!SaveSortWindow(driver, outDir)) status = 1;
    if (!SaveCompare(driver, outDir + "/compare-window.png")) status = 1;
    if (!SaveAnalysis(driver, outDir + "/analysis-window.png")) status = 1;
    if (!SaveRealPaste(driver, outDir)) status = 1;
    QApplication::quit();
  });
  const int loop = QApplication::exec();
  return status != 0 ? status : loop;
}
