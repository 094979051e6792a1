// The main window keeps handling its messages while a long run goes on over
// a large list: a timer that should tick every 10 ms never waits long.
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <algorithm>

#include "analysis_window.h"
#include "message_boxes.h"
#include "result_window.h"
#include "synthetic_acl.h"
#include "window_driver.h"

using namespace kerbwise::ui;
using namespace kerbwise::ui::testing;

namespace {

// The longest time a run may keep the window from its messages.
constexpr qint64 kLongestPauseMs = 200;

// Entries enough for each run to last well beyond that.
constexpr std::size_t kEntries = 40000;

QString LargeList(std::size_t entries) {
  std::vector<std::string> lines = kerbwise::testing::SyntheticEntries(entries);
  lines.back() = "deny ip any any";
  QString text = "ip access-list extended LARGE\n";
  for (const std::string& line : lines) text += ' ' + QString::fromStdString(line) + '\n';
  return text;
}

// The longest gap between the ticks of a 10 ms timer from the start of `run`
// to its end.
qint64 LongestPause(const std::function<void()>& run) {
  QElapsedTimer clock;
  QTimer ticks;
  qint64 last = 0;
  qint64 longest = 0;
  const auto tick = [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
  };
  QObject::connect(&ticks, &QTimer::timeout, tick);
  // What came before, such as a paste, is shown before the run starts.
  QTest::qWait(50);
  ticks.start(10);
  clock.start();
  run();
  tick();
  qInfo("run %lld ms, longest pause %lld ms", clock.elapsed(), longest);
  return longest;
}

}  // namespace

class ResponsivenessTest : public QObject {
  Q_OBJECT

 private slots:
  void normaliseCheckAndSort() {
    WindowDriver driver;
    driver.Paste("sourcePane", LargeList(kEntries));
    QVERIFY(LongestPause([&] { driver.Click("normalizeButton"); }) < kLongestPauseMs);
    QCOMPARE(driver.Pane("listPane")->document()->blockCount(), int(kEntries));

    driver.SetCondition("tcp host 10.0.0.1 host 10.200.0.1 eq 80");
    QVERIFY(LongestPause([&] { driver.Click("directButton"); }) < kLongestPauseMs);
    QVERIFY(driver.Text("resultLine").startsWith("Blocked"));

    qint64 pause = 0;
    WhileShown<ResultWindow>(
        [&] { driver.Click("sortButton"); },
        [&](ResultWindow& window) {
          QVERIFY(QTest::qWaitForWindowActive(&window));
          pause = LongestPause(
              [&] { QTest::mouseClick(Child<QToolButton>(window, "dstAddrKey"), Qt::LeftButton); });
          QVERIFY(window.TextPane()->document()->blockCount() >= int(kEntries));
        });
    QVERIFY(pause < kLongestPauseMs);
  }

  // Up to the window opening over the whole report.
  void analysis() {
    WindowDriver driver;
    driver.Normalize(LargeList(kEntries));
    ScriptedMessageBoxes boxes({false});
    bool opened = false;
    const qint64 pause = LongestPause([&] {
      WhileShown<AnalysisWindow>([&] { driver.Click("analysisButton"); },
                                 [&](AnalysisWindow&) { opened = true; });
    });
    QVERIFY(opened);
    QVERIFY(pause < kLongestPauseMs);
  }
};

QTEST_MAIN(ResponsivenessTest)
#include "responsiveness_test.moc"
