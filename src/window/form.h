#pragma once
// The main window TForm1: a thin layer over WindowModel. Every slot copies the edit texts into the
// model, calls one model handler, and copies the model's grids, edits and chart back into the widgets;
// the window computes nothing itself. Dialogs and message boxes come in through FormDialogs so that
// tests can drive the window without modal windows.

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/window_model.h"
#include "window/batch_runner.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class QTabWidget;
class QTimer;
class QToolButton;
class QValueAxis;

namespace vsl {

class BatchBar;
class GridTableModel;
class WarningsPanel;

inline constexpr const char* kApplicationTitle = "Vellum Saves List";
inline constexpr const char* kVersion = VSL_VERSION;  // the project's version, from the build
inline constexpr const char* kWindowCaption = "Vellum Saves List (version " VSL_VERSION ")";

// The modal parts of the window, replaceable by tests.
struct FormDialogs {
  // The open dialog of "Load File", starting in `folder`: the chosen paths in the dialog's order, empty
  // when cancelled.
  std::function<QStringList(QWidget* parent, const QString& folder)> OpenFiles;
  // The save dialog of "Save Results", proposing `proposed`: the chosen path, empty when cancelled.
  std::function<QString(QWidget* parent, const QString& proposed)> SaveFile;
  // The error box: error icon, `caption`, `text`.
  std::function<void(QWidget* parent, const QString& caption, const QString& text)> ErrorBox;
  // The error box of a damaged file in a batch, which offers to skip it (or every further damaged file
  // of the batch) besides stopping the batch there.
  std::function<DamagedChoice(QWidget* parent, const QString& caption, const QString& text)> DamagedFile;
  // A notice that is not an error (files left out of a full batch).
  std::function<void(QWidget* parent, const QString& caption, const QString& text)> InfoBox;
  // A question with Yes and No, No the default: true for Yes.
  std::function<bool(QWidget* parent, const QString& caption, const QString& text)> Question;
  // An open dialog for one file (tournament settings), starting in `folder`: the chosen path, empty when
  // cancelled.
  std::function<QString(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter)>
      OpenFile;
  // A save dialog for the other exports: the chosen path, empty when cancelled.
  std::function<QString(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter)>
      SaveAs;

  // The real dialogs and boxes.
  static FormDialogs Standard();
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(std::shared_ptr<const LocaleServices> locale = SystemLocaleServices(),
                  QWidget* parent = nullptr);
  ~TForm1() override;

  FormDialogs& Dialogs() { return dialogs_; }
  WindowModel& Model() { return *model_; }
  const WindowModel& Model() const { return *model_; }

  // Loads `paths` as one batch, as "Load File" does after its dialog (command line, dropped files). The
  // batch loads on a thread of its own: BatchFinished says when it is done and shown.
  void LoadFiles(const QStringList& paths);
  // A batch is loading: the window takes no input but Cancel's.
  bool Loading() const { return busy_; }
  // Renders each page to dir/<page caption>.png. Returns false when a file could not be written.
  bool SavePageShots(const QString& dir);
  // Chart animations on or off (off for screenshots).
  void SetAnimated(bool animated);
  // How long a batch runs before the progress bar shows (half a second), and how often it is updated
  // and the window repaints while a batch runs (every 50 ms).
  void SetProgressTiming(int delayMs, int intervalMs) {
    progressDelayMs_ = delayMs;
    progressIntervalMs_ = intervalMs;
  }

 Q_SIGNALS:
  // The batch of LoadFiles or "Load File" is done: its rows, errors and notices are shown.
  void BatchFinished();

 public Q_SLOTS:
  void Button1Click();
  void Button2Click();
  void Edit6Change();
  void PopFactorEChange();
  void GraphSelectChange();
  void SortClick(SortKey key);  // a sort button, or the header of the column under it
  void ExportCsv();
  void ExportHtml();
  // The settings file shared with the report tool: audit settings, factors and the maxima it fixes.
  void OpenTournamentSettings();
  void SaveTournamentSettingsFile();
  void SaveChart(const QString& format);  // "png" or "svg"
  // Ctrl+C: the selected cells of the current page's grid as tab-separated lines.
  void CopySelection();
  void RestoreDefaultSettings();
  void ShowGuide();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window.
  QWidget* BuildTopBar();
  QWidget* BuildBasePage();
  QWidget* BuildGraphPage();
  QWidget* BuildReloadsPage();
  QWidget* BuildAdditionalPage();
  QWidget* BuildLadderPage();
  QTableView* AddGrid(const QString& name, const Grid& grid, QWidget* parent);
  QLineEdit* AddEdit(const QString& name, int width, bool editable, QWidget* parent);
  QToolButton* AddSortButton(const QString& name, QWidget* parent);
  void BuildChart();
  void BuildMenus();
  void BuildLanguageMenu(QMenu* settings);
  void WireEvents();
  QString ProposedName(const QString& name) const;
  // The remembered work of the last run, restored at start and kept when the window closes.
  void RestoreRememberedWork();
  // The drop-down list shows the model's base level without running its handler.
  void SyncBaseLevel();
  // After a load: the maxima a settings file fixed replace those the batch set.
  void ApplyFixedMaxima();
  void RememberWork();
  bool WriteChosenFile(const QString& path, std::string_view bytes, OutputKind kind);

  // Running a handler: edits in, handler, everything out; an exception ends it in the error box.
  void Run(const std::function<void()>& handler);
  void PullEdits();
  void PushAll();
  void PushEdits();
  void PushChart();
  void PushSortTips();
  void ShowError(const QString& message);
  // Typed settings: every audit and Ladder edit whose text does not convert gets a red frame and its
  // message as tool tip; the status line names the first one. True when every audit text converts.
  bool MarkSettings();
  QString SettingProblem(const QString& editName) const;
  void AuditEditChanged();
  void EditLeft(QLineEdit* edit);
  // The warnings panel: what the last batch should make the referee check under the current settings,
  // files left out and skipped (each listed under its line), the maxima a settings file fixes, and the
  // remembered settings that differ from the defaults.
  void ShowBatchWarnings();
  void WarningActivated(int kind);
  // After a batch that ended early (cancelled, stopped at a damaged file, or ended by an error): the
  // bar over the pages says so until the next load.
  void MarkIncomplete(int loaded, int selected, const QString& why);
  // A load starts: the warnings and the mark of the last batch go.
  void ClearBatchState();
  // A load ended: marks it when it ended early, lists the files left out, renders, and starts the new
  // batch at its first row, sorted by file name.
  void MarkBatchState(const std::vector<std::string>& paths, bool cancelled, bool stopped, bool failed);
  // Before an export of an incomplete batch: true when the referee wants it written anyway.
  bool ConfirmIncomplete(const QString& what);
  // The settings that differ from a fresh window's, as "caption (value, default value)".
  QStringList DifferingSettings() const;
  void UpdateTitle();
  // The header of the column the rows are sorted by shows an arrow in the order the rows stand.
  void PushSortIndicators();
  // Keyboard use: the tab order of each page top to bottom, labels as buddies, accessible names, and
  // Ctrl+Tab between pages.
  void FinishLayout();
  // The start date's three edits: checked together when the focus leaves the group or typing pauses.
  void DateTyped();
  void CheckDate(bool left);
  void OnComboChange(QComboBox* combo, void (TForm1::*handler)());
  void LoadBatch(const std::vector<std::string>& paths);
  QList<QWidget*> LoadInputs();
  void ShowLoadProgress();
  // The batch's end: the window shows its rows, its error or its notice, and takes input again.
  void FinishBatch();

  std::unique_ptr<WindowModel> model_;
  std::unique_ptr<BatchRunner> runner_;  // the batch loading, if one is; destroyed before the model
  std::vector<std::string> loadPaths_;   // the paths of that batch
  FormDialogs dialogs_;
  bool busy_ = false;     // a batch is loading: nothing may re-enter the model
  bool pushing_ = false;  // the window is writing the model's texts into its widgets
  int progressDelayMs_ = 500;
  int progressIntervalMs_ = 50;
  uint64_t chartRevision_ = ~uint64_t{0};

  QString lastFolder_;    // of the last save or settings file opened
  QString exportFolder_;  // of the last file written through a dialog
  QString settingsFile_;  // the tournament settings file opened or saved last, empty after a restore
  bool settingsDifferAtStart_ = false;  // the remembered settings differ from the defaults
  bool datePending_ = false;            // the start date is being typed: checked when the group is left
  QTimer* dateTimer_ = nullptr;
  std::optional<SortKey> sortedBy_;                    // the key of the last sort, by a click or a load
  bool sortedAscending_ = true;                        // and its direction
  std::optional<std::array<bool, 5>> lastDirections_;  // the directions the last push saw
  QStringList leftOutNames_;                           // of the last batch, beyond its hundredth file
  std::array<std::optional<int32_t>, 7> fixedMaxima_;  // by a tournament settings file, in page order
  std::array<int32_t, 7> loadedMaxima_{};              // as the last load set them (0 before any)
  QString settingsNotice_;  // remembered settings dropped at start; shown until the first handler runs
  QMenu* settingsMenu_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QTableView* baseGrid_ = nullptr;
  QTableView* reloadGrid_ = nullptr;
  QTableView* additionalGrid_ = nullptr;
  QTableView* ladderGrid_ = nullptr;
  QComboBox* graphSelect_ = nullptr;
  QComboBox* baseLevelSelect_ = nullptr;
  QChartView* chartView_ = nullptr;
  QValueAxis* turnAxis_ = nullptr;
  QValueAxis* valueAxis_ = nullptr;
  std::vector<QLineSeries*> series_;
  QLabel* statusSettings_ = nullptr;  // the typed setting that does not convert
  WarningsPanel* warningsPanel_ = nullptr;  // what the last batch should make the referee check
  BatchBar* batchBar_ = nullptr;            // says that the batch ended early
  BatchResult lastBatch_;             // what the last batch loaded, left out and skipped
  QPushButton* cancelButton_ = nullptr;
  QLabel* progressLabel_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
};

}  // namespace vsl
