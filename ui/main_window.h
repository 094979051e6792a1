#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <string>
#include <vector>

#include "check/check_condition.h"
#include "enter_keys.h"
#include "intake/normalize_acl.h"
#include "intake/used_objects.h"
#include "rules/check_options.h"
#include "rules/line_recognizer.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QSplitter;
class QToolButton;

namespace kerbwise::ui {

class AnalysisWindow;
class BlinkingLabel;
class CheckController;
class CompareWindow;
class ConditionArea;
class ConditionPane;
class IntakeController;
class ListHistory;
class MarkerImage;
class PaneSync;
class ResultWindow;
class SortPanel;

// The main window: the panes the user pastes into, the normalised list with
// the check results beside it, the option controls and the buttons that start
// every operation. The core computes; this window only shows and routes.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `startOptions` carries the options and the language the command line chose.
  explicit MainWindow(const CheckOptions& startOptions, QWidget* parent = nullptr);
  ~MainWindow() override;

  Language TextLanguage() const { return language_; }
  // The options as the controls show them now; every operation reads them when it starts.
  CheckOptions ReadOptions() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The window stays open while a run over the list lets messages through.
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building (main_window.cpp).
  void BuildControls();
  void BuildMenus();
  void ApplyTexts();
  void WireControls();
  void SetOptions(const CheckOptions& options);
  void SetLeastSize();
  void OpenWithinScreen();

  // The arrow button: a normalisation run under a ListRun (intake_wiring.cpp).
  void Normalize();
  void BuildIntake();

  // Normalisation and analysis let window messages through while they run,
  // so a key could otherwise start a check or another run in the middle of
  // one. Every operation that checks or rewrites the list holds a ListRun
  // while it lasts; one that cannot get it does nothing.
  class ListRun {
   public:
    explicit ListRun(MainWindow& window) : busy_(window.listBusy_), held_(!busy_) { busy_ = true; }
    ~ListRun() {
      if (held_) busy_ = false;
    }
    ListRun(const ListRun&) = delete;
    ListRun& operator=(const ListRun&) = delete;
    explicit operator bool() const { return held_; }

   private:
    bool& busy_;
    bool held_;
  };

  // Starting checks (check_wiring.cpp); checks_ shows their results. False when refused.
  bool RunCheck(CheckDirection direction);
  void RunEnterAction(EnterAction action);
  void ConditionPaneReleased(bool enter, Qt::KeyboardModifiers heldWithEnter);
  QString ResultCaption() const;

  // The result window's uses (result_routes.cpp).
  void ShowResult();
  void ShowObjects();
  void ShowReflected();
  void ShowNamesReference();
  void CreateSortPanel();
  void ShowSort();

  // The Analysis button and its window (analysis_wiring.cpp).
  void RunAnalysis();
  // Opens the window over an analysis where no pair related, once its exact
  // run has found something and nothing else holds the desktop.
  void OpenAnalysisIfExactFound();

  // The Compare button and its window, and the analysis window's exact
  // section pointing into the list pane (exact_wiring.cpp).
  void BuildExactWiring();
  void ShowCompare();

  // Progress of a long run over the list: moves the progress bar and lets
  // the window repaint and respond now and then (intake_wiring.cpp).
  ProgressCallback RunProgress();

  // Panes.
  QPlainTextEdit* objectPane_ = nullptr;
  QPlainTextEdit* sourcePane_ = nullptr;
  QToolButton* arrowButton_ = nullptr;
  QAction* normalizeAction_ = nullptr;  // the arrow button's click and shortcut
  QPlainTextEdit* listPane_ = nullptr;
  QPlainTextEdit* numberPane_ = nullptr;
  QSplitter* listSplitter_ = nullptr;
  ConditionPane* conditionPane_ = nullptr;
  QPlainTextEdit* verdictStrip_ = nullptr;
  QSlider* caretGauge_ = nullptr;
  ConditionArea* conditionArea_ = nullptr;
  MarkerImage* markerImage_ = nullptr;
  QLineEdit* conditionLine_ = nullptr;
  QLabel* conditionLabel_ = nullptr;
  QPlainTextEdit* resultLine_ = nullptr;
  BlinkingLabel* errorLabel_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QLabel* templateErrorLabel_ = nullptr;
  QPlainTextEdit* templatePane_ = nullptr;
  QProgressBar* progressBar_ = nullptr;

  // Buttons and option controls.
  QPushButton* directButton_ = nullptr;
  QPushButton* reverseButton_ = nullptr;
  QPushButton* analysisButton_ = nullptr;
  QPushButton* compareButton_ = nullptr;
  QPushButton* sortButton_ = nullptr;
  QPushButton* reflectButton_ = nullptr;
  QPushButton* namesButton_ = nullptr;
  QPushButton* nameButton_ = nullptr;
  QPushButton* objectsButton_ = nullptr;
  QGroupBox* maskGroup_ = nullptr;
  QRadioButton* wildcardButton_ = nullptr;
  QRadioButton* netmaskButton_ = nullptr;
  QGroupBox* partialGroup_ = nullptr;
  QCheckBox* partialAddressesBox_ = nullptr;
  QCheckBox* partialPortsBox_ = nullptr;
  QCheckBox* ignoreIcmpBox_ = nullptr;
  QCheckBox* portsInSetBox_ = nullptr;
  QCheckBox* anyPortOverlapBox_ = nullptr;

  // Menus.
  QMenu* resultMenu_ = nullptr;  // number pane and result line
  QAction* showResultAction_ = nullptr;
  QAction* copyResultAction_ = nullptr;

  PaneSync* paneSync_ = nullptr;
  CheckController* checks_ = nullptr;     // the check area: results, markers, verdicts
  ResultWindow* resultWindow_ = nullptr;  // Show result, Objects, Reflect, names
  SortPanel* sortPanel_ = nullptr;        // in the result window, for Sort
  AnalysisWindow* analysisWindow_ = nullptr;
  IntakeController* intake_ = nullptr;
  CompareWindow* compareWindow_ = nullptr;
  ListHistory* listHistory_ = nullptr;  // the list before its last sort or edit

  // State of the run.
  Language language_ = Language::English;
  LineRecognizer recognizer_;
  bool listBusy_ = false;  // a ListRun is held
  // The list of the last analysis where no pair related, while its window
  // waits for the exact run; empty otherwise.
  std::vector<std::string> awaitedAnalysisLines_;
  bool sourceSampleCleared_ = false;
  bool objectSampleCleared_ = false;
  EnterKeyTracker lineEnterKeys_;  // Enter strokes in the condition line
};

}  // namespace kerbwise::ui
